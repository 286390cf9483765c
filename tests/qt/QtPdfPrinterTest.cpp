// Printing into real PDF files, checked with poppler's pdftotext and pdfinfo.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "FullDisk.h"
#include "Poppler.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "qt/QtPrinterTarget.h"
#include "text/Sjis.h"

namespace {

std::optional<QString> pdfText(const QString& path) {
    return poppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
}

void drawSheet(Canvas& c, const std::string& title) {
    c.setFontFace(J("ＭＳ 明朝"));
    c.setFontSize(12);
    c.textOut(c.deviceWidth() / 10, c.deviceHeight() / 10, title);
    c.setPenWidth(4);
    c.moveTo(0, c.deviceHeight() / 5);
    c.lineTo(c.deviceWidth(), c.deviceHeight() / 5);
}

TEST(PaperSizes, PageDotsAreMillimetresTimesResolution) {
    struct {
        int paperWidth;
        int dpi;
        int width, height;
    } cases[] = {{630, 600, 4960, 7015}, {546, 600, 4299, 6070}, {771, 600, 6070, 8598},
                 {891, 600, 7015, 9921}, {0, 600, 4960, 7015},   {630, 300, 2480, 3507}};
    for (const auto& c : cases) {
        const QSizeF mm = paperPageSize(c.paperWidth).size(QPageSize::Millimeter);
        EXPECT_EQ(paperDots(mm.width(), c.dpi), c.width) << c.paperWidth;
        EXPECT_EQ(paperDots(mm.height(), c.dpi), c.height) << c.paperWidth;
    }
}

struct PdfTest : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

TEST_F(PdfTest, DrawingCoversTheFullPageWithoutMargins) {
    const QString file = path("full.pdf");
    {
        // The page is 630 × 891 layout units, whatever the resolution.
        QtPdfPrinter printer(file);
        ASSERT_TRUE(printer.beginDoc());
        Canvas& c = printer.canvas();
        c.setPenWidth(2);
        c.moveTo(0, 445);
        c.lineTo(630, 445);
        c.fillRect({622, 0, 630, 891}, colors::Black); // right margin strip
        c.fillRect({0, 883, 630, 891}, colors::Black); // bottom strip
        c.setFontFace(J("ＭＳ 明朝"));
        c.setFontSize(36); // 48 units
        c.setBrushStyle(BrushStyle::Clear);
        c.textOut(127, 254, J("■■"));
        ASSERT_TRUE(printer.endDoc());
    }
    const QString prefix = dir.filePath(QStringLiteral("full"));
    const auto out = poppler(QStringLiteral("pdftoppm"),
                             {QStringLiteral("-r"), QStringLiteral("76.2"), QStringLiteral("-gray"),
                              QStringLiteral("-singlefile"), file, prefix});
    if (!out) GTEST_SKIP() << "pdftoppm is not installed";
    QImage im(prefix + QStringLiteral(".pgm"));
    ASSERT_FALSE(im.isNull());
    // 76.2 dpi: one pixel per layout unit.
    EXPECT_NEAR(im.width(), 630, 1);
    EXPECT_NEAR(im.height(), 891, 1);
    auto dark = [&](int x, int y) { return qGray(im.pixel(x, y)) < 192; };
    // The two-unit rule prints one unit wide, across rows 444 and 445.
    EXPECT_TRUE(dark(3, 444) || dark(3, 445));
    EXPECT_TRUE(dark(610, 444) || dark(610, 445));
    EXPECT_FALSE(dark(300, 441));
    EXPECT_FALSE(dark(300, 448));
    EXPECT_TRUE(dark(im.width() - 2, 100));
    EXPECT_FALSE(dark(im.width() - 10, 100));
    // The text cell's top is at y: the square glyphs lie inside rows 254 .. 302.
    int firstInkRow = -1;
    for (int y = 200; y < 320 && firstInkRow < 0; ++y)
        if (dark(150, y)) firstInkRow = y;
    EXPECT_GE(firstInkRow, 254);
    EXPECT_LE(firstInkRow, 262);
    EXPECT_TRUE(dark(150, 280));
    EXPECT_FALSE(dark(150, 304));
    EXPECT_TRUE(dark(100, im.height() - 2));
    EXPECT_FALSE(dark(100, im.height() - 10));
}

TEST_F(PdfTest, EachDocumentIsOnePageOfTheSameFile) {
    const QString file = path("job.pdf");
    {
        QtPdfPrinter printer(file);
        for (const char* n : {"1", "2"}) {
            ASSERT_TRUE(printer.beginDoc());
            drawSheet(printer.canvas(), J("№ ") + n + J(" 一次方程式"));
            ASSERT_TRUE(printer.endDoc());
        }
        EXPECT_EQ(printer.pageCount(), 2);
        EXPECT_TRUE(printer.finish());
    }
    const auto text = pdfText(file);
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text->contains(QString::fromUtf8("№ 1 一次方程式"))) << text->toStdString();
    EXPECT_TRUE(text->contains(QString::fromUtf8("№ 2 一次方程式"))) << text->toStdString();
    EXPECT_LT(text->indexOf(QLatin1String("1 ")), text->indexOf(QLatin1String("2 ")));

    const auto info = poppler(QStringLiteral("pdfinfo"), {file});
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info->toStdString();
    EXPECT_TRUE(info->contains(QLatin1String("(A4)"))) << info->toStdString();
}

// The page content streams of a PDF file, inflated.
QByteArray pageContents(const QString& pdf) {
    QFile f(pdf);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    QByteArray out;
    for (qsizetype at = bytes.indexOf("/FlateDecode"); at >= 0;
         at = bytes.indexOf("/FlateDecode", at + 1)) {
        const qsizetype start = bytes.indexOf("stream\n", at) + 7;
        const qsizetype end = bytes.indexOf("endstream", start);
        QByteArray zlib = bytes.mid(start, end - start);
        // qUncompress reads a big-endian size before the zlib data.
        zlib.prepend(QByteArray("\x00\x10\x00\x00", 4));
        const QByteArray plain = qUncompress(zlib);
        if (plain.contains("BT\n") || plain.contains(" cm\n")) out += plain;
    }
    return out;
}

// A formula line switches faces and colours glyph by glyph; the page gathers each font and
// colour into one text object and still reads in the order it was written.
TEST_F(PdfTest, TextInManyFacesMakesOneTextObjectPerFontAndColour) {
    const QString file = path("faces.pdf");
    {
        QtPdfPrinter printer(file);
        ASSERT_TRUE(printer.beginDoc());
        Canvas& c = printer.canvas();
        c.setBrushStyle(BrushStyle::Clear);
        c.setFontSize(14);
        int x = 40;
        for (int i = 0; i < 12; ++i) {
            c.setFontFace(J(i % 2 ? "Bookman Old Style" : "ＭＳ 明朝"));
            c.setFontColor(i % 3 == 2 ? colors::Blue : colors::Black);
            const std::string piece = i % 2 ? "x" : J("問") + std::to_string(i);
            c.textOut(x, 100, piece);
            x += c.textWidth(piece) + 4;
        }
        ASSERT_TRUE(printer.endDoc());
        ASSERT_TRUE(printer.finish());
    }
    const QByteArray contents = pageContents(file);
    ASSERT_FALSE(contents.isEmpty());
    // Two faces, two colours: at most four text objects for the twelve pieces.
    EXPECT_LE(contents.count("BT\n"), 4) << contents.toStdString();
    const auto text = pdfText(file);
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(
        text->simplified().remove(' ').contains(QString::fromUtf8("問0x問2x問4x問6x問8x問10x")))
        << text->toStdString();
}

// A bold made up from a regular face thickens its glyphs with a ring at the paper's resolution:
// a job of many copies writes that ring once and shows it on every page.
TEST_F(PdfTest, MadeUpBoldIsWrittenOnceForEveryCopy) {
    const QString file = path("bold.pdf");
    constexpr int copies = 5;
    {
        QtPdfPrinter printer(file);
        printer.setCopyCount(copies); // numbered copies, each a document of its own
        for (int n = 1; n <= copies; ++n) {
            ASSERT_TRUE(printer.beginDoc());
            Canvas& c = printer.canvas();
            c.setBrushStyle(BrushStyle::Clear);
            c.setFontFace(J("ＭＳ 明朝"));
            c.setFontSize(12);
            c.textOut(40, 30, J("№ ") + std::to_string(n));
            c.setFontStyle(fontstyle::Bold);
            c.textOut(40, 60, J("次の方程式を解きなさい。"));
            ASSERT_TRUE(printer.endDoc());
        }
        ASSERT_TRUE(printer.finish());
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // The ring and its coverage: two image objects for the whole job.
    EXPECT_EQ(bytes.count("/Subtype /Image"), 2);
    const QByteArray contents = pageContents(file);
    EXPECT_EQ(contents.count(" Do\n"), copies);
    const auto text = pdfText(file);
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(text->count(QString::fromUtf8("次の方程式を解きなさい。")), copies);
}

TEST_F(PdfTest, AbortBeforeDrawingAddsNoPageAndEmptyDocumentsStillDo) {
    const QString file = path("abort.pdf");
    QtPdfPrinter printer(file);
    ASSERT_TRUE(printer.beginDoc());
    ASSERT_TRUE(printer.endDoc()); // blank page
    ASSERT_TRUE(printer.beginDoc());
    printer.abortDoc();
    ASSERT_TRUE(printer.beginDoc());
    drawSheet(printer.canvas(), "second");
    ASSERT_TRUE(printer.endDoc());
    EXPECT_FALSE(printer.endDoc()) << "no document open";
    EXPECT_EQ(printer.pageCount(), 2);
    ASSERT_TRUE(printer.finish());
    const auto info = poppler(QStringLiteral("pdfinfo"), {file});
    if (!info) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
}

TEST_F(PdfTest, DrawingOutsideADocumentDoesNothing) {
    const QString file = path("none.pdf");
    QtPdfPrinter printer(file);
    printer.canvas().textOut(0, 0, "lost");
    EXPECT_EQ(printer.pageCount(), 0);
    EXPECT_FALSE(printer.finish());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(PdfTest, NotXorFallsBackToCopyOnPaper) {
    QtPdfPrinter printer(path("xor.pdf"));
    ASSERT_TRUE(printer.beginDoc());
    auto& c = dynamic_cast<QtCanvas&>(printer.canvas());
    c.setPenMode(PenMode::NotXor);
    c.rectangle({10, 10, 500, 500});
    EXPECT_FALSE(c.supportsNotXor());
    EXPECT_TRUE(printer.endDoc());
}

TEST_F(PdfTest, UnwritableFileFailsCleanly) {
    QtPdfPrinter printer(path("missing/folder/x.pdf"));
    ASSERT_TRUE(printer.beginDoc());
    printer.canvas().textOut(0, 0, "x");
    EXPECT_FALSE(printer.endDoc());
    EXPECT_FALSE(printer.finish());
    EXPECT_TRUE(printer.errorString().contains(QString::fromUtf8("の保存に失敗しました")))
        << printer.errorString().toStdString();
}

// A PDF file is put in place whole or not at all: the file that was there before stays
// unless the new one was written completely, and no temporary file is left behind.
TEST_F(PdfTest, FailedWritesLeaveThePreviousFileAsItWas) {
    const QByteArray before = "the answer sheet printed yesterday";
    struct Case {
        const char* name;
        bool written;
        std::function<bool(QtPdfPrinter&)> job; // what finish() answered
    };
    const auto printSheet = [](QtPdfPrinter& printer) {
        if (!printer.beginDoc()) return false;
        drawSheet(printer.canvas(), J("№ 1 一次方程式"));
        return printer.endDoc() && printer.finish();
    };
    const Case cases[] = {
        {"written", true, printSheet},
        {"full disk", false,
         [&](QtPdfPrinter& printer) {
             FullDisk full;
             return printSheet(printer);
         }},
        {"nothing printed", false, [](QtPdfPrinter& printer) { return printer.finish(); }},
        {"aborted before drawing", false,
         [](QtPdfPrinter& printer) {
             printer.beginDoc();
             printer.abortDoc();
             return printer.finish();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
        {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write(before);
        }
        QString error;
        {
            QtPdfPrinter printer(file);
            EXPECT_EQ(c.job(printer), c.written);
            EXPECT_EQ(printer.finish(), c.written) << "asked again";
            error = printer.errorString();
        }
        QFile now(file);
        ASSERT_TRUE(now.open(QIODevice::ReadOnly));
        const QByteArray bytes = now.readAll();
        if (c.written) {
            EXPECT_TRUE(bytes.startsWith("%PDF-"));
            EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
            EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        } else {
            EXPECT_EQ(bytes, before);
            EXPECT_TRUE(error.startsWith(file + QString::fromUtf8("の保存に失敗しました")))
                << error.toStdString();
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("sheet.pdf")});
    }
}

// A device is written in place; one that fails its writes makes the printer fail.
TEST_F(PdfTest, DeviceThatFailsWritesIsReported) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    QtPdfPrinter printer(QStringLiteral("/dev/full"));
    ASSERT_TRUE(printer.beginDoc());
    drawSheet(printer.canvas(), "lost");
    printer.endDoc();
    EXPECT_FALSE(printer.finish());
    EXPECT_FALSE(printer.errorString().isEmpty());
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists());
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "still the device";
}

TEST_F(PdfTest, PrinterTargetSendsOneJobPerDocumentWithItsCopyCount) {
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setResolution(600);
    qprinter.setPageSize(QPageSize(QPageSize::A4));
    const QString file = path("printer.pdf");
    qprinter.setOutputFileName(file);
    QtPrinterTarget printer(qprinter);
    EXPECT_EQ(printer.pageWidth(), 4960);
    EXPECT_EQ(printer.resolution(), 600);
    printer.setCopyCount(3);
    EXPECT_EQ(qprinter.copyCount(), 3);
    printer.setCopyCount(0);
    EXPECT_EQ(printer.copyCount(), 1);

    ASSERT_TRUE(printer.beginDoc());
    drawSheet(printer.canvas(), "first job");
    ASSERT_TRUE(printer.endDoc());
    ASSERT_TRUE(QFile::exists(file)) << "the job is sent at the end of the document";
    const auto text = pdfText(file);
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text->contains(QLatin1String("first job")));

    ASSERT_TRUE(printer.beginDoc());
    drawSheet(printer.canvas(), "second job");
    ASSERT_TRUE(printer.endDoc());
    EXPECT_TRUE(pdfText(file)->contains(QLatin1String("second job")));
}

} // namespace
