#pragma once
// Lays a worksheet out as one page on a target canvas: header, question runs and answers,
// answer boxes, graphs and class flag. The same routine serves the screen page image
// (printing = false, the canvas is the page image of PaperRec size) and the printer page.

#include <functional>

#include "platform/Canvas.h"
#include "worksheet/SheetLayout.h"

struct Workspace;
class Worksheet;

// How one page is asked for. The worksheet's own settings (size, spacing, margins, boxes,
// header options, start number) come from the worksheet; these are what the caller adds.
struct LayoutRequest {
    bool printing = false;     // the printer's page: pictures drawn at its resolution
    bool collectBoxes = true;  // the layout writes the worksheet's answer-box table
    PageOptions options;       // alternatives and the copy's number
};

// Lays the worksheet out on target: it reads nothing but the worksheet, the request and the
// program's services (clock, messages, learner and school names), and writes only the
// worksheet's own layout (sheet.layout) and pictures' places.
void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, const LayoutRequest& request);
// The same, with aroundNumberLine called with true just before the number line (the copy's
// number, the date and the file name, 実施日) is drawn and with false just after: a print
// job of identical copies keeps the rest of the page apart from it.
void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, const LayoutRequest& request,
                const std::function<void(bool before)>& aroundNumberLine);
// Draws the number line of the worksheet's page alone, as LayOutPage draws it with the
// same request (this copy's number, the clock's time now), on a canvas whose state is what
// the page's drawing before the number line left it in. Writes nothing of the layout.
void DrawNumberLine(Workspace& program, Worksheet& sheet, Canvas& target,
                    const LayoutRequest& request);
// The ordinary page: the program's page options; the screen page collects the answer boxes,
// the printer's page keeps the boxes the screen page found.
void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, bool printing);
