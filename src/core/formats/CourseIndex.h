#pragma once
// The course index: "Main.ind" with its lesson lines and the lesson index files with
// their section blocks. Fills the course tables; what went wrong is returned, not shown.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/CourseTables.h"
#include "platform/Files.h"
#include "text/Lines.h"
#include "text/Report.h"

// One lesson line of "Main.ind": menu text, ",", folder up to and including its "\",
// one separator byte, base.
struct LessonLine {
    bool hasComma = false; // without a comma the menu text is "?" and nothing else is set
    std::string menuText;
    std::string folder;
    std::string base;
};
// The backslash is found Shift-JIS aware: the trail byte of "表" (0x95 0x5C) is not one.
LessonLine ParseLessonLine(std::string_view line);

// The lesson lines of a "Main.ind" read into caller tables of limit + 1 entries
// (entry 0 unused): line 3 on up to a line ">>" or the end. A line with a comma writes
// folders[k] and bases[k]; one without leaves them as they were.
struct LessonLinesResult {
    std::string title;              // line 1
    std::vector<std::string> names; // menu texts, position 0 = lesson 1
    int overflowLine = 0;           // 1-based line of the first lesson beyond the limit
    bool overflow() const { return overflowLine != 0; }
};
LessonLinesResult ReadLessonLines(const Lines& mainInd, std::span<std::string> folders,
                                  std::span<std::string> bases);

// The section blocks of a lesson index file, in file order (section k = block k - 1).
// Any line beginning with "[[" opens a block; the next line is its menu text, the one
// after is skipped, and unit lines follow up to a line ">>" (or the end of the file).
struct SectionBlock {
    int headerLine = 0; // 0-based index of the "[[" line
    std::string name;   // "" when the file ends right after the "[[" line
    Lines units;
    std::vector<int> unitLines; // 0-based index of each unit line
};
std::vector<SectionBlock> ParseLessonIndex(const Lines& lines);

// The message of a table overflow: path + ":" + what + "は" + limit + "個までです".
std::string RangeErrorText(const std::string& path, const char* whatUtf8, int limit);

// Loads the lesson list from master folder + "Main.ind". Fails with the message when the
// file is missing (the caller ends the program), cannot be read, or holds more than 80
// lessons (a range message; the first 80 stay loaded).
Report LoadLessonList(Files& files, CourseTables& course);

// Loads lesson L (from 1): checks its folder, reads its index file, fills the section
// names, SectionUnits and SectionUnitCount. Fails with the message when the lesson is out
// of range, its folder or base leads out of the master folder, its folder or index file is
// missing or unreadable, or it holds more than 80 sections (the first 80 stay loaded).
Report LoadLesson(Files& files, CourseTables& course, int lesson);

// Reads a whole file into a line list. Missing files, read errors and files refused as
// lying outside the course folder (through a link) are told apart.
enum class LoadStatus { Ok, Missing, Error, Outside };
LoadStatus LoadLines(Files& files, const std::string& path, Lines& out);
// What the user is told when path did not load: the missing-file, read-error or
// outside-the-course message.
std::string LoadFailureText(const std::string& path, LoadStatus status);
