// Numbered copies printed into a PDF file at the printer's resolution: the copies drawn
// again from the first copy's drawing, with only their number line laid out, read and look
// as the copies laid out one by one do, page for page.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "cli/CliSession.h"
#include "qt/CanvasImages.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "worksheet/PageLayout.h"
#include "worksheet/PrintJob.h"
#include "worksheet/RepeatedCopies.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const std::string CourseDir = VELMIX_SOURCE_DIR "/course";
const std::string Sheet = VELMIX_SOURCE_DIR "/bench/print_sheet20.prp";

std::optional<QString> pageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return poppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-layout"),
                    pdf, QStringLiteral("-")});
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

// Sets SOURCE_DATE_EPOCH for the life of the object: both files of a comparison show the
// same moment in their number lines.
class FixedMoment {
  public:
    FixedMoment() : old_(qgetenv("SOURCE_DATE_EPOCH")) {
        qputenv("SOURCE_DATE_EPOCH", "1765094400");
    }
    ~FixedMoment() {
        if (old_.isNull())
            qunsetenv("SOURCE_DATE_EPOCH");
        else
            qputenv("SOURCE_DATE_EPOCH", old_);
    }

  private:
    QByteArray old_;
};

TEST(RepeatedCopiesPdf, CopiesReadAndLookAsCopiesLaidOutOneByOne) {
    if (!poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-v")}) ||
        !poppler(QStringLiteral("pdftotext"), {QStringLiteral("-v")}))
        GTEST_SKIP() << "poppler-utils missing";
    FixedMoment moment;
    QTemporaryDir dir;
    CliSession session;
    ASSERT_TRUE(session.openCourse(CourseDir));
    ASSERT_TRUE(session.openWorksheetFile(Sheet));
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    if (!sheet.ShowAnswers) ToggleShowAnswers(p);
    p.sheets.printerResolution = true;
    p.sheets.pageOptions.numbered = true;
    const int copies = 20;

    // The print job.
    const QString job = dir.filePath(QStringLiteral("job.pdf"));
    {
        QtPdfPrinter printer(job, paperPageSize(sheet.paper.Width), 300);
        printer.setCopyCount(copies);
        ASSERT_TRUE(PrintWorksheet(p, printer, [&session] {
            return canvasBitmapOf(session.pageImage(), session.pageImage().rect());
        }));
        ASSERT_TRUE(printer.finish());
        EXPECT_EQ(printer.pageCount(), copies);
    }
    EXPECT_EQ(sheet.startNumber, 1);
    // Every copy laid out on its own page of the same kind of file.
    const QString one = dir.filePath(QStringLiteral("onebyone.pdf"));
    {
        QtPdfPrinter printer(one, paperPageSize(sheet.paper.Width), 300);
        printer.setCopyCount(copies);
        for (int n = 1; n <= copies; ++n) {
            sheet.startNumber = n;
            ASSERT_TRUE(printer.beginDoc());
            LayOutPage(p, sheet, printer.canvas(), true);
            ASSERT_TRUE(printer.endDoc());
        }
        ASSERT_TRUE(printer.finish());
    }
    for (int n : {1, 17, copies}) {
        SCOPED_TRACE(n);
        const QString printed = pageText(job, n).value_or(QString());
        EXPECT_TRUE(printed.contains(QStringLiteral("№ %1 ").arg(n))) << printed.toStdString();
        EXPECT_TRUE(printed.contains(QString::fromUtf8("次の方程式を解きなさい。")))
            << printed.toStdString();
        EXPECT_EQ(printed, pageText(one, n).value_or(QString("(unreadable)")));
        const QImage a = rasterisePdfPage(job, dir.filePath(QStringLiteral("a%1").arg(n)), n, 2);
        const QImage b = rasterisePdfPage(one, dir.filePath(QStringLiteral("b%1").arg(n)), n, 2);
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(differingPixels(a, b), 0);
        // Ink on the page: the copy is not blank on both sides.
        EXPECT_FALSE(inkBox(a, a.rect(), darkInk).isNull());
    }
}

// The screen-faithful copies of the command line: page images drawn from the first copy's
// drawing give the file that laying the screen page out for every copy gives.
TEST(RepeatedCopiesPdf, ScreenFaithfulCopiesAreThePageImagesOfEachCopy) {
    if (!poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-v")}))
        GTEST_SKIP() << "pdftoppm is not installed";
    FixedMoment moment;
    QTemporaryDir dir;
    CliSession session;
    ASSERT_TRUE(session.openCourse(CourseDir));
    ASSERT_TRUE(session.openWorksheetFile(Sheet));
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    p.sheets.printerResolution = false;
    p.sheets.pageOptions.numbered = true;
    const int copies = 18;
    auto print = [&](const QString& file, auto&& pages) {
        QtPdfPrinter printer(file, paperPageSize(sheet.paper.Width), 150);
        printer.setCopyCount(copies);
        EXPECT_TRUE(PrintWorksheet(p, printer, pages));
        EXPECT_TRUE(printer.finish());
        EXPECT_EQ(printer.pageCount(), copies);
    };
    const QString drawn = dir.filePath(QStringLiteral("drawn.pdf"));
    print(drawn, ScreenPageDrawing([&sheet](const std::function<void(Canvas&)>& drawing) {
              QImage image = makePageImage(sheet.paper.Width, sheet.paper.Height);
              {
                  QtCanvas canvas(image);
                  drawing(canvas);
              }
              return canvasBitmapOf(image, image.rect());
          }));
    const QString laidOut = dir.filePath(QStringLiteral("laidout.pdf"));
    print(laidOut, PageImageSource([&session] {
              return canvasBitmapOf(session.pageImage(), session.pageImage().rect());
          }));
    EXPECT_EQ(sheet.startNumber, 1);
    const QImage first = rasterisePdfPage(drawn, dir.filePath(QStringLiteral("first")), 1, 1);
    for (int n : {2, 17}) {
        SCOPED_TRACE(n);
        const QImage a = rasterisePdfPage(drawn, dir.filePath(QStringLiteral("a%1").arg(n)), n, 1);
        const QImage b =
            rasterisePdfPage(laidOut, dir.filePath(QStringLiteral("b%1").arg(n)), n, 1);
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(differingPixels(a, b), 0);
        // The copy's own number: its number line differs from the first copy's, nothing else.
        const int changed = differingPixels(a, first);
        EXPECT_GT(changed, 0);
        QRect where;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != first.pixel(x, y)) where |= QRect(x, y, 1, 1);
        EXPECT_LT(where.bottom(), 30) << "the change reaches below the number line";
    }
}

} // namespace
