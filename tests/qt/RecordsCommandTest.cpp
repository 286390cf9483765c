// velmix records as a teacher runs it: one learner's records, a name the course does not
// know, and cells that a spreadsheet would run as formulas.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "RunVelmix.h"
#include "SjisFiles.h"

namespace {

// A course of one lesson; taro and a learner named "=1+2" have one record each.
QString course(const QTemporaryDir& tmp) {
    const QString c = tmp.filePath("course");
    put(c + "/Main.ind", {"数学", "", "方程式,Eq1\\ eq1"});
    put(c + "/Eq1/eq1.ind", {"t", "[[sect1", "式", "<<", "(1) 等式", ">>", "]]"});
    for (const char* learner : {"taro", "=1+2"})
        put(c + "/Eq1/" + learner + ".ini",
            {"[S11(1) 等式]", "1=2005年03月01日 09:05 [1]  1/10  10点 01:01"});
    put(c + "/LogOn/sname.txt", {"公開", "taro", "hanako"});
    return c;
}

TEST(RecordsCommand, OneLearnersRecordsAndNamesTheCourseDoesNotKnow) {
    QTemporaryDir tmp;
    const QString c = course(tmp);
    const Outcome taro = runVelmix({"records", c, "--learner", "taro"}, tmp.path());
    EXPECT_EQ(taro.exitCode, 0) << taro.err.toStdString();
    EXPECT_EQ(taro.text(), "learner,lesson,key,unit,similar,date,time,tries,correct,total,"
                           "score,seconds\r\n"
                           "taro,1,S11(1) 等式,(1) 等式,0,2005-03-01,09:05,1,1,10,10,61\r\n");

    const Outcome nobody = runVelmix({"records", c, "--learner", "nobody"}, tmp.path());
    EXPECT_EQ(nobody.exitCode, 1);
    EXPECT_TRUE(nobody.out.isEmpty()) << nobody.text().toStdString();
    EXPECT_EQ(nobody.err.toStdString(),
              "velmix records: there is no learner named nobody in this course\n");

    // On the roster without records yet: a learner, with no rows.
    const Outcome hanako = runVelmix({"records", c, "--learner", "hanako"}, tmp.path());
    EXPECT_EQ(hanako.exitCode, 0);
    EXPECT_EQ(hanako.text(), "learner,lesson,key,unit,similar,date,time,tries,correct,total,"
                             "score,seconds\r\n");
}

TEST(RecordsCommand, FormulaNamesComeOutAsText) {
    QTemporaryDir tmp;
    const Outcome all = runVelmix({"records", course(tmp)}, tmp.path());
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_NE(all.text().indexOf(QStringLiteral("\r\n'=1+2,1,S11(1) 等式,")), -1)
        << all.text().toStdString();
    EXPECT_EQ(all.text().indexOf(QStringLiteral("\r\n=1+2")), -1);
}

} // namespace

namespace {

TEST(RecordsSummary, OneRowPerLearnerOfTheRosterAndTheFilesWithTheClassLineLast) {
    QTemporaryDir tmp;
    const QString c = course(tmp);
    // A learner file no roster names, its first line damaged.
    put(c + "/Eq1/jiro.ini", {"[S11(1) 等式]", "1=こわれた", "2=2005年03月02日 09:05 []  8/10  80点 01:01"});
    const Outcome sum = runVelmix({"records", c, "--summary", "--lesson", "1"}, tmp.path());
    EXPECT_EQ(sum.exitCode, 1);
    const std::string jiroFile = QDir(c).filePath(QStringLiteral("Eq1/jiro.ini")).toStdString();
    EXPECT_EQ(sum.text().toStdString(),
              "learner,records,practised,mean,S11(1) 等式 runs,S11(1) 等式 score,problem\r\n"
                          "taro,ok,1,10.0,1,10,\r\n"
                          "hanako,none,0,,,,\r\n"
                          "'=1+2,ok,1,10.0,1,10,\r\n"
                          "jiro,damaged,1,80.0,2,80," + jiroFile + ": 1行が記録の行として読めません\r\n"
                          "(class),,,,3,33.3,\r\n");
    EXPECT_NE(sum.err.indexOf(QStringLiteral("Eq1/jiro.ini: 1行が記録の行として読めません")), -1)
        << sum.err.toStdString();

    const Outcome mixed = runVelmix({"records", c, "--summary", "--learner", "taro"}, tmp.path());
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_TRUE(mixed.out.isEmpty());
}

} // namespace
