// The command line on real folders: velmix check and the course outline.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVelmix.h"
#include "SjisFiles.h"
#include "text/Sjis.h"

namespace {

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

// Units laid out with the real fonts: an answer typed in full width runs out of its fixed
// box, and small line spacing makes fractions' boxes run into the next line's; each is told
// at its question's line. The course's settings are left as they are.
TEST(CliCheck, TellsBoxesTheAnswersDoNotFit) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString c = tmp.path() + "/course";
    put(c + "/Main.ind", {"数学", "", "方程式,Eq1\\ eq1"});
    put(c + "/Eq1/eq1.ind", {"t", "[[sect1", "式", "<<", "(1) a", "(2) b", "(3) c", ">>"});
    auto withBlocks = [](const std::string& header, std::vector<std::string> ques,
                         const std::string& lineSpace, const std::string& width) {
        std::vector<std::string> u{header, "<<ques"};
        u.insert(u.end(), ques.begin(), ques.end());
        for (const char* l : {">>", "<<value", "630", "False"})
            u.push_back(l);
        u.push_back(lineSpace);
        for (const char* l : {"5", "5", "1", "7", ">>", "<<font", "16", "MS 明朝", "False", "False",
                              "False", "False", "0", ">>", "<<kran", "1"})
            u.push_back(l);
        u.push_back(width);
        for (const char* l : {"2", "0", "0", "0", "15", "10", "0", "0", ">>", "]]"})
            u.push_back(l);
        return u;
    };
    std::vector<std::string> que =
        withBlocks("[[unit1", {"問題", "(1) x=# －３／７ #", "(2) x=# 2 #"}, "60", "5");
    for (const auto& l : withBlocks("[[unit2", {"(1) x=# 3/7 #", "(2) x=# 5/9 #"}, "20", "10"))
        que.push_back(l);
    // A unit like the first one is told at its own line.
    for (const auto& l :
         withBlocks("[[unit3", {"問題", "(1) x=# －３／７ #", "(2) x=# 2 #"}, "60", "5"))
        que.push_back(l);
    put(c + "/Eq1/eq11.que", que);
    const QByteArray before = [&] {
        QFile f(c + "/Eq1/eq11.que");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    const Outcome r = runVelmix({"check", c}, tmp.path());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.text().toStdString(),
              QStringLiteral("Eq1/eq11.que:4: 解答欄1の答え「 －３／７ 」が欄の幅に入りません"
                             "（解答欄の幅を広げてください）\n"
                             "Eq1/eq11.que:41: 解答欄2が解答欄1と重なります（主行間・文字サイズ・"
                             "解答欄の大きさを見直してください）\n"
                             "Eq1/eq11.que:77: 解答欄1の答え「 －３／７ 」が欄の幅に入りません"
                             "（解答欄の幅を広げてください）\n"
                             "checked 3 units: 3 problems\n")
                  .toStdString());
    QFile f(c + "/Eq1/eq11.que");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}
