#include "MenuFixture.h"

namespace {

// Blanks that pad a unit line of `bytes` Shift-JIS bytes to the menu's 38.
std::string pad(std::size_t bytes) {
    return std::string(38 - bytes, ' ');
}

TEST(ListRuidai, OffersOnlyConsecutiveSimilarQuestionsInFileOrder) {
    struct Case {
        const char* what;
        Lines file;
        int unit;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"R1 and R3 without R2", {"[[unit3", "[[unit3R1", "[[unit3R3"}, 3, {"類題　3R1"}},
        {"R2 before R1", {"[[unit3R2", "[[unit3R1"}, 3, {"類題　3R1"}},
        {"none", {"[[unit3", "]]"}, 3, {}},
        {"another unit's variants", {"[[unit13R1", "[[unit3R1 "}, 3, {}},
        {"six variants offer five",
         {"[[unit1R1", "[[unit1R2", "[[unit1R3", "[[unit1R4", "[[unit1R5", "[[unit1R6"},
         1,
         {"類題　1R1", "類題　1R2", "類題　1R3", "類題　1R4", "類題　1R5"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(ListRuidai(c.file, c.unit)), c.expected) << c.what;
}

TEST_F(MenuFixture, FirstShowingChoosesTheFirstLessonSectionAndUnit) {
    PrepareUnitMenu(p);
    EXPECT_EQ(p.menu.lesson, 0);
    EXPECT_EQ(p.menu.section, 0);
    EXPECT_EQ(p.menu.unit, 0);
    EXPECT_EQ(U(p.menu.ruidaiItems), (std::vector<std::string>{"類題　1R1"}));
    EXPECT_EQ(items(),
              (std::vector<std::string>{"◎[ ](1) 移項" + pad(8), "　[ ](2) かっこ" + pad(10),
                                        "　[ ](3) 小数" + pad(8)}));
    EXPECT_FALSE(p.shell.ruidaiScanPending);
}

TEST_F(MenuFixture, MarksCountTheLearnersRecordsPerUnit) {
    records({{"S11(1) 移項", 3}, {"S21(1) 代金", 12}, {"S12(9) ない単元", 4}});
    PrepareUnitMenu(p);
    EXPECT_EQ(items()[0], "◎[3](1) 移項" + pad(8));
    EXPECT_EQ(items()[1], "　[ ](2) かっこ" + pad(10)); // R2 without R1 gives no ◎
    MenuChooseSection(p, 1);
    EXPECT_EQ(items(), (std::vector<std::string>{"　[12](1) 代金" + pad(8)}));
}

TEST_F(MenuFixture, RecordsKeysThatRunNumbersTogetherStayApart) {
    // Section 1 unit 12 and section 11 unit 2 both start their records key with "S112".
    std::vector<std::string> index{"長い課", "[[sect1", "一", "<<"};
    for (int u = 1; u <= 12; ++u)
        index.push_back("単元" + std::to_string(u));
    index.push_back(">>");
    for (int s = 2; s <= 11; ++s)
        for (const char* l : {"[[sect", "節", "<<", "単元1", "単元2", ">>"})
            index.push_back(std::string(l) == "[[sect" ? l + std::to_string(s) : l);
    putLines("Eq1\\eq1.ind", index);
    for (int s = 1; s <= 11; ++s)
        putLines("Eq1\\eq1" + std::to_string(s) + ".que", unitBlock("[[unit1", {"#1#"}));
    records({{"S112単元12", 2}, {"S112単元2", 5}});
    PrepareUnitMenu(p);
    EXPECT_EQ(U(p.menu.unitMarks[1][11]), "　[2]");
    EXPECT_EQ(U(p.menu.unitMarks[11][1]), "　[5]");
}

TEST_F(MenuFixture, MissingSectionFileEndsTheMarksThere) {
    fp.files.remove(S("C:\\course\\Eq1\\eq12.que"));
    putLines("Eq1\\eq1.ind", {"t", "[[sect1", "a", "<<", "(1) 移項", ">>", "[[sect2", "b", "<<",
                              "(1) 代金", ">>", "[[sect3", "c", "<<", "(1) 速さ", ">>"});
    putLines("Eq1\\eq13.que", unitBlock("[[unit1R1", {"#1#"}));
    PrepareUnitMenu(p);
    EXPECT_EQ(items()[0], "◎[ ](1) 移項" + pad(8));
    MenuChooseSection(p, 2);
    EXPECT_EQ(items(), (std::vector<std::string>{"(1) 速さ" + pad(8)}));
}

TEST_F(MenuFixture, MarksFollowTheChosenLesson) {
    PrepareUnitMenu(p);
    ASSERT_TRUE(MenuChooseLesson(p, 1));
    // Unit 1 of the function lesson has no similar question, unlike unit 1 of lesson 1.
    EXPECT_EQ(items(), (std::vector<std::string>{"　[ ](1) 変化の割合" + pad(14)}));
}

TEST_F(MenuFixture, LongUnitLinesAreNotCut) {
    std::string line = "(1) " + std::string(40, 'x');
    EXPECT_EQ(UnitItemText(S("　[ ]"), line), S("　[ ]") + line);
}

TEST_F(MenuFixture, OkNeedsAChoiceAndTakesTheSimilarQuestionWithTheFocus) {
    EXPECT_FALSE(ConfirmUnitChoice(p));
    EXPECT_EQ(messages(), (std::vector<std::string>{"メニューを選択してください"}));

    putLines("Eq1\\eq11.que",
             concat({unitBlock("[[unit1", {"#1#"}), unitBlock("[[unit1R1", {"#2#"}),
                     unitBlock("[[unit1R2", {"#3#"})}));
    PrepareUnitMenu(p);
    MenuSelectRuidai(p, {0, 1}, 1);
    EXPECT_TRUE(MenuRuidaiSelected(p));
    ASSERT_TRUE(ConfirmUnitChoice(p));
    EXPECT_EQ(p.menu.selectedUnit, (UnitRef{1, 1, 1, 2}));
    EXPECT_TRUE(p.menu.ruidaiChosen);
    EXPECT_EQ(U(p.menu.selectedNames.unit), "(1) 移項");

    MenuClearRuidai(p);
    MenuChooseUnit(p, 2);
    ASSERT_TRUE(ConfirmUnitChoice(p));
    EXPECT_EQ(p.menu.selectedUnit, (UnitRef{1, 1, 3, 0}));
    EXPECT_FALSE(p.menu.ruidaiChosen);
}

TEST_F(MenuFixture, LaterShowingsKeepTheChoiceAndDropTheSimilarQuestion) {
    PrepareUnitMenu(p);
    MenuChooseSection(p, 1);
    MenuSelectRuidai(p, {0}, 0);
    PrepareUnitMenu(p);
    EXPECT_EQ(p.menu.section, 1);
    EXPECT_FALSE(MenuRuidaiSelected(p));

    // After the index was edited the lesson list is read again and the menu starts over.
    putLines("Main.ind", {"数学", "", "関数,Fn1\\ fn1"});
    p.shell.indexChanged = true;
    PrepareUnitMenu(p);
    EXPECT_FALSE(p.shell.indexChanged);
    EXPECT_EQ(U(p.course.lessonNames), (std::vector<std::string>{"関数"}));
    EXPECT_EQ(p.menu.section, 0);
    EXPECT_EQ(items(), (std::vector<std::string>{"　[ ](1) 変化の割合" + pad(14)}));
}

TEST_F(MenuFixture, LessonThatCannotLoadCountsAsNotChosen) {
    putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1", "消えた課,Gone\\ gone"});
    loadList();
    PrepareUnitMenu(p);
    EXPECT_FALSE(MenuChooseLesson(p, 1));
    EXPECT_EQ(p.menu.selectedUnit.Lesson, -1);
    EXPECT_TRUE(p.course.sectionNames.empty()); // no sections of lesson 1 stand in for it
    EXPECT_TRUE(items().empty());
    EXPECT_FALSE(ConfirmUnitChoice(p));
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"ディレクトリ C:\\course\\Gone\\ が見つかりません",
                                        "メニューを選択してください"}));
}

} // namespace
