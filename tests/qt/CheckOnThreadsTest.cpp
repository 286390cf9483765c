// The course check laying units out with the real fonts on several threads at once: every
// thread measures on pages of its own, and the report is the one a single thread makes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SjisFiles.h"
#include "checks/CourseCheck.h"
#include "cli/CheckPages.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

// A unit whose answer boxes are too narrow (width) or run into each other (line space).
std::vector<std::string> unit(int number, const std::string& answer, int lineSpace, int width) {
    std::vector<std::string> u{"[[unit" + std::to_string(number),
                               "<<ques",
                               "問題",
                               "(1) x=#" + answer + "#",
                               "(2) x=# 5/9 #",
                               ">>",
                               "<<value",
                               "630",
                               "False",
                               std::to_string(lineSpace)};
    for (const char* l : {"5", "5", "1", "7", ">>", "<<font", "16", "MS 明朝", "False", "False",
                          "False", "False", "0", ">>", "<<kran", "1"})
        u.push_back(l);
    u.push_back(std::to_string(width));
    for (const char* l : {"2", "0", "0", "0", "15", "10", "0", "0", ">>", "]]"})
        u.push_back(l);
    return u;
}

} // namespace

TEST(CheckOnThreads, ReportsAsOneThreadDoes) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString c = tmp.path() + "/course";
    put(c + "/Main.ind", {"数学", "", "方程式,Eq1\\ eq1", "関数,Fn1\\ fn1"});
    // Sections whose units are partly alike, partly not: the threads meet the same layouts.
    const std::vector<std::string> answers = {" －３／７ ", " 3/7 ", " 12345 ", " 2 "};
    for (const char* lesson : {"Eq1", "Fn1"}) {
        const std::string base = QString::fromLatin1(lesson).toLower().toStdString();
        std::vector<std::string> index{"t"};
        for (int s = 1; s <= 6; ++s) {
            index.insert(index.end(), {"[[sect" + std::to_string(s), "s", "<<"});
            std::vector<std::string> que;
            for (int u = 1; u <= 4; ++u) {
                index.push_back("(" + std::to_string(u) + ") u");
                const std::size_t k = static_cast<std::size_t>(s + u) % answers.size();
                for (const auto& l : unit(u, answers[k], u % 2 ? 60 : 20, u % 3 ? 5 : 10))
                    que.push_back(l);
            }
            index.push_back(">>");
            put(c + "/" + lesson + "/" + QString::fromStdString(base + std::to_string(s)) + ".que",
                que);
        }
        put(c + "/" + lesson + "/" + QString::fromStdString(base) + ".ind", index);
    }

    QtFiles files;
    const std::string core = *QtFiles::toCorePath(c) + "\\";
    auto report = [&](unsigned threads) {
        const CourseCheckReport r = CheckCourse(
            files, core, {.keys = false, .pages = CheckPages::maker(), .threads = threads});
        std::string text;
        for (const CheckProblem& p : r.problems)
            text += sjis::toUtf8(FormatProblem(p)) + "\n";
        return text + std::to_string(r.unitsChecked) + " units\n";
    };
    const std::string one = report(1);
    // Both kinds of layout problem are there to be told.
    EXPECT_NE(one.find("が欄の幅に入りません"), std::string::npos) << one;
    EXPECT_NE(one.find("と重なります"), std::string::npos) << one;
    EXPECT_NE(one.find("48 units"), std::string::npos) << one;
    for (unsigned threads : {2u, 4u})
        EXPECT_EQ(report(threads), one) << threads << " threads";
}
