// The measuring canvas in front of a recording canvas: what it notes as covered, and that a
// hidden drawing never reaches the canvas behind while measuring exactly as a drawn one.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "RecordingCanvas.h"
#include "text/Sjis.h"
#include "typeset/Formula.h"
#include "typeset/MeasuringCanvas.h"

namespace {

using Kind = RecordingCanvas::Kind;

TEST(MeasuringCanvas, NotesTheAreaItsDrawingCovers) {
    struct Case {
        const char* name;
        std::function<void(Canvas&)> draw;
        std::optional<Rect> covered;
    } cases[] = {
        {"nothing", [](Canvas&) {}, std::nullopt},
        {"blanks leave no ink",
         [](Canvas& c) {
             c.textOut(10, 20, "  ");
             c.textOut(40, 20, J("　"));
         },
         std::nullopt},
        // 12 pt: 8 units a byte, 16 high.
        {"a text cell", [](Canvas& c) { c.textOut(10, 20, "12"); }, Rect{10, 20, 26, 36}},
        {"cells joined",
         [](Canvas& c) {
             c.textOut(10, 20, "1");
             c.setFontSize(24);
             c.textOut(30, 5, "2");
         },
         Rect{10, 5, 46, 37}},
        {"a line widened by its pen",
         [](Canvas& c) {
             c.setPenWidth(3);
             c.moveTo(10, 50);
             c.lineTo(40, 50);
         },
         Rect{8, 48, 42, 52}},
        {"shapes and pictures",
         [](Canvas& c) {
             c.rectangle(Rect{5, 5, 20, 20});
             c.stretchDraw(Rect{30, 40, 50, 60}, Bitmap(2, 2));
         },
         Rect{5, 5, 50, 60}},
    };
    for (const Case& c : cases) {
        for (bool draw : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (draw ? " drawn" : " hidden"));
            RecordingCanvas target;
            MeasuringCanvas meter(target);
            meter.begin(draw);
            c.draw(meter);
            EXPECT_EQ(meter.end(), c.covered);
            const bool drew = target.count(Kind::TextOut) + target.count(Kind::LineTo) +
                                  target.count(Kind::Rectangle) + target.count(Kind::StretchDraw) >
                              0;
            if (!draw) {
                EXPECT_FALSE(drew);
            }
        }
    }
}

// A hidden formula moves the pen and reports its extent exactly as the drawn one, and no
// text, bar or picture of it reaches the canvas; settings still do, so later measuring agrees.
TEST(MeasuringCanvas, HiddenFormulaKeepsItsPlace) {
    FormulaContext ctx;
    ctx.worksheetCurrent = true;
    for (const char* text : {"x=3", "-3/5x+18", "[x+1]/3", "x^2", J("x＝3").c_str(), "g"}) {
        SCOPED_TRACE(text);
        RecordingCanvas shownTarget, hiddenTarget;
        MeasuringCanvas shown(shownTarget), hidden(hiddenTarget);
        shown.begin(true);
        hidden.begin(false);
        const Point a = DrawFormula(ctx, 12, 40, 100, 1.0, shown, text, colors::Blue);
        const Point b = DrawFormula(ctx, 12, 40, 100, 1.0, hidden, text, colors::Blue);
        EXPECT_EQ(a, b);
        EXPECT_EQ(shown.penPos(), hidden.penPos());
        EXPECT_EQ(shown.end(), hidden.end());
        EXPECT_EQ(hiddenTarget.count(Kind::TextOut) + hiddenTarget.count(Kind::LineTo) +
                      hiddenTarget.count(Kind::StretchDraw),
                  0u);
        EXPECT_GT(shownTarget.count(Kind::TextOut) + shownTarget.count(Kind::StretchDraw), 0u);
        EXPECT_EQ(hiddenTarget.state().size, shownTarget.state().size);
        // After the measure, drawing reaches the canvas again.
        hidden.textOut(0, 0, "7");
        EXPECT_EQ(hiddenTarget.count(Kind::TextOut), 1u);
    }
}

} // namespace
