#pragma once
// What one layout of a worksheet found: its answer boxes, where its text runs start and where
// the score goes. Each worksheet keeps the layout of its own screen page; nothing of it is
// program-wide, so worksheets can be laid out in any order and each keeps its own boxes.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

// One answer box of the laid-out worksheet (slots 1..80; slot 0 is never used).
struct KranEntry {
    int mark = 99; // 99 = not marked
    int x = 0;     // left edge of the drawn answer on the screen page
    int y = 0;     // top of its line on the screen page
    int width = 0; // width of the drawn answer
    // Vertical extent of the typeset answer on the screen page (top of its highest text
    // cell or line, bottom of its lowest); boxes and entry fields are placed around it.
    int answerTop = 0;
    int answerBottom = 0;
    // Right end of the answer's last glyph cell: trailing blanks lay no ink.
    int inkRight = 0;
    bool answerShown = false;
    std::string answerText; // accepted answers separated by ";"
    int tries = 0;
    int fontSize = 0; // points
    // Distance between the tops of consecutive question lines, in layout units (0: unknown);
    // a mark keeps within a line's height around its box.
    int linePitch = 0;
};

constexpr int MaxKran = 80;

// The learner's answers per box (slot 0 unused); none yet when empty.
using TypedAnswers = std::array<std::optional<std::string>, MaxKran + 1>;

struct SheetLayout {
    // Answer-box table of the screen page (KranTable), entries 1..kranCount.
    std::array<KranEntry, MaxKran + 1> KranTable{};
    int kranCount = 0;
    // Start point of every text run (index = run number, 1..runCount).
    std::vector<Point> LinePos;
    int runCount = 0;
    // x at which the text run before each answer started (index = answer number from 1).
    // Kept between layouts: the learner's sheet reads it instead of writing it.
    std::vector<int> RunStartX;
    int answerCount = 0;
    // Next to this point the practice window stamps its score.
    Point titleAnchor;

    // The learner's sheet: while set, the page shows the learner's first answers (whatever
    // was typed, padded to the stored answer's width) in place of the stored answers, and
    // the answer-box table stays as the screen page laid it out.
    bool drawTypedAnswers = false;
    TypedAnswers firstAnswer;
};

// The program-wide choices a page is drawn with, beside the worksheet's own settings.
struct PageOptions {
    bool alternatives = true; // 別解表示: a shown answer's alternatives in grey beside it
    bool numbered = true;     // №を付ける: the number line carries the copy's number
};
