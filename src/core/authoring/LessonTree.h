#pragma once
// A lesson as a tree: the lesson title at the root, its sections, and their units with the
// unit menu's marks in front.

#include <array>
#include <string>
#include <vector>

#include "text/Lines.h"

struct Program;

struct LessonTree {
    std::string title; // the first line of the lesson index file
    struct Section {
        std::string name;
        Lines units; // mark + unit line
    };
    std::vector<Section> sections;
};

// The tree of the lesson index lines; unit s.u gets marks[s][u - 1] in front when given.
LessonTree BuildLessonTree(const Lines& indexLines, const std::array<Lines, 81>* marks);
