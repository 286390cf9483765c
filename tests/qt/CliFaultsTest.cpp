// The command line as a user meets it: help and version on standard output, units that
// cannot be found named, quiet normal runs, and outputs that fail loudly and lose nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "RunVelmix.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

const QString CourseDir = QStringLiteral(VELMIX_SOURCE_DIR "/course");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Files in folder other than those named: temporary files left behind by a failed save.
QStringList strays(const QString& folder, const QStringList& expected) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& e : expected)
        names.removeAll(e);
    return names;
}

// A course with one unit whose worksheet file is far larger than a stdio buffer.
QString bigCourse(const QTemporaryDir& tmp) {
    const QString c = tmp.filePath("big");
    auto sjisLines = [](const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines)
            bytes += sjis::fromUtf8(l) + "\r\n";
        return QByteArray::fromStdString(bytes);
    };
    write(c + "/Main.ind", sjisLines({"大きな単元", "", "方程式,Eq1\\ eq1"}));
    write(c + "/Eq1/eq1.ind", sjisLines({"t", "[[sect1", "式", "<<", "(1) 長い", ">>", "]]"}));
    std::vector<std::string> unit{"[[unit1", "<<ques"};
    for (int i = 1; i <= 60; ++i)
        unit.push_back("(" + std::to_string(i) + ") " + std::string(600, 'x') + "=#" +
                       std::to_string(i) + "#");
    unit.push_back(">>");
    unit.push_back("]]");
    write(c + "/Eq1/eq11.que", sjisLines(unit));
    return c;
}

} // namespace

TEST(CliFaults, HelpAndVersionGoToStandardOutput) {
    QTemporaryDir tmp;
    struct Case {
        QStringList args;
        const char* first;
    } cases[] = {
        {{"--help"}, "usage: velmix [COURSE_DIR]"},
        {{"-h"}, "usage: velmix [COURSE_DIR]"},
        {{"check", "--help"}, "usage: velmix check"},
        {{"render", "--unit", "1.1.1", "--help"}, "usage: velmix render"},
        {{"export", "-h"}, "usage: velmix export"},
        {{"--version"}, "velmix "},
    };
    for (const Case& c : cases) {
        Outcome o = runVelmix(c.args, tmp.path(), {{}, RLIM_INFINITY, true});
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(o.exitCode, 0);
        EXPECT_TRUE(o.text().startsWith(c.first)) << o.text().toStdString();
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    }
    Outcome v = runVelmix({"--version"}, tmp.path());
    EXPECT_TRUE(v.text().contains(QRegularExpression("^velmix \\d+\\.\\d+(\\.\\d+)*\\n$")))
        << v.text().toStdString();
    // Usage errors still go to standard error with status 2.
    Outcome bad = runVelmix({"render", "--bogus"}, tmp.path());
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("usage: velmix render")) << bad.err.toStdString();
}

// Without a runtime folder the toolkit would complain on every run; a normal run of each
// command leaves the terminal to the program.
TEST(CliFaults, NormalRunsSayNothingBesidesTheirOutput) {
    QTemporaryDir tmp;
    const RunOptions quiet{{}, RLIM_INFINITY, true};
    for (const QStringList& args :
         {QStringList{"render", CourseDir, "--unit", "3.2.1", "-o", tmp.filePath("a.png")},
          QStringList{"render", CourseDir, "--unit", "1.1.1", "-o", tmp.filePath("a.pdf")},
          QStringList{"export", CourseDir, "--unit", "1.1.1", "-o", tmp.filePath("a.prp")},
          QStringList{"check", CourseDir}}) {
        Outcome o = runVelmix(args, tmp.path(), quiet);
        EXPECT_EQ(o.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.isEmpty()) << args.join(' ').toStdString() << ": " << o.err.toStdString();
    }
}

TEST(CliFaults, AUnitThatCannotBeFoundIsNamed) {
    QTemporaryDir tmp;
    struct Case {
        const char* unit;
        const char* said;
    } cases[] = {
        {"9.1.1", "単元 9.1.1 がありません（コースウェアは3個です）"},
        {"1.9.1", "単元 1.9.1 がありません（コースウェア 1 の主メニューは4個です）"},
        {"1.1.99", "単元 1.1.99 がありません（主メニュー 1.1 の副メニューは6個です）"},
        {"1.1.1.9", "単元 1.1.1.9 がありません（"},
    };
    for (const Case& c : cases) {
        Outcome o = runVelmix({"render", CourseDir, "--unit", c.unit, "-o", tmp.filePath("x.png")},
                              tmp.path());
        EXPECT_EQ(o.exitCode, 1) << c.unit;
        EXPECT_TRUE(o.err.contains(QString::fromUtf8(c.said))) << o.err.toStdString();
        EXPECT_FALSE(QFile::exists(tmp.filePath("x.png")));
    }
}

// Targets that cannot be written: the command fails, says so, and what stood there before
// stays as it was; no temporary file is left behind.
TEST(CliFaults, RenderFailuresExitNonZeroAndKeepWhatWasThere) {
    QTemporaryDir tmp;
    write(tmp.filePath("plain"), "not a folder");
    QDir().mkpath(tmp.filePath("folder.png"));
    QDir().mkpath(tmp.filePath("folder.pdf"));
    for (const char* target : {"folder.png", "plain/x.png", "folder.pdf", "plain/x.pdf"}) {
        Outcome o = runVelmix({"render", CourseDir, "--unit", "1.1.1", "-o", tmp.filePath(target)},
                              tmp.path());
        EXPECT_EQ(o.exitCode, 1) << target;
        EXPECT_FALSE(o.err.isEmpty()) << target;
    }
    EXPECT_EQ(readAll(tmp.filePath("plain")), "not a folder");
    EXPECT_TRUE(QFileInfo(tmp.filePath("folder.png")).isDir());

    // A disk that fills up while the picture is written: the old picture stays whole.
    const QString png = tmp.filePath("sheet.png");
    ASSERT_EQ(runVelmix({"render", CourseDir, "--unit", "1.1.1", "-o", png}, tmp.path()).exitCode,
              0);
    const QByteArray before = readAll(png);
    ASSERT_GT(before.size(), 8000);
    Outcome full = runVelmix({"render", CourseDir, "--unit", "3.2.1", "--answers", "-o", png},
                             tmp.path(), {{}, 4096, false});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains("sheet.png: cannot write the picture")) << full.err.toStdString();
    EXPECT_EQ(readAll(png), before);

    // The same for a PDF file.
    const QString pdf = tmp.filePath("sheet.pdf");
    ASSERT_EQ(runVelmix({"render", CourseDir, "--unit", "1.1.1", "-o", pdf}, tmp.path()).exitCode,
              0);
    const QByteArray pdfBefore = readAll(pdf);
    ASSERT_GT(pdfBefore.size(), 8000);
    full = runVelmix({"render", CourseDir, "--unit", "3.2.1", "--answers", "-o", pdf}, tmp.path(),
                     {{}, 4096, false});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains("sheet.pdf")) << full.err.toStdString();
    EXPECT_EQ(readAll(pdf), pdfBefore);
    EXPECT_EQ(strays(tmp.path(), {"plain", "sheet.png", "sheet.pdf"}), QStringList{});
}

namespace {

// A copy of the bundled course in folder whose learner taro has many practice records, so
// that their CSV is far larger than a stdio buffer.
QString courseWithRecords(const QString& folder) {
    QProcess copy;
    copy.start(QStringLiteral("cp"), {QStringLiteral("-R"), CourseDir, folder});
    copy.waitForFinished();
    const std::string learner =
        QtFiles::toCorePath(folder + QStringLiteral("/Eq1")).value_or("") + "\\taro.ini";
    QtFiles files;
    for (int i = 1; i <= 200; ++i) {
        const RunResult run{RunKind::Practice, i % 10, 10, 10 * (i % 10), "1", 60 + i};
        if (!AppendRecord(files, learner, sjis::fromUtf8("S11(1) 等式と移項"),
                          ResultsLine(run, {2024, 5, 1 + i % 28, 9, 5, 0}, 0)))
            return {};
    }
    return folder;
}

} // namespace

// A shell's file-size limit is a full disk to the program: the records sent to a file that
// cannot grow past the limit fail, the command says why and exits non-zero instead of being
// ended by the limit's signal with nothing said. (The render command's saves under the same
// limit keep the old file whole: RenderFailuresExitNonZeroAndKeepWhatWasThere.)
TEST(CliFaults, AFileSizeLimitFailsTheRecordsLikeAFullDisk) {
    QTemporaryDir tmp;
    const QString course = courseWithRecords(tmp.filePath("course"));
    ASSERT_FALSE(course.isEmpty());
    const QString csv = tmp.filePath("records.csv");
    const Outcome whole = runVelmix({"records", course}, tmp.path(), {csv, RLIM_INFINITY, false});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    ASSERT_GT(readAll(csv).size(), 3 * 4096);

    const QString big = tmp.filePath("big.csv");
    const Outcome limited = runVelmix({"records", course}, tmp.path(), {big, 4096, false});
    EXPECT_FALSE(limited.crashed);
    EXPECT_EQ(limited.exitCode, 2);
    EXPECT_TRUE(limited.err.contains("standard output: File too large")) << limited.err.toStdString();

}

TEST(CliFaults, ExportChecksEveryWrite) {
    QTemporaryDir tmp;
    const QString course = bigCourse(tmp);
    Outcome ok = runVelmix({"export", course, "--unit", "1.1.1"}, tmp.path());
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    ASSERT_GT(ok.out.size(), 3 * BUFSIZ); // more than the stdio buffer holds

    Outcome full = runVelmix({"export", course, "--unit", "1.1.1"}, tmp.path(),
                             {QStringLiteral("/dev/full"), RLIM_INFINITY, false});
    EXPECT_NE(full.exitCode, 0);
    EXPECT_TRUE(full.err.contains("standard output")) << full.err.toStdString();

    // A small worksheet file on a disk with no room at all, and a large one on a disk that
    // fills up halfway: the old worksheet file stays whole and the run fails.
    const QString keep = tmp.filePath("keep.prp");
    write(keep, "old worksheet");
    Outcome none =
        runVelmix({"export", CourseDir, "--unit", "1.1.1", "-o", keep}, tmp.path(), {{}, 0, false});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("keep.prpの保存に失敗しました: ")))
        << none.err.toStdString();
    EXPECT_EQ(readAll(keep), "old worksheet");

    // A disk that fills up under export -o: the old worksheet file stays whole.
    const QString prp = tmp.filePath("out/sheet.prp");
    write(prp, "old worksheet");
    Outcome disk =
        runVelmix({"export", course, "--unit", "1.1.1", "-o", prp}, tmp.path(), {{}, 4096, false});
    EXPECT_EQ(disk.exitCode, 1);
    EXPECT_TRUE(disk.err.contains(QStringLiteral("の保存に失敗しました")))
        << disk.err.toStdString();
    EXPECT_EQ(readAll(prp), "old worksheet");
    EXPECT_EQ(strays(tmp.filePath("out"), {"sheet.prp"}), QStringList{});
}

// export -o writes worksheet files only: another extension is refused with the program's
// message before anything is written, so a question unit file cannot be overwritten.
TEST(CliFaults, ExportWritesWorksheetFilesOnly) {
    QTemporaryDir tmp;
    const QString course = bigCourse(tmp);
    const QString que = course + "/Eq1/eq11.que";
    const QByteArray unitFile = readAll(que);
    struct Case {
        QString out;
        bool accepted;
        QString written;
    } cases[] = {
        {que, false, {}},
        {"x.txt", false, {}},
        {"x.prp.que", false, {}},
        {"x.prpq", false, {}},
        {"sheet", true, "sheet.prp"},
        {"CAPS.PRP", true, "CAPS.PRP"},
        // Dots inside the name: the extension follows the last one.
        {"unit-1.1.1.prp", true, "unit-1.1.1.prp"},
        {"2026.12.07.prp", true, "2026.12.07.prp"},
        {"test.v2", false, {}},
    };
    for (const Case& c : cases) {
        Outcome o = runVelmix({"export", course, "--unit", "1.1.1", "-o", c.out}, tmp.path());
        SCOPED_TRACE(c.out.toStdString());
        if (!c.accepted) {
            EXPECT_EQ(o.exitCode, 2);
            // A name as typed is named as typed.
            const bool typed = QFileInfo(c.out).isRelative();
            EXPECT_TRUE(
                o.err.contains((typed ? c.out : QString()) + QStringLiteral(":拡張子が不正です")))
                << o.err.toStdString();
            if (typed) {
                EXPECT_FALSE(QFile::exists(tmp.filePath(c.out)));
            }
            continue;
        }
        EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
        EXPECT_TRUE(readAll(tmp.filePath(c.written)).startsWith("[[unitX\r\n"));
    }
    EXPECT_EQ(readAll(que), unitFile);
}
