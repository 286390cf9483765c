#pragma once
// Opening a worksheet: a unit of the course chosen in the unit menu, or a worksheet file.
// Each reads into the parse buffer, creates the worksheet and activates it.

#include <string>

#include "formats/UnitReader.h"
#include "worksheet/Worksheet.h"

struct Workspace;

enum class OpenResult {
    Opened = 1,
    AlreadyOpen = 2, // "すでに読み込まれています"; that worksheet was activated
    BadPath = 3,     // a worksheet file name with a wrong extension (the dialog asks again)
    NotRead = 4,     // no such file, or the reader refused the unit
    Unreadable = 5,  // the file exists but cannot be read (already said): nothing to create
};

// Opens unit ref of the course. With reload, a worksheet already open on that unit is
// closed unasked and the unit read again. ruidaiChosen: the menu's similar-question flag.
OpenResult OpenUnit(Workspace& program, const UnitRef& ref, const UnitTitleNames& names,
                    bool reload = false, bool ruidaiChosen = false);

// Opens the worksheet file at path (".prp" appended when it has no extension).
OpenResult OpenWorksheetFile(Workspace& program, const std::string& path);
