#pragma once
// Program-wide state of the open worksheets and of the page layout.

#include <functional>
#include <memory>
#include <vector>

#include "platform/Canvas.h"
#include "worksheet/Worksheet.h"

struct WorksheetState {
    Worksheet* current = nullptr; // CurrentWorksheet
    int count = 0;                // WorksheetCount
    bool layoutEnabled = true;    // LayoutEnabled
    bool collectKran = true;      // the layout rebuilds the answer-box table
    bool drawTypedAnswers = false; // the layout draws the learner's answers
    // The open worksheets in opening order; each window shows one of them.
    std::vector<std::unique_ptr<Worksheet>> open;
    // How the document reaches the page layout. The worksheet windows (or the command
    // line) set these: `relayout` lays a worksheet out again on its own page image and
    // shows it; `layOut` lays it out on any target, such as the printer page.
    std::function<void(Worksheet&)> relayout;
    std::function<void(Worksheet&, Canvas&, bool printing)> layOut;
};
