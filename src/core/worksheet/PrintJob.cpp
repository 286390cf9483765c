#include "worksheet/PrintJob.h"

#include <algorithm>

#include "platform/Printer.h"
#include "shell/Helpers.h"
#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/PageImage.h"
#include "worksheet/PageLayout.h"
#include "worksheet/WorksheetDocument.h"

bool PreparePrint(Program& program) {
    if (!program.sheets.current) return false;
    program.sheets.collectKran = false;
    return true;
}

bool TransferPicture(Program& program, Canvas& target, const Bitmap& picture, const Rect& dest) {
    Files& files = program.platform.files;
    Pictures& pictures = program.platform.pictures;
    const std::string path = TempFolder(program) + "temp.bmp";
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

bool PrintWorksheet(Program& program, Printer& printer, const PageImageSource& pageImage,
                    const CopyProgress& progress) {
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
    // The sheet's paper width maps onto the printer page (see the page layout).
    const double s = static_cast<double>(printer.pageWidth()) /
                     (sheet->paper.Width > 0 ? sheet->paper.Width : 630);
    bool ok = true;
    for (int copy = 0; copy < copies; ++copy) {
        if (progress && !progress(copy, copies)) break;
        if (!printer.beginDoc()) {
            program.platform.prompter.message(J("印刷を開始できませんでした"));
            ok = false;
            break;
        }
        Canvas& page = printer.canvas();
        if (c.radPrinter) {
            LayOutPage(program, *sheet, page, true);
        } else {
            Relayout(program, *sheet); // the number line shows this copy's 開始番号
            const Bitmap image = pageImage();
            if (!TransferPicture(program, page, image,
                                 PrinterPageRect(image.width, image.height, s))) {
                printer.abortDoc();
                ok = false;
                break;
            }
        }
        if (!printer.endDoc()) {
            program.platform.prompter.message(J("印刷を完了できませんでした"));
            ok = false;
            break;
        }
        ++c.spnStart;
    }
    c.spnStart = 1;
    if (!c.radPrinter) Relayout(program, *sheet);
    startupDone = wasDone;
    return ok;
}
