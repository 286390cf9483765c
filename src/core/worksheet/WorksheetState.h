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
#include "worksheet/SheetLayout.h"
#include "worksheet/Worksheet.h"

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
    // Width of the checked paper button (B5 546, A4 630, B4 771, A3 891): the paper new
    // worksheets take while FixedPaper is on.
    int paperChoice = 546;
    // 縮小: the worksheets are shown reduced.
    bool reducedView = false;
    // The print mode: true prints at the printer's resolution (プリンタの解像度で印刷する),
    // false puts the screen page on the paper (画面に忠実に印刷する).
    bool printerResolution = false;
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

    // 別解表示 and №を付ける: what every page is drawn with beside its worksheet's settings.
    PageOptions pageOptions;

    // Buffers the layout reuses from one run to the next.
    struct LayoutScratch {
        std::vector<std::string_view> parts;
        std::vector<std::string_view> alternatives;
        std::string text;
    } layoutScratch;
};
