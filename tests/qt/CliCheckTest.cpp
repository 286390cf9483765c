// The command line on real folders: velmix check and the course outline.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVelmix.h"
#include "text/Sjis.h"

namespace {

// Writes UTF-8 lines as a Shift-JIS file with CR LF.
void put(const QString& path, const std::vector<std::string>& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::string bytes;
    for (const auto& l : lines)
        bytes += sjis::fromUtf8(l) + "\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<std::string> unit(const std::string& header, const std::string& question) {
    return {header, "<<ques", question, ">>", "]]"};
}

} // namespace

TEST(CliCheck, ReportsProblemsRelativeToTheCourseFolder) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString c = tmp.path() + "/コース";
    // Names in other cases than the index writes them, as on the original file system.
    put(c + "/MAIN.IND", {"数学", "", "方程式,Eq1\\ eq1"});
    put(c + "/eq1/EQ1.ind", {"t", "[[sect1", "式", "<<", "(1) a", "(2) b", ">>"});
    std::vector<std::string> que = unit("[[unit1", "x=#3#");
    for (const auto& l : unit("[[unit2", "odd#1"))
        que.push_back(l);
    put(c + "/eq1/EQ11.QUE", que);

    Outcome r = runVelmix({"check", c}, tmp.path());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.text(), QStringLiteral("Eq1/eq11.que:8: 1行目：＃の数は偶数にしてください\n"
                                       "checked 2 units: 1 problems\n"));

    // The working directory is the default course folder; a clean course exits with 0.
    put(c + "/eq1/EQ11.QUE",
        {"[[unit1", "<<ques", "x=#3#", ">>", "]]", "[[unit2", "<<ques", "#1#", ">>"});
    r = runVelmix({"check"}, c);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.text(), QStringLiteral("checked 2 units: 0 problems\n"));
}

// What the check prints from course files cannot act on the terminal, and files reached
// through links that lead out of the course are refused as outside names are.
TEST(CliCheck, ShowsControlCharactersEscapedAndRefusesLinksOut) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString c = tmp.path() + "/course";
    put(c + "/Main.ind", {"数学", "", "方程式,Eq1\\ eq1", "関数,Fn1\\ fn1"});
    put(c + "/Eq1/eq1.ind", {"t", "[[sect1", "式", "<<", "(1) a", ">>"});
    put(c + "/Eq1/eq11.que", {"[[unit1", "<<ques", "x=#3#", ">>", "<<graph",
                              "a\x1b]0;owned\x07\x1b[2J.bmp", "-1", "-1", ">>", "]]"});
    put(tmp.path() + "/elsewhere/fn1.ind", {"t", "[[sect1", "式", "<<", "(1) a", ">>"});
    QDir().mkpath(c + "/Fn1");
    ASSERT_TRUE(QFile::link(tmp.path() + "/elsewhere/fn1.ind", c + "/Fn1/fn1.ind"));

    Outcome r = runVelmix({"check", c}, tmp.path());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains('\x1b')) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains('\x07'));
    EXPECT_TRUE(r.text().contains(
        "Eq1/eq11.que:6: a\\x1b]0;owned\\x07\\x1b[2J.bmp:コースのフォルダの外を指しています\n"))
        << r.text().toStdString();
    EXPECT_TRUE(r.text().contains("Main.ind:4: Fn1/fn1.ind:コースのフォルダの外を指しています\n"))
        << r.text().toStdString();
}

TEST(CliCheck, CannotRunWithoutMainInd) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    Outcome r = runVelmix({"check", tmp.path()}, tmp.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("Main.ind が見つかりません"))) << r.err.toStdString();
    r = runVelmix({"nonsense"}, tmp.path());
    EXPECT_EQ(r.exitCode, 2);
}
