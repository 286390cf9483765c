// PDF files as others read them: the same worksheet rendered twice at a fixed moment gives
// the same bytes, its fonts are named as subsets, and the file stays well formed.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Poppler.h"
#include "RunVelmix.h"
#include "qt/PdfTidy.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"

namespace {

const QString CourseDir = QStringLiteral(VELMIX_SOURCE_DIR "/course");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// qpdf's own check, when qpdf is there: nullopt without it.
std::optional<bool> qpdfAccepts(const QString& path) {
    if (QStandardPaths::findExecutable("qpdf").isEmpty()) return std::nullopt;
    QProcess p;
    p.start("qpdf", {"--check", path});
    p.waitForFinished(60000);
    return p.exitCode() == 0;
}

// The rows of pdffonts below its header.
QStringList fontRows(const QString& pdf) {
    QStringList rows = poppler("pdffonts", {pdf}).value_or("").split('\n', Qt::SkipEmptyParts);
    return rows.mid(2);
}

TEST(PdfOutput, TheSameWorksheetAtAFixedMomentGivesTheSameFile) {
    QTemporaryDir tmp;
    // Two runs of the program (each with its own hash seed), SOURCE_DATE_EPOCH set by runVelmix.
    QByteArray first;
    for (const char* name : {"a.pdf", "b.pdf"}) {
        Outcome o = runVelmix(
            {"render", CourseDir, "--unit", "3.2.1", "--answers", "-o", tmp.filePath(name)},
            tmp.path());
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        if (first.isEmpty()) first = readAll(tmp.filePath(name));
    }
    ASSERT_TRUE(first.startsWith("%PDF-"));
    EXPECT_EQ(readAll(tmp.filePath("b.pdf")), first);

    const QString pdf = tmp.filePath("a.pdf");
    if (auto ok = qpdfAccepts(pdf)) {
        EXPECT_TRUE(*ok);
    }
    const auto info = poppler("pdfinfo", {"-isodates", pdf});
    if (!info) GTEST_SKIP() << "poppler-utils missing";
    EXPECT_TRUE(info->contains(QRegularExpression("CreationDate:\\s+2025-12-07T08:00:00")))
        << info->toStdString();
    const QStringList fonts = fontRows(pdf);
    ASSERT_GE(fonts.size(), 1);
    for (const QString& row : fonts) {
        // name, type..., then emb sub uni: every embedded font is a tagged subset.
        EXPECT_TRUE(row.contains(QRegularExpression("^[A-Z]{6}\\+"))) << row.toStdString();
        EXPECT_TRUE(row.contains(QRegularExpression("\\byes\\s+yes\\s+yes\\b")))
            << row.toStdString();
    }
}

// Files the tidying cannot follow are written as the writer made them.
TEST(PdfOutput, FilesOfAnotherShapeAreLeftAsTheyAre) {
    QTemporaryDir tmp;
    const QString file = tmp.filePath("sheet.pdf");
    {
        QtPdfPrinter printer(file);
        ASSERT_TRUE(printer.beginDoc());
        printer.canvas().setFontFace(J("ＭＳ 明朝"));
        printer.canvas().setFontSize(12);
        printer.canvas().textOut(100, 100, J("№ 1 一次方程式"));
        ASSERT_TRUE(printer.endDoc());
        ASSERT_TRUE(printer.finish());
    }
    const QByteArray good = readAll(file);
    struct Case {
        const char* what;
        QByteArray pdf;
    } cases[] = {
        {"no PDF", "plain text, no table"},
        {"table offset past the end",
         QByteArray(good).replace(good.lastIndexOf("startxref") + 10, 1, "9")},
        {"table cut short", good.left(good.lastIndexOf("xref") + 30) + "\nstartxref\n" +
                                QByteArray::number(good.lastIndexOf("xref")) + "\n%%EOF\n"},
        {"objects moved", " " + good},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TidyPdf(c.pdf, QDateTime::fromSecsSinceEpoch(0)), c.pdf) << c.what;
    // A file already tidied stays as it is.
    EXPECT_EQ(TidyPdf(good, std::nullopt), good);
}

} // namespace
