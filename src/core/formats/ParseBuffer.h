#pragma once
// The lists one unit read produces; worksheets are created or extended from it.

#include <string>

#include "text/Lines.h"

struct ParseBuffer {
    Lines header;
    Lines questions;
    Lines qgraph; // triples: file name, x, y
    Lines agraph;
    Lines value;
    Lines font;
    Lines kran;
    Lines kgroup;
    Lines softkey;
    std::string title;
    std::string school;
    std::string nameField;
    // Question-graph lines the worksheet held before an append (0 for a new worksheet):
    // appended triples after these are placed automatically.
    int qgraphBefore = 0;
    // Memory of the previous successful read, for composing titles of appended units.
    int previousSection = -1;
    int previousMode = -1;
};
