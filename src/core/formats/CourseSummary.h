#pragma once
// An overview of the course in the master folder: its title and, per lesson, the
// sections with their unit counts, read as the unit menu reads them.

#include <string>
#include <vector>

struct Program;

struct CourseSummary {
    struct Section {
        std::string name;
        int units = 0;
    };
    struct Lesson {
        std::string name;
        bool loaded = false; // false when the lesson could not be loaded (message shown)
        std::vector<Section> sections;
    };
    bool loaded = false; // false when "Main.ind" could not be read (message shown)
    std::string title;
    std::vector<Lesson> lessons;
};

// Loads the lesson list and every lesson in turn; messages go through the prompter.
CourseSummary SummarizeCourse(Program& p);
