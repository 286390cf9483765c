// Fractions on the real canvas, at every size the layout can ask for: the numerator's ink
// stays above the bar and the denominator's below it, with white between, on the page image
// and on a 600-dpi paper page.
#include <QImage>
#include <gtest/gtest.h>

#include <string>

#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "typeset/Formula.h"

namespace {

bool ink(QRgb c) {
    return qGray(c) < 160;
}

// Rows of the image from top to bottom, each with its count of ink pixels.
std::vector<int> inkRows(const QImage& im) {
    std::vector<int> rows(static_cast<std::size_t>(im.height()), 0);
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            rows[static_cast<std::size_t>(y)] += ink(im.pixel(x, y)) ? 1 : 0;
    return rows;
}

struct Gaps {
    int above = -1; // white rows between the numerator's ink and the bar
    int below = -1; // white rows between the bar and the denominator's ink
};

// The bar is the run of rows holding the most ink; white rows are counted from it up to the
// numerator and down to the denominator. -1 when a part has no ink at all.
Gaps gapsOf(const QImage& im) {
    const std::vector<int> rows = inkRows(im);
    const int n = static_cast<int>(rows.size());
    int bar = 0;
    for (int y = 0; y < n; ++y)
        if (rows[static_cast<std::size_t>(y)] > rows[static_cast<std::size_t>(bar)]) bar = y;
    const int barInk = rows[static_cast<std::size_t>(bar)];
    auto isBar = [&](int y) { return rows[static_cast<std::size_t>(y)] * 10 >= barInk * 9; };
    int top = bar, bottom = bar;
    while (top > 0 && isBar(top - 1))
        --top;
    while (bottom + 1 < n && isBar(bottom + 1))
        ++bottom;
    Gaps g;
    for (int y = top - 1, white = 0; y >= 0; --y, ++white)
        if (rows[static_cast<std::size_t>(y)] > 0) {
            g.above = white;
            break;
        }
    for (int y = bottom + 1, white = 0; y < n; ++y, ++white)
        if (rows[static_cast<std::size_t>(y)] > 0) {
            g.below = white;
            break;
        }
    return g;
}

// Draws one formula on a canvas showing 200 × 200 layout units at dots per unit k.
QImage drawn(const std::string& formula, int size, double k) {
    const int side = static_cast<int>(200 * k);
    QImage page = makePageImage(side, side);
    {
        QtCanvas canvas(page);
        if (k != 1.0) canvas.setLayoutPage(200, 200, static_cast<int>(k * 76.2 + 0.5));
        canvas.setFontFace(J("ＭＳ 明朝"));
        canvas.setBrushStyle(BrushStyle::Clear);
        FormulaContext ctx;
        ctx.unitV = 7;
        ctx.unitH = std::max(1, size / 6);
        ctx.charSize = size;
        ctx.worksheetCurrent = true;
        ctx.mainFace = J("ＭＳ 明朝");
        ctx.letterFace = "Bookman Old Style";
        DrawFormula(ctx, size, 10, 60, 1.0, canvas, formula, colors::Black);
    }
    return page;
}

TEST(FractionInk, PartsClearOfTheBarAtEverySize) {
    const double paper = 600 / 76.2;
    int checked = 0;
    // Digits, a letter with a tail, and a bracketed numerator over a shorter denominator.
    for (const char* formula : {"12/34", "[y]/3", "[x+1]/3"})
        for (int size = 8; size <= 54; size += 2)
            for (double k : {1.0, paper}) {
                const Gaps g = gapsOf(drawn(formula, size, k));
                const std::string where = std::string(formula) + " size " + std::to_string(size) +
                                          (k == 1.0 ? " on screen" : " on paper");
                // On paper a white gap of at least a quarter of a screen pixel.
                const int least = k == 1.0 ? 1 : 2;
                EXPECT_GE(g.above, least) << where;
                EXPECT_GE(g.below, least) << where;
                ++checked;
            }
    EXPECT_EQ(checked, 3 * 24 * 2);
}

} // namespace
