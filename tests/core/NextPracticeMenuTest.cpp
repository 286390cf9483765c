// The unit menu's marks of what to practise next, as they change after each run, and the
// 次の練習 choice.
#include "MenuFixture.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"

namespace {

class NextPracticeMenu : public MenuFixture {
  protected:
    // A run of the logged-on learner, on the fixed clock's day unless told otherwise.
    void run(const char* section, int score, RunKind kind = RunKind::Practice,
             DateTime when = {2026, 12, 7, 9, 0, 0}) {
        const RunResult r{kind, score / 10, 10, score, kind == RunKind::Test ? "" : "0", 30};
        ASSERT_TRUE(AppendRecord(fp.files, learnerFile(1), S(section), ResultsLine(r, when, 0)));
        ComputeMarks(p);
    }
    std::vector<std::string> marks(int section) const { return U(p.menu.nextMarks[section]); }
};

TEST_F(NextPracticeMenu, MarksFollowEachRun) {
    PrepareUnitMenu(p);
    EXPECT_EQ(marks(1), (std::vector<std::string>{"未", "未", "未"}));
    run("S11(1) 移項", 60);
    EXPECT_EQ(marks(1), (std::vector<std::string>{"要復習", "未", "未"}));
    EXPECT_EQ(U(UnitNextMark(p, 0)), "要復習");
    run("S11(1) 移項", 90);
    EXPECT_EQ(marks(1), (std::vector<std::string>{"", "未", "未"}));
    // A test 22 days before the clock's day is due again; one today is not.
    run("S11(1) 移項", 100, RunKind::Test, {2026, 11, 15, 9, 0, 0});
    EXPECT_EQ(marks(1)[0], "要テスト");
    run("S11(1) 移項", 100, RunKind::Test);
    EXPECT_EQ(marks(1)[0], "");
    // The counts before the unit lines are as they were.
    EXPECT_EQ(U(p.menu.unitMarks[1][0]), "◎[4]");
}

TEST_F(NextPracticeMenu, NoLearnerNoMarks) {
    p.session.learnerName.clear();
    PrepareUnitMenu(p);
    EXPECT_EQ(marks(1), (std::vector<std::string>{"", "", ""}));
    EXPECT_FALSE(MenuChooseNextPractice(p));
    EXPECT_EQ(messages(), (std::vector<std::string>{"次に練習する単元はありません"}));
}

TEST_F(NextPracticeMenu, NextPracticeChoosesTheFirstMarkedUnitInIndexOrder) {
    PrepareUnitMenu(p);
    run("S11(1) 移項", 100);
    MenuChooseSection(p, 1); // the menu elsewhere
    ASSERT_TRUE(MenuChooseNextPractice(p));
    EXPECT_EQ(p.menu.section, 0);
    EXPECT_EQ(p.menu.unit, 1);
    run("S12(2) かっこ", 80);
    run("S13(3) 小数", 95);
    ASSERT_TRUE(MenuChooseNextPractice(p));
    EXPECT_EQ(p.menu.section, 1);
    EXPECT_EQ(p.menu.unit, 0);
    ASSERT_TRUE(ConfirmUnitChoice(p));
    EXPECT_EQ(U(p.menu.selectedNames.unit), "(1) 代金");
}

} // namespace
