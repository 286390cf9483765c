#pragma once
// An overview of the course in the master folder: its title and, per lesson, the
// sections with their unit counts, read as the unit menu reads them.

#include <string>
#include <vector>

#include "formats/CourseTables.h"
#include "platform/Files.h"

struct CourseSummary {
    struct Section {
        std::string name;
        int units = 0;
    };
    struct Lesson {
        std::string name;
        bool loaded = false; // false when the lesson could not be loaded (see messages)
        std::vector<Section> sections;
    };
    bool loaded = false; // false when "Main.ind" could not be read (see messages)
    std::string title;
    std::vector<Lesson> lessons;
    std::vector<std::string> messages; // what loading the index said, in order
};

// Loads the lesson list and every lesson of the course in the tables' master folder in turn.
CourseSummary SummarizeCourse(Files& files, CourseTables& course);
