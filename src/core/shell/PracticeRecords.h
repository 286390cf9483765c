#pragma once
// A marked run's line in the learner's records, and the unit's records as the practice
// window lists them. Strings are Shift-JIS.

#include <string>

#include "practice/PracticeRun.h"
#include "text/Lines.h"

struct Program;
class Worksheet;

// Where a worksheet's runs are recorded: the learner's file of its lesson and the section
// of its unit (similar questions included) or of its worksheet file.
struct RecordPlace {
    std::string file; // "" when the learner's name cannot name a file
    std::string section;
};
RecordPlace RecordPlaceOf(Program& p, const Worksheet& sheet);

// Appends the results line of a marked run, finished now, and counts it in the unit menu's
// marks. On failure `message` says why for the user and the learner's file is as it was.
struct RecordedRun {
    std::string line;
    bool written = false;
    std::string message;
};
RecordedRun RecordRun(Program& p, const Worksheet& sheet, const RunResult& result);

// The results panel: "section　　氏名：learner" and the unit's lines, oldest first, or the
// single line "練習の記録はありません".
struct UnitRecordsView {
    std::string caption;
    Lines lines;
};
UnitRecordsView UnitRecords(Program& p, const Worksheet& sheet);
