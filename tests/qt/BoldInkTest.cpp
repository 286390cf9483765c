// Bold text as dark on paper as on screen: the Japanese faces have no bold style of their
// own, and a bold run made up from the regular face lays as much ink on a 600-dpi PDF page
// (rasterised at the page image's scale) as on the page image, and clearly more than the
// regular run.
#include <QImage>
#include <QTemporaryDir>
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
    {
        QtPdfPrinter printer(file, QPageSize(QPageSize::A4), 600);
        ASSERT_TRUE(printer.beginDoc());
        drawLines(printer.canvas(), lines);
        ASSERT_TRUE(printer.endDoc());
        ASSERT_TRUE(printer.finish());
    }
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

} // namespace
