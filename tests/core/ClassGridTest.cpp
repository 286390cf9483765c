// The class grid of a lesson and the rule of what to practise next, against a small class
// whose counts and means are worked out by hand.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/ClassGrid.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"

namespace {

struct ClassGridTest : CourseFixture, ::testing::Test {
    ClassGridTest() {
        putLines("Main.ind", {"数学", "中学", "１次方程式,Eq1\\ eq1", ">>"});
        putLines("Eq1\\eq1.ind", {"１次方程式", "[[sect1", "解き方", "<<", "(1) 等式", "(2) 移項",
                                  ">>", "]]", "[[sect2", "文章題", "<<", "(1) 数", ">>", "]]"});
        put("Eq1\\copy.prp", "");
        EXPECT_TRUE(loadList());
    }
    std::string file(const char* learner) {
        return LearnerFile(fp.files, p.course, S(learner), p.shell.logOnFolder, 1);
    }
    // One run of learner on section with score out of 10 boxes (a test when kind says so),
    // on day d of March 2005.
    void run(const char* learner, const char* section, int score, int day,
             RunKind kind = RunKind::Practice) {
        const RunResult r{kind, score / 10, 10, score, kind == RunKind::Test ? "" : "0", 60};
        ASSERT_TRUE(AppendRecord(fp.files, file(learner), S(section),
                                 ResultsLine(r, {2005, 3, day, 9, 0, 0}, 0)));
    }
    void writeClass() {
        // jiro has never practised; the guest name of every roster is no pupil.
        put("LogOn\\sname.txt", "公開\ntaro\nhanako\njiro\n");
        run("taro", "S11(1) 等式", 50, 1);
        run("taro", "S11(1) 等式", 90, 2);
        run("taro", "S12(2) 移項", 70, 3);
        run("taro", "copy.prp", 100, 4, RunKind::Test);
        run("hanako", "S11(1) 等式", 60, 1);
        ASSERT_TRUE(AppendRecord(fp.files, file("hanako"), S("S21(1) 数"), S("壊れた行")));
        run("hanako", "S21(1) 数", 80, 2);
        run("saburo", "S11(1) 等式", 40, 5); // a file without a roster line
        run("broken", "S11(1) 等式", 100, 5);
        fp.files.unreadable.insert(sjis::asciiLower(file("broken")));
    }
    ClassGrid grid() { return ReadClassGrid(fp.files, p.course, p.shell.logOnFolder, 1); }
};

const ClassRow& rowOf(const ClassGrid& g, const char* learner) {
    for (const ClassRow& r : g.rows)
        if (r.learner == S(learner)) return r;
    throw std::runtime_error(std::string("no row for ") + learner);
}

TEST_F(ClassGridTest, ColumnsAreTheUnitsInIndexOrderThenTheSavedWorksheets) {
    const ClassGrid g = grid();
    std::vector<std::string> keys, sections;
    for (const ClassColumn& c : g.columns) {
        keys.push_back(U(c.key));
        sections.push_back(U(c.sectionTitle));
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"S11(1) 等式", "S12(2) 移項", "S21(1) 数", "copy.prp"}));
    EXPECT_EQ(sections, (std::vector<std::string>{"解き方", "解き方", "文章題", ""}));
}

TEST_F(ClassGridTest, RowsAreTheRosterThenTheFilesItDoesNotName) {
    writeClass();
    const ClassGrid g = grid();
    std::vector<std::string> names;
    for (const ClassRow& r : g.rows)
        names.push_back(U(r.learner) + (r.inRoster ? "" : "*"));
    EXPECT_EQ(names, (std::vector<std::string>{"taro", "hanako", "jiro", "broken*", "saburo*"}));
}

TEST_F(ClassGridTest, CellsAndSummariesMatchTheHandCountedClass) {
    writeClass();
    const ClassGrid g = grid();
    struct Want {
        const char* learner;
        std::vector<int> runs, scores; // per column; -1 for no score
        int practised;
        double mean;
    };
    const Want wants[] = {
        {"taro", {2, 1, 0, 1}, {90, 70, -1, 100}, 3, (90 + 70 + 100) / 3.0},
        {"hanako", {1, 0, 2, 0}, {60, -1, 80, -1}, 2, 70.0},
        {"jiro", {0, 0, 0, 0}, {-1, -1, -1, -1}, 0, -1},
        {"broken", {0, 0, 0, 0}, {-1, -1, -1, -1}, 0, -1},
        {"saburo", {1, 0, 0, 0}, {40, -1, -1, -1}, 1, 40.0},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE(w.learner);
        const ClassRow& r = rowOf(g, w.learner);
        std::vector<int> runs, scores;
        for (const UnitProgress& c : r.cells) {
            runs.push_back(c.runs);
            scores.push_back(c.lastScore);
        }
        EXPECT_EQ(runs, w.runs);
        EXPECT_EQ(scores, w.scores);
        EXPECT_EQ(r.practised, w.practised);
        EXPECT_DOUBLE_EQ(r.mean, w.mean);
    }
    std::vector<int> learners;
    std::vector<double> means;
    for (const ColumnSummary& s : g.summaries) {
        learners.push_back(s.learners);
        means.push_back(s.mean);
    }
    EXPECT_EQ(learners, (std::vector<int>{3, 1, 1, 1}));
    EXPECT_DOUBLE_EQ(means[0], (90 + 60 + 40) / 3.0);
    EXPECT_EQ((std::vector<double>{means[1], means[2], means[3]}),
              (std::vector<double>{70, 80, 100}));
    EXPECT_EQ(HardestColumn(g), 0);
}

TEST_F(ClassGridTest, DamagedFilesAreNamedInTheirRowsAndHideNoOtherRow) {
    writeClass();
    const ClassGrid g = grid();
    EXPECT_EQ(rowOf(g, "broken").state, ClassRow::State::Damaged);
    EXPECT_EQ(rowOf(g, "broken").problem, ReadErrorText(file("broken")));
    const ClassRow& hanako = rowOf(g, "hanako");
    EXPECT_EQ(hanako.state, ClassRow::State::Damaged);
    EXPECT_EQ(U(hanako.problem), U(file("hanako")) + ": 1行が記録の行として読めません");
    EXPECT_EQ(rowOf(g, "jiro").state, ClassRow::State::NoFile);
    EXPECT_EQ(rowOf(g, "taro").state, ClassRow::State::Ok);
    EXPECT_EQ(g.problems.size(), 2u);
}

TEST_F(ClassGridTest, EveryLearnerFileIsReadUnderItsLockAndStillReadWhenNoneCanBeHad) {
    writeClass();
    const int before = fp.files.locksTaken;
    grid();
    EXPECT_EQ(fp.files.locksTaken - before, 4); // taro, hanako, broken, saburo
    fp.files.failLocks = true;
    EXPECT_EQ(rowOf(grid(), "taro").cells[0].lastScore, 90);
}

TEST_F(ClassGridTest, TheCsvHasARowPerLearnerAndTheClassLineLast) {
    writeClass();
    fp.files.unreadable.clear();
    const std::string csv = ClassGridCsv(grid());
    EXPECT_EQ(csv, "learner,records,practised,mean,S11(1) 等式 runs,S11(1) 等式 score,"
                   "S12(2) 移項 runs,S12(2) 移項 score,S21(1) 数 runs,S21(1) 数 score,"
                   "copy.prp runs,copy.prp score,problem\r\n"
                   "taro,ok,3,86.7,2,90,1,70,,,1,100,\r\n"
                   "hanako,damaged,2,70.0,1,60,,,2,80,,,C:/course/Eq1/hanako.ini: 1行が記録の行として読めません\r\n"
                   "jiro,none,0,,,,,,,,,,\r\n"
                   "broken,ok,1,100.0,1,100,,,,,,,\r\n"
                   "saburo,ok,1,40.0,1,40,,,,,,,\r\n"
                   "(class),,,,4,72.5,1,70.0,1,80.0,1,100.0,\r\n");
}

TEST_F(ClassGridTest, EveryKindOfDamagedFileIsNamedInItsRowAndTheRestOfTheClassIsRead) {
    run("taro", "S11(1) 等式", 90, 1);
    const std::string good = fp.files.get(file("taro"));
    struct Case {
        const char* learner;
        std::string bytes;
        const char* problem; // after "<file>: "; "" for none
        std::vector<int> runs;
    } cases[] = {
        {"garbage", "PK\x03\x04 this is no learner file\r\nat all\r\n", "記録のファイルとして読めません", {0, 0, 0, 0}},
        {"binary", std::string("[S11(1)\0\0]\r\n1=\0\xFF", 14), "記録のファイルとして読めません", {0, 0, 0, 0}},
        {"cutline", good.substr(0, good.size() - 9), "1行が記録の行として読めません", {1, 0, 0, 0}},
        {"cuthead", good + "[S12(2) ", "1行が記録の行として読めません", {1, 0, 0, 0}},
        {"unreadable", good, "", {0, 0, 0, 0}},
        {"locked", good, "ほかのプログラムが使用中で、ロックできないまま読みました（locked by another program）", {1, 0, 0, 0}},
        {"healthy", good, "", {1, 0, 0, 0}},
    };
    for (const Case& c : cases)
        fp.files.put(file(c.learner), c.bytes);
    fp.files.unreadable.insert(sjis::asciiLower(file("unreadable")));
    fp.files.lockedElsewhere.insert(sjis::asciiLower(file("locked")));
    const ClassGrid g = grid();
    EXPECT_EQ(g.rows.size(), std::size(cases) + 1); // and taro
    for (const Case& c : cases) {
        SCOPED_TRACE(c.learner);
        const ClassRow& r = rowOf(g, c.learner);
        std::vector<int> runs;
        for (const UnitProgress& cell : r.cells)
            runs.push_back(cell.runs);
        EXPECT_EQ(runs, c.runs);
        if (std::string(c.learner) == "healthy") {
            EXPECT_EQ(r.state, ClassRow::State::Ok);
            continue;
        }
        EXPECT_EQ(r.state, ClassRow::State::Damaged);
        const std::string want = *c.problem ? U(file(c.learner)) + ": " + c.problem
                                            : U(ReadErrorText(file(c.learner)));
        EXPECT_EQ(U(r.problem), want);
        // The CSV's row names the file and says what is wrong.
        const std::string csv = ClassGridCsv(g);
        const std::string slashes = U(corepath::withSlashes(r.problem));
        EXPECT_NE(csv.find(std::string(c.learner) + ",damaged,"), std::string::npos);
        EXPECT_NE(csv.find("," + slashes + "\r\n"), std::string::npos) << csv;
    }
    EXPECT_EQ(g.problems.size(), std::size(cases) - 1);
    EXPECT_EQ(rowOf(g, "taro").state, ClassRow::State::Ok);
}

TEST(PracticeNextRule, ChoosesByRunsLastScoreAndTheLastTest) {
    const DateTime now{2005, 3, 13, 9, 0, 0};
    auto progress = [](int runs, int score, bool tested, DateTime test) {
        UnitProgress p;
        p.runs = runs;
        p.lastScore = score;
        p.tested = tested;
        p.lastTest = test;
        return p;
    };
    struct Case {
        const char* what;
        UnitProgress p;
        NextReason want;
    };
    const Case cases[] = {
        {"never practised", progress(0, -1, false, {}), NextReason::NeverPractised},
        {"last score 79", progress(2, 79, false, {}), NextReason::LowScore},
        {"last score 80", progress(1, 80, false, {}), NextReason::None},
        {"no line reads", progress(3, -1, false, {}), NextReason::LowScore},
        {"test 21 days ago", progress(1, 100, true, {2005, 2, 20, 9, 0, 0}), NextReason::None},
        {"test 21 days 1 minute ago", progress(1, 100, true, {2005, 2, 20, 8, 59, 0}),
         NextReason::TestLongAgo},
        {"test last year", progress(4, 90, true, {2004, 12, 24, 9, 0, 0}), NextReason::TestLongAgo},
        {"low score beats an old test", progress(4, 30, true, {2004, 1, 1, 0, 0, 0}),
         NextReason::LowScore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PracticeNext(c.p, now), c.want) << c.what;
    EXPECT_EQ(U(NextReasonMark(NextReason::TestLongAgo)), "要テスト");
    EXPECT_EQ(NextReasonMark(NextReason::None), "");
}

TEST_F(ClassGridTest, ProgressReadsTheLastRunAndTheLastTestFromTheRecordLines) {
    run("taro", "S11(1) 等式", 100, 1, RunKind::Test);
    run("taro", "S11(1) 等式", 40, 7);
    const ClassGrid g = grid();
    const UnitProgress& c = rowOf(g, "taro").cells[0];
    EXPECT_EQ(c.runs, 2);
    EXPECT_EQ(c.lastScore, 40);
    EXPECT_EQ(c.lastRun.day, 7);
    EXPECT_TRUE(c.tested);
    EXPECT_EQ(c.lastTest.day, 1);
    EXPECT_EQ(BandOf(c.lastScore), ScoreBand::Low);
    EXPECT_EQ(BandOf(80), ScoreBand::High);
    EXPECT_EQ(BandOf(-1), ScoreBand::None);
}

} // namespace
