#pragma once
// Where the course is, and the course tables filled from "Main.ind" and the current
// lesson's index file. Fixed tables of 81 entries; entry 0 is never used.

#include <array>
#include <string>
#include <vector>

#include "text/Lines.h"

constexpr int MaxTableEntry = 80;

struct CourseTables {
    std::string masterFolder;             // the course folder, ends in "\"
    bool cdMode = false;                  // the master folder is on a CD-ROM: records go elsewhere
    std::string courseTitle;              // line 1 of Main.ind
    std::vector<std::string> lessonNames; // lstLesson, position 0 = lesson 1
    std::array<std::string, 81> lessonFolder; // LessonFolder, with trailing "\"
    std::array<std::string, 81> lessonBase;   // LessonBase
    int currentLesson = 0;                    // lesson whose sections the tables hold, 0 = none
    std::vector<std::string> sectionNames;    // lstSection, position 0 = section 1
    std::array<Lines, 81> sectionUnits;       // SectionUnits
    std::array<int, 81> sectionUnitCount{};   // SectionUnitCount
    Lines lessonIndexLines;                   // the menu's private copy of the lesson index
};
