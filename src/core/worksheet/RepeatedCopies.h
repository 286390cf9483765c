#pragma once
// Identical copies of one worksheet at the printer's resolution. The first copy is laid
// out on its printer page as any copy is, and what it draws is kept, apart from its number
// line; every later copy draws the kept page again with only its own number line drawn
// anew (its number, the time now), instead of laying the whole page out again.
//
// Only for copies of one and the same worksheet, laid out with the same settings, whose
// pages differ in nothing but the number line: a copy that is a worksheet of its own (its
// own questions, its own layout) is laid out on its own with LayOutPage.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "worksheet/PageLayout.h"
#include "worksheet/PrintJob.h"

struct Workspace;
class Worksheet;

// One drawing call on a canvas, kept to be made again on another.
struct DrawCall {
    enum class Kind {
        FontFace,
        FontSize,
        FontStyle,
        FontColor,
        PenColor,
        PenWidth,
        PenStyle,
        PenMode,
        BrushStyle,
        BrushColor,
        MoveTo,
        LineTo,
        TextOut,
        Rectangle,
        RoundRect,
        Ellipse,
        FillRect,
        StretchDraw,
    };
    Kind kind = Kind::MoveTo;
    int a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    std::string text;
    std::shared_ptr<const Bitmap> picture;
};

// The drawing of a page, kept: the calls before its number line and the calls after it.
struct KeptPage {
    std::vector<DrawCall> calls;
    std::size_t numberLineAt = 0; // the number line is drawn before calls[numberLineAt]
    bool hasNumberLine = false;
    // False when the page asked the canvas for pixels back (drawing that depends on what
    // the page already shows cannot be kept): every copy is then laid out.
    bool repeatable = true;

    // Makes the kept calls on canvas, with drawNumberLine called where the number line goes.
    template <typename NumberLine> void drawOn(Canvas& canvas, NumberLine&& drawNumberLine) const {
        const std::size_t at = hasNumberLine ? numberLineAt : calls.size();
        drawCalls(canvas, 0, at);
        if (hasNumberLine) drawNumberLine();
        drawCalls(canvas, at, calls.size());
    }
    void drawCalls(Canvas& canvas, std::size_t from, std::size_t to) const;
};

class IdenticalCopies {
  public:
    // Copies of sheet laid out with request (a printer page's request).
    IdenticalCopies(Workspace& program, Worksheet& sheet, LayoutRequest request);

    // Draws the next copy on page, a fresh printer page: the first through the page layout,
    // keeping what it draws; later ones from the kept page, with the number line of the
    // worksheet's 開始番号 as it stands now.
    void draw(Canvas& page);

  private:
    Workspace& program_;
    Worksheet& sheet_;
    LayoutRequest request_;
    std::unique_ptr<KeptPage> kept_;
};

// A screen page image made by the caller: drawing is made on a blank page image of the
// worksheet's paper (as its screen page is drawn), and the image returned.
using ScreenPageDrawing = std::function<Bitmap(const std::function<void(Canvas&)>& drawing)>;
// PrintWorksheet for a caller that makes page images itself (the command line): in the
// screen-faithful mode each copy's page image comes from drawPage, the first copy's with the
// page laid out, later ones repeating its drawing with their own number line. The screen
// page is laid out once more after the job, as PrintWorksheet does.
bool PrintWorksheet(Workspace& program, Printer& printer, const ScreenPageDrawing& drawPage,
                    const CopyProgress& progress = {});
