#include "worksheet/PrintJob.h"

#include <algorithm>
#include <cstring>

#include "platform/Printer.h"
#include "text/Sjis.h"
#include "worksheet/PageImage.h"
#include "worksheet/PageLayout.h"
#include "worksheet/RepeatedCopies.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {

bool rowsEqual(const Bitmap& a, const Bitmap& b, int y) {
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(a.width);
    return std::memcmp(a.pixels.data() + at, b.pixels.data() + at,
                       static_cast<std::size_t>(a.width) * sizeof(std::uint32_t)) == 0;
}

Bitmap copyArea(const Bitmap& image, const Rect& area) {
    Bitmap out(area.width(), area.height());
    for (int y = 0; y < out.height; ++y)
        std::memcpy(&out.at(0, y),
                    image.pixels.data() + static_cast<std::size_t>(area.top + y) * image.width +
                        area.left,
                    static_cast<std::size_t>(out.width) * sizeof(std::uint32_t));
    return out;
}

bool filled(const Bitmap& b) {
    return !b.empty() && b.pixels.size() >=
                             static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height);
}

// Puts a screen page image on the whole paper of the printer page. first is the image of
// the job's first copy: an image that differs from it only in part is printed as first with
// the changed part drawn over it. False when there is no image to print.
bool printPageImage(Canvas& page, const Bitmap& image, int paperWidth, Bitmap& first) {
    if (!filled(image)) return false;
    const double s = static_cast<double>(page.deviceWidth()) / paperWidth;
    const Worksheet::Placed whole{0, 0, image.width, image.height, true, false};
    if (!filled(first) || first.width != image.width || first.height != image.height) {
        first = image;
        page.stretchDraw(PrinterPictureRect(whole, s), first);
        return true;
    }
    page.stretchDraw(PrinterPictureRect(whole, s), first);
    const Rect changed = ChangedArea(first, image);
    if (changed.width() <= 0) return true;
    const Worksheet::Placed part{changed.left,     changed.top, changed.width(),
                                 changed.height(), true,        false};
    page.stretchDraw(PrinterPictureRect(part, s), copyArea(image, changed));
    return true;
}

} // namespace

Rect ChangedArea(const Bitmap& base, const Bitmap& image) {
    if (!filled(image)) return {};
    if (!filled(base) || base.width != image.width || base.height != image.height)
        return Rect{0, 0, image.width, image.height};
    int top = 0, bottom = image.height;
    while (top < bottom && rowsEqual(base, image, top))
        ++top;
    if (top == bottom) return {};
    while (rowsEqual(base, image, bottom - 1))
        --bottom;
    int left = image.width, right = 0;
    for (int y = top; y < bottom; ++y) {
        int l = 0;
        while (l < left && base.at(l, y) == image.at(l, y))
            ++l;
        left = l;
        int r = image.width;
        while (r > right && base.at(r - 1, y) == image.at(r - 1, y))
            --r;
        right = r;
    }
    return Rect{left, top, right, bottom};
}

bool PreparePrint(Workspace& program) {
    return program.sheets.current != nullptr;
}

namespace {

// The job of both PrintWorksheet functions: in the screen-faithful mode, drawPage (when
// given) makes each copy's page image, else the page is laid out again and pageImage read.
bool printJob(Workspace& program, Printer& printer, const PageImageSource& pageImage,
              const ScreenPageDrawing& drawPage, const CopyProgress& progress) {
    WorksheetState& state = program.sheets;
    Worksheet* sheet = state.current;
    if (state.count <= 0 || !sheet) return false;
    if (state.reducedView) {
        state.reducedView = false;
        Relayout(program, *sheet);
    }
    bool& startupDone = program.session.startupDone;
    const bool wasDone = startupDone;
    startupDone = false;

    const int firstNumber = sheet->startNumber;
    int copies = 1;
    if (state.pageOptions.numbered) {
        copies = std::max(1, printer.copyCount());
        printer.setCopyCount(1);
    }
    // The sheet's own paper width maps onto the printer page (see the page layout).
    const int paperWidth = sheet->paper.Width > 0 ? sheet->paper.Width : 630;
    Bitmap first;
    // Numbered copies of the one worksheet differ only in their number lines: the first is
    // laid out, the others repeat its drawing (a job whose copies are worksheets of their
    // own lays each one out with LayOutPage instead).
    IdenticalCopies same(program, *sheet, LayoutRequest{true, false, state.pageOptions});
    IdenticalCopies screen(program, *sheet, LayoutRequest{false, true, state.pageOptions});
    bool ok = true;
    for (int copy = 0; copy < copies; ++copy) {
        if (progress && !progress(copy, copies)) break;
        if (!printer.beginDoc()) {
            program.platform.prompter.message(J("印刷を開始できませんでした"));
            ok = false;
            break;
        }
        Canvas& page = printer.canvas();
        if (state.printerResolution) {
            same.draw(page);
        } else {
            Bitmap image;
            if (drawPage) {
                image = drawPage([&screen](Canvas& blank) { screen.draw(blank); });
            } else {
                Relayout(program, *sheet); // the number line shows this copy's 開始番号
                image = pageImage();
            }
            if (!printPageImage(page, image, paperWidth, first)) {
                printer.abortDoc();
                program.platform.prompter.message(J("印刷を完了できませんでした"));
                ok = false;
                break;
            }
        }
        if (!printer.endDoc()) {
            program.platform.prompter.message(J("印刷を完了できませんでした"));
            ok = false;
            break;
        }
        ++sheet->startNumber;
    }
    // The page shows the number it showed before: the next job starts from it again.
    sheet->startNumber = firstNumber;
    if (!state.printerResolution) Relayout(program, *sheet);
    startupDone = wasDone;
    return ok;
}

} // namespace

bool PrintWorksheet(Workspace& program, Printer& printer, const PageImageSource& pageImage,
                    const CopyProgress& progress) {
    return printJob(program, printer, pageImage, {}, progress);
}

bool PrintWorksheet(Workspace& program, Printer& printer, const ScreenPageDrawing& drawPage,
                    const CopyProgress& progress) {
    return printJob(program, printer, {}, drawPage, progress);
}
