#pragma once
// Program-wide state of the open worksheets and of the page layout.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "worksheet/Worksheet.h"

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

struct WorksheetState {
    Worksheet* current = nullptr; // CurrentWorksheet
    int count = 0;                // WorksheetCount
    bool layoutEnabled = true;    // LayoutEnabled
    // The open worksheets in opening order; each window shows one of them.
    std::vector<std::unique_ptr<Worksheet>> open;
    // lstWindow: keys of the open worksheets in opening order.
    std::vector<std::string> windowList;
    bool answersShown = false; // AnswersShown: the 解答表示 button is down
    bool fixedPaper = false;   // FixedPaper: new worksheets take the checked paper
    // The program-wide paper: that of the worksheet in front.
    int paperWidth = 630;
    int paperHeight = 891;
    // The face a unit's font line "0" stands for: the main font dialog's face at start.
    std::string defaultFontFace;
    // Lays a worksheet out again on its own page image and shows it. The worksheet
    // windows (or the command line) set it; without it nothing is drawn.
    std::function<void(Worksheet&)> relayout;
    // The windows' side of a worksheet's life: a worksheet was created (it gets its
    // window), was activated (its window comes to the front), or is about to be freed
    // (its window goes). Each may be empty.
    std::function<void(Worksheet&)> created;
    std::function<void(Worksheet&)> activated;
    std::function<void(Worksheet&)> closing;

    // Answer-box table filled by the page layout while collectKran is set.
    std::array<KranEntry, MaxKran + 1> KranTable{};
    int kranCount = 0;
    bool collectKran = false;      // the layout rebuilds KranTable
    bool drawTypedAnswers = false; // the layout draws the learner's answers (firstAnswer)
    // The learner's first answer per box; none yet when empty (whatever the learner typed,
    // even a word the program once used as a marker, is an answer).
    std::array<std::optional<std::string>, MaxKran + 1> firstAnswer;

    // Start point of every text run of the last layout (index = run number, 1..runCount).
    std::vector<Point> LinePos;
    int runCount = 0;
    // x at which the text run before each answer started (index = answer number from 1).
    // Kept between layouts: a layout with drawTypedAnswers reads it instead of writing it.
    std::vector<int> RunStartX;
    int answerCount = 0;
    // Next to this point the practice window stamps its score.
    Point titleAnchor;

    // Buffers the layout reuses from one run to the next.
    struct LayoutScratch {
        std::vector<std::string_view> parts;
        std::vector<std::string_view> alternatives;
        std::string text;
    } layoutScratch;
};
