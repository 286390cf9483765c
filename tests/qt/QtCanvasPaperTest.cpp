// Paper equals screen: a PDF page shows the layout the same page of layout units as the
// screen page image, with the same text metrics, and whatever is drawn on both lands on the
// same places. PDF pages are rasterised with poppler at 76.2 dpi, one pixel per layout unit,
// so that they can be laid over the page image.
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "qt/CanvasImages.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"

namespace {

using Drawing = std::function<void(Canvas&)>;

QImage onScreen(const Drawing& draw) {
    QImage page = makePageImage(630, 891);
    QtCanvas canvas(page);
    draw(canvas);
    canvas.end();
    return page;
}

// The drawing on one PDF page at dpi, rasterised at one pixel per layout unit; a null image
// when poppler is missing.
QImage onPaper(const Drawing& draw, int dpi, const QTemporaryDir& dir) {
    const QString file = dir.filePath(QStringLiteral("paper%1.pdf").arg(dpi));
    {
        QtPdfPrinter printer(file, QPageSize(QPageSize::A4), dpi);
        if (!printer.beginDoc()) return {};
        draw(printer.canvas());
        if (!printer.endDoc() || !printer.finish()) return {};
    }
    return rasterisePdfPage(file, dir.filePath(QStringLiteral("paper%1").arg(dpi)));
}

// rightSlack: how much further right the screen may ink (its bold glyphs are emboldened to
// the right by 1/24 of the size; the PDF engine emboldens less).
void expectSameBox(const QRect& screen, const QRect& paper, const std::string& what,
                   int rightSlack = 0) {
    ASSERT_FALSE(screen.isNull()) << what << ": no ink on screen";
    ASSERT_FALSE(paper.isNull()) << what << ": no ink on paper";
    EXPECT_LE(std::abs(screen.left() - paper.left()), 1) << what;
    EXPECT_LE(paper.right() - screen.right(), 1) << what;
    EXPECT_LE(screen.right() - paper.right(), 1 + rightSlack) << what;
    EXPECT_LE(std::abs(screen.top() - paper.top()), 1) << what;
    EXPECT_LE(std::abs(screen.bottom() - paper.bottom()), 1) << what;
}

struct TextCase {
    const char* face;
    int points;
    unsigned style;
    const char* text; // UTF-8
};

const TextCase kTexts[] = {
    {"ＭＳ 明朝", 8, 0, "次の方程式を解きなさい。"},
    {"ＭＳ 明朝", 10, 0, "(10) 2/5x=-4   x=-10"},
    {"ＭＳ 明朝", 12, 0, "(1) x+5=12 のグラフを図1にかきなさい。"},
    {"ＭＳ 明朝", 14, fontstyle::Bold, "移項して、次の方程式を解きなさい。"},
    {"ＭＳ 明朝", 16, 0, "1次方程式//方程式の解き方§1-1"},
    {"ＭＳ ゴシック", 12, 0, "実施日　　月　　日 Wg"},
    {"ＭＳ Ｐゴシック", 20, 0, "氏名 ＡＢＣ abc 123"},
    {"Bookman Old Style", 12, fontstyle::Italic, "xyaxyaxya"},
    {"Bookman Old Style", 18, fontstyle::Italic, "x y a"},
    {"ＭＳ 明朝", 50, 0, "-3/7x"},
};

TEST(PaperCanvas, TextHasOneWidthOnScreenAndOnPaperAtEveryResolution) {
    QTemporaryDir dir;
    QImage page = makePageImage(630, 891);
    QtCanvas screen(page);
    for (int dpi : {300, 600, 1200}) {
        QtPdfPrinter printer(dir.filePath(QStringLiteral("w%1.pdf").arg(dpi)),
                             QPageSize(QPageSize::A4), dpi);
        ASSERT_TRUE(printer.beginDoc());
        Canvas& paper = printer.canvas();
        for (const TextCase& c : kTexts) {
            SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(dpi) + " dpi");
            for (Canvas* canvas : {static_cast<Canvas*>(&screen), &paper}) {
                canvas->setFontFace(J(c.face));
                canvas->setFontSize(c.points);
                canvas->setFontStyle(c.style);
            }
            const std::string text = J(c.text);
            EXPECT_EQ(screen.textWidth(text), paper.textWidth(text));
            EXPECT_EQ(screen.textHeight(text), paper.textHeight(text));
            // Every part of a run measures the same too: runs are cut and joined freely.
            for (std::size_t cut = 1; cut < text.size(); cut += 7)
                EXPECT_EQ(screen.textWidth(text.substr(0, cut)),
                          paper.textWidth(text.substr(0, cut)));
        }
        printer.abortDoc();
    }
}

TEST(PaperCanvas, PaperIsShownInLayoutUnitsWhileThePrinterCountsDots) {
    struct {
        int paperWidth;
        int dpi;
        int dotsW, dotsH;
        int unitsW, unitsH;
    } cases[] = {{630, 600, 4960, 7015, 630, 891},
                 {630, 300, 2480, 3507, 630, 891},
                 {546, 600, 4299, 6070, 546, 771},
                 {771, 600, 6070, 8598, 771, 1092},
                 {891, 1200, 14031, 19842, 891, 1260}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.paperWidth) + " at " + std::to_string(c.dpi));
        QtPdfPrinter printer(dir.filePath(QStringLiteral("p.pdf")), paperPageSize(c.paperWidth),
                             c.dpi);
        EXPECT_EQ(printer.pageWidth(), c.dotsW);
        EXPECT_EQ(printer.pageHeight(), c.dotsH);
        EXPECT_EQ(printer.resolution(), c.dpi);
        ASSERT_TRUE(printer.beginDoc());
        Canvas& canvas = printer.canvas();
        EXPECT_EQ(canvas.deviceWidth(), c.unitsW);
        EXPECT_EQ(canvas.deviceHeight(), c.unitsH);
        // Point sizes become layout units as on the 96-dpi page image: 12 pt is 16 units.
        EXPECT_EQ(canvas.dpiX(), 96);
        canvas.setFontFace(J("ＭＳ 明朝"));
        canvas.setFontSize(12);
        EXPECT_EQ(canvas.textWidth(J("表")), 16);
        canvas.textOut(100, 100, J("表"));
        EXPECT_EQ(canvas.penPos(), (Point{116, 100}));
        printer.abortDoc();
    }
}

// A test sheet: text runs of every size and face, lines of several widths, outlines and a
// picture, each in a cell of its own so that its ink can be found on both pages.
struct Item {
    std::string name;
    QRect cell;
    Drawing draw;
    int rightSlack = 0;
    bool stroke = false; // a line or outline: it runs along the middle of the screen's ink
};

std::vector<Item> testSheet(const Bitmap& picture) {
    std::vector<Item> items;
    int y = 20;
    for (const TextCase& c : kTexts) {
        const int h = c.points * 2 + 6;
        const int x = 20 + (y % 3) * 7; // odd places too
        items.push_back(
            {c.text, QRect(0, y - 3, 630, h),
             [c, x, y](Canvas& cv) {
                 cv.setBrushStyle(BrushStyle::Clear);
                 cv.setFontColor(colors::Black);
                 cv.setFontFace(J(c.face));
                 cv.setFontSize(c.points);
                 cv.setFontStyle(c.style);
                 // Glyph by glyph, as the typesetter draws a formula.
                 const std::string text = J(c.text);
                 cv.moveTo(x, y);
                 int at = x;
                 for (std::size_t i = 0; i < text.size(); i += sjis::charLen(text, i)) {
                     cv.textOut(at, y, std::string_view(text).substr(i, sjis::charLen(text, i)));
                     at = cv.penPos().x + 1;
                 }
             },
             c.style & fontstyle::Bold ? (c.points * 4 / 3 + 23) / 24 : 0});
        y += h + 4;
    }
    for (int w : {1, 2, 3}) {
        const int ly = y + 4;
        items.push_back(
            {"level line " + std::to_string(w), QRect(0, ly - 4, 630, 9), [w, ly](Canvas& cv) {
                 cv.setPenWidth(w);
                 cv.moveTo(40 + w, ly);
                 cv.lineTo(401 + w, ly);
             }});
        items.push_back({"upright line " + std::to_string(w), QRect(500 + 20 * w - 5, y, 11, 40),
                         [w, y](Canvas& cv) {
                             cv.setPenWidth(w);
                             cv.moveTo(500 + 20 * w, y + 1);
                             cv.lineTo(500 + 20 * w, y + 36);
                         },
                         0, true});
        y += 12;
    }
    y += 30;
    // Outlines with a clear brush: rectangle, rounded box (corner 16) and ellipse.
    const struct {
        const char* name;
        int shape;
        int pen;
        Rect r;
    } outlines[] = {{"rectangle", 0, 1, {35, y, 151, y + 47}},
                    {"rounded box", 1, 1, {175, y, 290, y + 44}},
                    {"ellipse", 2, 2, {315, y, 433, y + 45}}};
    for (const auto& o : outlines)
        items.push_back({o.name, QRect(o.r.left - 5, y - 3, 130, 56),
                         [o](Canvas& cv) {
                             cv.setBrushStyle(BrushStyle::Clear);
                             cv.setPenWidth(o.pen);
                             if (o.shape == 0) cv.rectangle(o.r);
                             if (o.shape == 1) cv.roundRect(o.r, 16, 16);
                             if (o.shape == 2) cv.ellipse(o.r);
                         },
                         0, true});
    items.push_back({"picture", QRect(450, y - 3, 150, 70), [y, picture](Canvas& cv) {
                         cv.stretchDraw({455, y, 455 + picture.width, y + picture.height}, picture);
                     }});
    return items;
}

// A small picture with a dark frame and coloured stripes (the class flag's kind).
Bitmap stripes() {
    Bitmap b(61, 45, 0xFFFFFFFFu);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            if (x == 0 || y == 0 || x == b.width - 1 || y == b.height - 1)
                b.at(x, y) = 0xFF101060u;
            else if ((x + y) / 6 % 3 == 0)
                b.at(x, y) = 0xFFE0C020u;
            else if ((x + y) / 6 % 3 == 1)
                b.at(x, y) = 0xFF2040A0u;
        }
    return b;
}

TEST(PaperCanvas, EverythingDrawnStandsWhereThePageImagePutsIt) {
    QTemporaryDir dir;
    const Bitmap picture = stripes();
    const std::vector<Item> items = testSheet(picture);
    const Drawing all = [&](Canvas& cv) {
        for (const Item& item : items)
            item.draw(cv);
    };
    const QImage screen = onScreen(all);
    for (int dpi : {600, 300}) {
        const QImage paper = onPaper(all, dpi, dir);
        if (paper.isNull()) GTEST_SKIP() << "pdftoppm is not installed";
        ASSERT_NEAR(paper.width(), 630, 1);
        for (const Item& item : items) {
            const std::string what = item.name + " at " + std::to_string(dpi) + " dpi";
            expectSameBox(inkBox(screen, item.cell, darkInk), inkBox(paper, item.cell, darkInk),
                          what, item.rightSlack);
            if (!item.stroke) continue;
            const QPointF a = inkCentre(screen, item.cell), b = inkCentre(paper, item.cell);
            EXPECT_NEAR(a.x(), b.x(), 0.25) << what;
            EXPECT_NEAR(a.y(), b.y(), 0.25) << what;
        }
    }
}

} // namespace
