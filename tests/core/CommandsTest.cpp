#include "MenuFixture.h"

#include "authoring/LessonTree.h"
#include "shell/Commands.h"
#include "shell/OpenFlows.h"
#include "shell/Settings.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"

namespace {

class Commands : public MenuFixture {
  protected:
    std::vector<std::string> steps;
    bool answersDuringPractice = true;
    bool learnerDuringPractice = false;

    Worksheet& open(int unit) {
        EXPECT_EQ(OpenUnit(p, {1, 1, unit, 0}, {}), OpenResult::Opened);
        return *p.sheets.current;
    }
    StudyHooks hooks(bool menuOpens = true) {
        StudyHooks h;
        h.openMaster = [this, menuOpens] {
            steps.push_back("menu");
            return menuOpens && OpenUnit(p, {1, 1, 2, 0}, {}) == OpenResult::Opened;
        };
        h.scrollToTop = [this](Worksheet&) { steps.push_back("top"); };
        h.practice = [this](Worksheet& s) {
            steps.push_back("practice");
            answersDuringPractice = p.sheets.answersShown;
            learnerDuringPractice = s.PrintLearner;
        };
        h.closeSheet = [this](Worksheet& s) {
            steps.push_back("close");
            CloseWorksheet(p, s);
        };
        return h;
    }
};

TEST_F(Commands, StudyWithoutAWorksheetOpensOneAndClosesItAfterwards) {
    p.sheets.answersShown = true;
    RunStudy(p, hooks());
    EXPECT_EQ(steps, (std::vector<std::string>{"menu", "practice", "close"}));
    EXPECT_FALSE(answersDuringPractice);
    EXPECT_TRUE(learnerDuringPractice);
    EXPECT_TRUE(p.sheets.answersShown);
    EXPECT_EQ(p.sheets.count, 0);
}

TEST_F(Commands, StudyOnTheOpenWorksheetLeavesItOpenAtTheTop) {
    Worksheet& sheet = open(1);
    for (bool shownBefore : {false, true}) {
        steps.clear();
        p.sheets.answersShown = shownBefore;
        RunStudy(p, hooks());
        EXPECT_EQ(steps, (std::vector<std::string>{"top", "practice"}));
        EXPECT_EQ(p.sheets.answersShown, shownBefore);
        EXPECT_EQ(sheet.ShowAnswers, shownBefore);
        EXPECT_EQ(p.sheets.current, &sheet);
    }
}

TEST_F(Commands, StudyEndsQuietlyWhenNothingWasOpened) {
    RunStudy(p, hooks(false));
    EXPECT_EQ(steps, std::vector<std::string>{"menu"});
    EXPECT_TRUE(messages().empty());

    StudyHooks none = hooks();
    none.practice = nullptr;
    RunStudy(p, none);
    EXPECT_EQ(steps, std::vector<std::string>{"menu"});
    EXPECT_TRUE(messages().empty());
}

TEST_F(Commands, CloseAllClosesByKeyAndKeepsWhatTheUserKeeps) {
    Worksheet& first = open(1);
    Worksheet& second = open(2);
    open(3);
    CopyEditFields f = CopyEditOf(first);
    f.title = S("題名を変えた");
    ASSERT_TRUE(ApplyCopyEdit(p, first, f)); // retitled: its caption is no longer its key
    const std::string kept = second.windowKey;
    CloseAllWorksheets(p, [&](Worksheet& s) {
        if (&s == &second) return false; // the user cancelled its close query
        CloseWorksheet(p, s);
        return true;
    });
    EXPECT_EQ(p.sheets.windowList, std::vector<std::string>{kept});
    EXPECT_EQ(p.sheets.count, 1);
}

TEST_F(Commands, IndexEditorRefusedWhileWorksheetsAreOpen) {
    EXPECT_FALSE(RefuseWhileWorksheetsOpen(p));
    open(1);
    EXPECT_TRUE(RefuseWhileWorksheetsOpen(p));
    EXPECT_EQ(messages(), std::vector<std::string>{"開いているファイルをすべて閉じてください"});
}

TEST_F(Commands, SchoolDialogShowsTheStoredNameOnlyWithAWorksheet) {
    Settings settings(fp.registry, fp.prompter);
    p.session.schoolName = S("東中学校");
    EXPECT_EQ(U(SchoolNameToEdit(p, S("前の入力"))), "前の入力");
    open(1);
    EXPECT_EQ(U(SchoolNameToEdit(p, S("前の入力"))), "東中学校");
    const int before = relayouts;
    SetSchoolName(p, settings, S("ＣＡＩ中学校　２年　１組"));
    EXPECT_EQ(U(p.session.schoolName), "ＣＡＩ中学校　２年　１組");
    EXPECT_EQ(U(*fp.registry.readText(RegKey::Program, "theSchool")), "ＣＡＩ中学校　２年　１組");
    EXPECT_EQ(relayouts, before + 1); // the open worksheet shows the new name at once
}

TEST_F(Commands, LessonTreeCarriesTheMarks) {
    PrepareUnitMenu(p);
    LessonTree tree = BuildLessonTree(p.course.lessonIndexLines, &p.menu.unitMarks);
    EXPECT_EQ(U(tree.title), "方程式の問題");
    ASSERT_EQ(tree.sections.size(), 2u);
    EXPECT_EQ(U(tree.sections[0].name), "１次方程式");
    EXPECT_EQ(U(tree.sections[0].units),
              (std::vector<std::string>{"◎[ ](1) 移項", "　[ ](2) かっこ", "　[ ](3) 小数"}));
    EXPECT_EQ(U(tree.sections[1].units), std::vector<std::string>{"　[ ](1) 代金"});
    EXPECT_EQ(U(BuildLessonTree(p.course.lessonIndexLines, nullptr).sections[1].units),
              std::vector<std::string>{"(1) 代金"});
}

} // namespace
