#pragma once
// The file name 名前を付けて保存 proposes for a worksheet.

#include <string>

class Worksheet;

// A worksheet read from a worksheet file: that file's name. A unit of the course: the
// unit's name in the course index (with its similar question's number), blanks at the
// ends trimmed and the characters a file name cannot hold ("\" "/" ":" "*" "?" '"' "<"
// ">" "|" and control characters) made "_", followed by ".prp". Empty when the worksheet
// has no name to offer.
std::string ProposedSaveName(const Worksheet& sheet);
