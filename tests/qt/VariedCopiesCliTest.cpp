// velmix render --vary and velmix export --vary as a teacher runs them: the same seed writes
// the same PDF bytes, another seed other numbers, each page carries its copy's number and
// version code, and the keys of 30 copies are proved by a reader of the course notation
// that shares no code with the program's answer-key checker (tests/proof).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Poppler.h"
#include "RunVelmix.h"

namespace {

const QString Course = QStringLiteral(VELMIX_SOURCE_DIR "/course");
const QString Sheet = QStringLiteral(VELMIX_SOURCE_DIR "/tests/proof/varied_sheet.prp");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList varied(const QString& out, const QString& seed, const QStringList& more = {}) {
    return QStringList{"render", Course, "--prp", Sheet, "-o", out, "--copies", "4",
                       "--numbered", "--vary", seed} +
           more;
}

class VariedCli : public ::testing::Test {
  protected:
    QTemporaryDir tmp;
    QString path(const char* name) const { return tmp.filePath(QString::fromUtf8(name)); }
};

TEST_F(VariedCli, TheSameSeedWritesTheSameBytesAndAnotherSeedOtherNumbers) {
    ASSERT_TRUE(tmp.isValid());
    for (const QStringList& kind : {QStringList{}, QStringList{"--answers"},
                                    QStringList{"--key-booklet"}}) {
        SCOPED_TRACE(kind.join(' ').toStdString());
        const Outcome a = runVelmix(varied(path("a.pdf"), "20261208", kind), tmp.path());
        const Outcome b = runVelmix(varied(path("b.pdf"), "20261208", kind), tmp.path());
        const Outcome c = runVelmix(varied(path("c.pdf"), "20261209", kind), tmp.path());
        ASSERT_EQ(a.exitCode, 0) << a.err.toStdString();
        ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
        ASSERT_EQ(c.exitCode, 0) << c.err.toStdString();
        const QByteArray pdf = bytesOf(path("a.pdf"));
        ASSERT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(pdf, bytesOf(path("b.pdf")));
        const std::optional<QString> textA = poppler("pdftotext", {path("a.pdf"), "-"});
        const std::optional<QString> textC = poppler("pdftotext", {path("c.pdf"), "-"});
        if (!textA) GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_FALSE(textA->isEmpty());
        EXPECT_NE(*textA, *textC);
        // The other seed names itself: its copies' codes or the booklet's set.
        EXPECT_TRUE(textC->contains(QStringLiteral("V20261209-")));
        EXPECT_FALSE(textC->contains(QStringLiteral("V20261208-")));
    }
}

TEST_F(VariedCli, EachPageCarriesItsCopysNumberAndVersionCode) {
    ASSERT_TRUE(tmp.isValid());
    const Outcome run = runVelmix(
        varied(path("v.pdf"), "77", {"--start", "7"}), tmp.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::optional<QString> info = poppler("pdfinfo", {path("v.pdf")});
    if (!info) GTEST_SKIP() << "poppler is not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))));
    for (int page = 1; page <= 4; ++page) {
        const QString n = QString::number(page);
        const std::optional<QString> text =
            poppler("pdftotext", {"-f", n, "-l", n, path("v.pdf"), "-"});
        const QString copy = QString::number(6 + page);
        EXPECT_TRUE(text->simplified().startsWith(QStringLiteral("№ ") + copy +
                                                  QStringLiteral(" V77-") +
                                                  copy.rightJustified(2, '0') + ' '))
            << text->toStdString();
    }
}

TEST_F(VariedCli, UsageErrorsAndAFileThatCannotBeWrittenAreSaid) {
    ASSERT_TRUE(tmp.isValid());
    const Outcome png = runVelmix(varied(path("v.png"), "1"), tmp.path());
    EXPECT_EQ(png.exitCode, 2);
    EXPECT_TRUE(png.err.startsWith(QStringLiteral(
        "velmix render: --vary writes a PDF file (OUT.pdf)\nusage: velmix render")))
        << png.err.toStdString();
    const Outcome lone = runVelmix({"export", Course, "--prp", Sheet, "--vary", "1"}, tmp.path());
    EXPECT_EQ(lone.exitCode, 2);
    EXPECT_TRUE(lone.err.startsWith(QStringLiteral("velmix export: --vary SEED and --copy N go "
                                                   "together")))
        << lone.err.toStdString();
    const Outcome full =
        runVelmix(varied(QStringLiteral("/nonexistent/dir/v.pdf"), "1"), tmp.path());
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains(QStringLiteral("v.pdf"))) << full.err.toStdString();
}

TEST_F(VariedCli, ExportedCopyIsTheSheetWithItsOwnNumbersAndKeys) {
    ASSERT_TRUE(tmp.isValid());
    const Outcome one = runVelmix({"export", Course, "--prp", Sheet, "--vary", "5", "--copy",
                                   "3", "-o", path("c3.prp")},
                                  tmp.path());
    ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
    const Outcome again =
        runVelmix({"export", Course, "--prp", Sheet, "--vary", "5", "--copy", "3"}, tmp.path());
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, bytesOf(path("c3.prp")));
    const QByteArray original = bytesOf(Sheet);
    EXPECT_NE(again.out, original);
    // The word problem (13) stands as written.
    const QByteArray word = original.mid(original.indexOf("(13)"));
    EXPECT_TRUE(again.out.contains(word.left(word.indexOf(">>"))));
}

// The proof of the keys: 30 copies solved by tests/proof/course_notation.py, the booklet read
// back; the script also shows that a wrong key and a changed booklet cell are caught.
TEST_F(VariedCli, ThirtyCopiesKeysAreProvedBySolvingThemApart) {
    ASSERT_TRUE(tmp.isValid());
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty() || !poppler("pdftotext", {"-v"})) GTEST_SKIP() << "python3 or poppler";
    QProcess p;
    p.setWorkingDirectory(tmp.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), tmp.filePath(QStringLiteral(".data")));
    p.setProcessEnvironment(env);
    p.start(python, {QStringLiteral(VELMIX_SOURCE_DIR "/tests/proof/prove_keys.py"),
                     QStringLiteral(VELMIX_BINARY), Course, Sheet, "20261208", "30", tmp.path()});
    ASSERT_TRUE(p.waitForFinished(600000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString() << p.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("30 copies, 420 keys proved by solving, 1 questions "
                                            "kept as written on each copy, booklet rows 30")))
        << out.toStdString();
}

} // namespace
