#pragma once
// What a worksheet's settings do to its answers: boxes that run into each other (a fraction
// taller than the line pitch, boxes made too wide or too high) and answers wider than a box
// of fixed width. The settings stay as the teacher made them; these are told instead.

#include <string>
#include <vector>

#include "platform/Canvas.h"

struct Workspace;
class Worksheet;

struct LayoutProblem {
    int line = 0;        // the question line holding the box, 0-based
    int box = 0;         // the answer box, 1-based as the page numbers them
    std::string message; // Shift-JIS
};

// Lays the sheet out on canvas as its page (filling the answer table as the page does) and
// lists the problems, in box order.
std::vector<LayoutProblem> CheckLayout(Workspace& program, Worksheet& sheet, Canvas& canvas);
// The same problems read from the answer table as the last layout of sheet on its page
// filled it (the page of the worksheet window, laid out with the table collected).
std::vector<LayoutProblem> LayoutProblemsOf(const Worksheet& sheet);
