#pragma once
// The line a marked run leaves in the learner's records, and where it goes.
// Strings are Shift-JIS.

#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "practice/PracticeRun.h"

class Worksheet;

// Boxes right of boxes in the run as points out of 100, halves rounded up (1 of 8 is 13);
// 0 when the run had no boxes.
int ComputeScore(int correct, int total);

// The time a run took: minutes, ":", seconds, each at least two digits ("62:05").
std::string ElapsedText(int seconds);

// The similar-question set a worksheet's runs are recorded for: its number when the
// worksheet holds similar questions, else 0.
int RuidaiOf(const Worksheet& sheet);

// One results line, finished at `when`:
//   [類題n)]yyyy年mm月dd日 hh:mm [tries]  c/ t  sss点 mm:ss
// ruidai 0 leaves the similar-question prefix out. A run on a varied copy names its
// version after the tries, inside the brackets ("[1000 V20261208-07]", "[V20261208-07]"
// for a test), where readers that know no versions take it as part of the tries.
std::string ResultsLine(const RunResult& result, const DateTime& when, int ruidai,
                        std::string_view version = {});

// The records section of a worksheet's runs: its unit's section (unitSection, the unit's
// records key) for a unit of the course, edited or not, and the worksheet file's own name
// (with ".prp") for a worksheet opened from or saved to a file.
std::string RecordSection(const Worksheet& sheet, const std::string& unitSection);
// The lesson whose learner file holds those records: the worksheet's lesson, at least 1.
int RecordLesson(const Worksheet& sheet);
