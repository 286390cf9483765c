// A printed sheet is its page image, scaled: sheets of the bundled course rendered to the
// PNG page image and to a 600-dpi PDF, the PDF rasterised at one pixel per layout unit, and
// the ink of every answer, every question line and the header rules compared.
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "RecordingCanvas.h"
#include "RunVelmix.h"
#include "cli/CliSession.h"
#include "worksheet/PageLayout.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const QString CourseDir = QStringLiteral(VELMIX_SOURCE_DIR "/course");

// True when the page layout draws a printed page as it draws the screen page: every text
// run in the same place and size on a page of layout units. (Printed pages used to get
// bigger text and moved boxes, made for printers of another platform.)
bool layoutDrawsPaperAsScreen(Program& p, Worksheet& sheet) {
    RecordingCanvas screen(630, 891, 96), paper(630, 891, 96);
    LayOutPage(p, sheet, screen, false);
    LayOutPage(p, sheet, paper, true);
    const auto a = screen.textOuts(), b = paper.textOuts();
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i]->x != b[i]->x || a[i]->y != b[i]->y || a[i]->state.size != b[i]->state.size)
            return false;
    return true;
}

std::string text(const QRect& r) {
    return "(" + std::to_string(r.left()) + "," + std::to_string(r.top()) + ")-(" +
           std::to_string(r.right()) + "," + std::to_string(r.bottom()) + ")";
}

// The ink's extent agrees within two pixels (the two rasterisers shade the thin ends of
// strokes differently); returns the sum of the four edges' differences.
int expectSameInk(const QRect& area, const InkAt& screen, const InkAt& paper,
                  const std::string& name) {
    const QRect inside = area.intersected(QRect(0, 0, 629, 891));
    const QRect a = inkBox(inside, screen), b = inkBox(inside, paper);
    const std::string what = name + ": page image " + text(a) + ", paper " + text(b);
    EXPECT_FALSE(a.isNull()) << what << ": no ink on the page image";
    EXPECT_FALSE(b.isNull()) << what << ": no ink on paper";
    if (a.isNull() || b.isNull()) return 0;
    const int d[] = {std::abs(a.left() - b.left()), std::abs(a.right() - b.right()),
                     std::abs(a.top() - b.top()), std::abs(a.bottom() - b.bottom())};
    for (int v : d)
        EXPECT_LE(v, 2) << what;
    return d[0] + d[1] + d[2] + d[3];
}

TEST(PrintEqualsScreen, AnswersLinesAndRulesStandWhereThePageImagePutsThem) {
    if (!poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-v")}))
        GTEST_SKIP() << "pdftoppm is not installed";
    for (const char* unit : {"1.1.1", "1.2.1", "2.1.1", "3.2.1"}) {
        SCOPED_TRACE(unit);
        // The answer boxes of the answer sheet, as the command lays it out.
        CliSession session;
        ASSERT_TRUE(session.openCourse(CourseDir.toStdString()));
        int l = 0, s = 0, u = 0;
        std::sscanf(unit, "%d.%d.%d", &l, &s, &u);
        ASSERT_TRUE(session.openUnit(UnitRef{l, s, u, 0}));
        Program& p = session.program();
        p.sheets.pageOptions.alternatives = true;
        if (!session.sheet()->ShowAnswers) ToggleShowAnswers(p);
        Relayout(p, *session.sheet());
        const int boxes = p.sheets.current->layout.kranCount;
        const std::vector<KranEntry> kran(p.sheets.current->layout.KranTable.begin(),
                                          p.sheets.current->layout.KranTable.begin() + boxes + 1);
        if (!layoutDrawsPaperAsScreen(p, *session.sheet()))
            GTEST_SKIP() << "the page layout still draws printed pages bigger than the screen "
                            "page; printed sheets are compared once it draws them alike";

        QTemporaryDir tmp;
        const QString png = tmp.filePath(QStringLiteral("sheet.png"));
        const QString pdf = tmp.filePath(QStringLiteral("sheet.pdf"));
        Outcome o =
            runVelmix({"render", CourseDir, "--unit", unit, "--answers", "-o", png}, tmp.path());
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        o = runVelmix({"render", CourseDir, "--unit", unit, "--answers", "--numbered", "--dpi",
                       "600", "-o", pdf},
                      tmp.path());
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        const QImage screen = QImage(png).convertToFormat(QImage::Format_RGB32);
        const QImage paper = rasterisePdfPage(pdf, tmp.filePath(QStringLiteral("sheet")));
        ASSERT_FALSE(paper.isNull());

        int off = 0, edges = 0;
        for (int k = 1; k <= boxes; ++k) {
            const KranEntry& e = kran[static_cast<std::size_t>(k)];
            const int px = e.fontSize * 4 / 3;
            const std::string what = "answer " + std::to_string(k);
            // Down to the fraction's denominator, but not into the next line's answer.
            int bottom = e.y + 2 * px;
            for (int n = k + 1; n <= boxes; ++n)
                if (kran[static_cast<std::size_t>(n)].y > e.y) {
                    bottom = std::min(bottom, kran[static_cast<std::size_t>(n)].y + 4);
                    break;
                }
            const QRect answer(QPoint(e.x - 4, e.y - 4), QPoint(e.x + e.width + 6, bottom));
            // Where a box line crosses an answer the page image shows the line, while the
            // thinner printed line lets the answer show beside it: only the answer's ink
            // outside the page image's lines is compared.
            const auto answerInk = [&screen](const QImage& im) {
                return [&screen, &im](int x, int y) {
                    const QRgb s = screen.pixel(x, y);
                    const bool line = qGray(s) < 160 && !blueInk(s);
                    return !line && blueInk(im.pixel(x, y));
                };
            };
            off += expectSameInk(answer, answerInk(screen), answerInk(paper), what);
            edges += 4;
            // The question line the answer stands on, text and box alike.
            const QRect line(0, e.y + 2, 630, px - 4);
            const auto lineInk = [](const QImage& im) {
                return [&im](int x, int y) { return darkInk(im.pixel(x, y)); };
            };
            off += expectSameInk(line, lineInk(screen), lineInk(paper), what + ": its line");
            edges += 4;
        }
        // Most edges agree to the pixel.
        EXPECT_LE(off, edges / 2) << "pixels off in all over " << edges << " edges";
        // The header rules, across the middle of the page.
        for (int y : {30, 90}) {
            const QRect rule(300, y - 4, 30, 9);
            const QPointF a = inkCentre(screen, rule), b = inkCentre(paper, rule);
            EXPECT_NEAR(a.y(), b.y(), 0.3) << "rule at " << y;
        }
    }
}

} // namespace
