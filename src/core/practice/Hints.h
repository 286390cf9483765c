#pragma once
// The hint of a worksheet's unit: the lines of the unit's "<<hint" block in its question
// unit file. Strings are Shift-JIS.

#include "text/Lines.h"

class Worksheet;

// The hint lines of the worksheet's unit (its similar question's own block for a similar
// question), from the lines of its question unit file. None for a worksheet opened from a
// worksheet file, a unit without the block, a block of blank lines only, or one whose first
// line is the editor's placeholder "Hint". Blank lines at the end are left out.
Lines HintLines(const Lines& unitFile, const Worksheet& sheet);
