#include "worksheet/PrintJob.h"

#include <algorithm>

#include "platform/Printer.h"
#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/SheetHelpers.h"
#include "worksheet/WorksheetDocument.h"

using sheethelp::RoundEven;

namespace {

// The graph picture k shows the answer graph in answer view when there is one.
const Bitmap& shownGraph(const Worksheet& sheet, std::size_t k) {
    bool answer = sheet.ShowAnswers && k < sheet.lstAGraph.size() / 3;
    return answer ? sheet.aGraphPictures[k] : sheet.qGraphPictures[k];
}

} // namespace

bool PreparePrint(Program& program) {
    if (!program.sheets.current) return false;
    program.sheets.collectKran = false;
    return true;
}

Rect PrinterRect(int left, int top, int w, int h, double s) {
    Rect r;
    r.left = RoundEven(left * s);
    r.top = RoundEven(top * s);
    r.right = RoundEven(w * s) + r.left;
    r.bottom = RoundEven(h * s) + r.top;
    return r;
}

bool TransferPicture(Program& program, Canvas& target, const Bitmap& picture, const Rect& dest) {
    Files& files = program.platform.files;
    Pictures& pictures = program.platform.pictures;
    const std::string path = sheethelp::TempFolder(program) + "temp.bmp";
    pictures.saveBmp(path, picture);
    Bitmap copy;
    bool found = files.fileExists(path) && pictures.load(path, copy);
    if (files.fileExists(path)) files.remove(path);
    if (!found) {
        program.platform.prompter.message("not found" + path);
        return false;
    }
    target.stretchDraw(dest, copy);
    return true;
}

bool PrintPictures(Program& program, Worksheet& sheet, Canvas& target, double s) {
    const Bitmap& flag = sheet.classFlag;
    if (program.controls.chkClassFlag && !flag.empty()) {
        const Worksheet::Placed& at = sheet.classFlagPlaced;
        if (!TransferPicture(program, target, flag,
                             PrinterRect(at.left, at.top, flag.width, flag.height, s)))
            return false;
    }
    bool ok = true;
    std::size_t n = std::min<std::size_t>(sheet.lstQGraph.size() / 3, MaxGraphs);
    for (std::size_t k = 0; k < n; ++k) {
        const Bitmap& picture = shownGraph(sheet, k);
        if (picture.empty()) continue; // a missing file was reported when it was loaded
        const Worksheet::Placed& at = sheet.graphPlaced[k];
        Rect dest = PrinterRect(at.left, at.top, picture.width, picture.height, s);
        ok = TransferPicture(program, target, picture, dest) && ok;
    }
    return ok;
}

bool PrintWorksheet(Program& program, Printer& printer, const Bitmap& pageImage) {
    WorksheetState& state = program.sheets;
    Worksheet* sheet = state.current;
    if (state.count <= 0 || !sheet) return false;
    Controls& c = program.controls;
    if (c.reducedView) {
        c.reducedView = false;
        Relayout(program, *sheet);
    }
    bool& startupDone = program.shell.startupDone;
    const bool wasDone = startupDone;
    startupDone = false;

    int copies = 1;
    if (c.chkNumber) {
        copies = std::max(1, printer.copyCount());
        printer.setCopyCount(1);
    }
    const double s = printer.pageWidth() / 630.0;
    bool ok = true;
    for (int copy = 0; copy < copies && ok; ++copy) {
        if (!printer.beginDoc()) {
            program.platform.prompter.message(J("印刷を開始できませんでした"));
            ok = false;
            break;
        }
        Canvas& page = printer.canvas();
        if (!c.radPrinter) {
            Rect dest = PrinterRect(0, 0, pageImage.width, pageImage.height, s);
            const int shift = RoundEven(6 * s);
            dest.left += shift;
            dest.right += shift;
            if (!TransferPicture(program, page, pageImage, dest)) {
                printer.abortDoc();
                ok = false;
                break;
            }
        } else {
            if (state.layOut) state.layOut(*sheet, page, true);
            PrintPictures(program, *sheet, page, s);
        }
        if (!printer.endDoc()) {
            program.platform.prompter.message(J("印刷を完了できませんでした"));
            ok = false;
        }
        ++c.spnStart;
    }
    c.spnStart = 1;
    startupDone = wasDone;
    return ok;
}
