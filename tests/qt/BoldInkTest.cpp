// Bold text as dark on paper as on screen: the Japanese faces have no bold style of their
// own, and a bold run made up from the regular face lays as much ink on a 600-dpi PDF page
// (rasterised at the page image's scale) as on the page image, and clearly more than the
// regular run.
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"

namespace {

// The mean darkness (0 white, 1 black) of the band rows top .. top + height − 1 of image.
double darkness(const QImage& image, int top, int height) {
    double sum = 0;
    int n = 0;
    for (int y = top; y < top + height && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x, ++n)
            sum += (255 - qGray(image.pixel(x, y))) / 255.0;
    return n ? sum / n : 0;
}

struct Line {
    const char* face;
    int points;
    const char* text; // UTF-8
};

constexpr int kRow = 40; // layout units between the lines

// Every line twice, regular and bold, one under the other.
void drawLines(Canvas& c, const std::vector<Line>& lines) {
    c.setBrushStyle(BrushStyle::Clear);
    int y = 20;
    for (const Line& l : lines)
        for (unsigned style : {0u, fontstyle::Bold}) {
            c.setFontFace(J(l.face));
            c.setFontSize(l.points);
            c.setFontStyle(style);
            c.textOut(20, y, J(l.text));
            y += kRow;
        }
}

// The lines on a 600-dpi A4 PDF page.
void printLines(const QString& file, const std::vector<Line>& lines) {
    QtPdfPrinter printer(file, QPageSize(QPageSize::A4), 600);
    ASSERT_TRUE(printer.beginDoc());
    drawLines(printer.canvas(), lines);
    ASSERT_TRUE(printer.endDoc());
    ASSERT_TRUE(printer.finish());
}

TEST(BoldInk, AsDarkOnPaperAsOnScreen) {
    const std::vector<Line> lines = {{"ＭＳ 明朝", 10, "次の方程式を解きなさい。"},
                                     {"ＭＳ 明朝", 12, "次の方程式を解きなさい。"},
                                     {"ＭＳ 明朝", 16, "連立方程式の文章題"},
                                     {"ＭＳ 明朝", 24, "総合問題"},
                                     {"ＭＳ ゴシック", 12, "比例式の利用"},
                                     {"ＭＳ ゴシック", 20, "１次関数"}};
    QImage screen = makePageImage(630, 891);
    {
        QtCanvas canvas(screen);
        drawLines(canvas, lines);
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bold.pdf"));
    printLines(file, lines);
    if (::testing::Test::HasFatalFailure()) return;
    const QImage paper = rasterisePdfPage(file, dir.filePath(QStringLiteral("bold")));
    if (paper.isNull()) GTEST_SKIP() << "poppler-utils missing";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int top = 20 + static_cast<int>(2 * i) * kRow;
        const std::string what = std::string(lines[i].face) + " " + std::to_string(lines[i].points);
        const double regularScreen = darkness(screen, top, kRow);
        const double boldScreen = darkness(screen, top + kRow, kRow);
        const double regularPaper = darkness(paper, top, kRow);
        const double boldPaper = darkness(paper, top + kRow, kRow);
        EXPECT_GT(boldScreen, regularScreen * 1.15) << what;
        EXPECT_GT(boldPaper, regularPaper * 1.15) << what;
        // Bold adds as much ink on paper as on screen, within a fifth.
        const double addedScreen = boldScreen - regularScreen;
        const double addedPaper = boldPaper - regularPaper;
        EXPECT_NEAR(addedPaper / addedScreen, 1.0, 0.2) << what;
    }
}

// The ink of a bold made up on paper grows evenly around the regular glyphs: its box on a
// 600-dpi raster reaches as far beyond the regular run's box on the left as on the right, and
// above as below (an outline grown by the font engine leans up and to the right).
TEST(BoldInk, PaperBoldGrowsEvenlyAroundTheRegularGlyphs) {
    const std::vector<Line> lines = {{"ＭＳ 明朝", 16, "次の方程式を解きなさい。"},
                                     {"ＭＳ ゴシック", 20, "１次関数"}};
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("even.pdf"));
    printLines(file, lines);
    if (::testing::Test::HasFatalFailure()) return;
    const QString prefix = dir.filePath(QStringLiteral("even"));
    if (!poppler(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"),
                  // the corner of the page that holds the lines
                  QStringLiteral("-W"), QStringLiteral("4000"), QStringLiteral("-H"),
                  QStringLiteral("1600"), file, prefix}))
        GTEST_SKIP() << "poppler-utils missing";
    const QImage page =
        QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    const double dots = 600 / 76.2; // raster pixels per layout unit
    // The box of the dark pixels in the band of one drawn line.
    auto inkBox = [&](int top) {
        QRect box;
        const int y0 = static_cast<int>(top * dots), y1 = static_cast<int>((top + kRow) * dots);
        for (int y = y0; y < y1 && y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
        return box;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int top = 20 + static_cast<int>(2 * i) * kRow;
        // The bold run stands one row lower: its box moved up onto the regular one.
        const QRect regular = inkBox(top),
                    bold = inkBox(top + kRow)
                               .translated(0, -static_cast<int>(std::lround(kRow * dots)));
        SCOPED_TRACE(std::string(lines[i].face) + " " + std::to_string(lines[i].points));
        ASSERT_FALSE(regular.isEmpty());
        ASSERT_FALSE(bold.isEmpty());
        const int left = regular.left() - bold.left(), right = bold.right() - regular.right();
        const int up = regular.top() - bold.top(), down = bold.bottom() - regular.bottom();
        EXPECT_GE(std::min({left, right, up, down}), 0);
        EXPECT_LE(std::abs(left - right), 3);
        EXPECT_LE(std::abs(up - down), 3);
    }
}

} // namespace
