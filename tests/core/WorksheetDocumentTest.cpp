#include "SheetFixture.h"

#include "worksheet/WorksheetSetters.h"

namespace {

using Doc = SheetFixture;

struct ValueCase {
    const char* width;
    const char* options;
    bool fixedPaper;
    int expectWidth, expectHeight, expectOptions;
};

class ValueBlock : public SheetFixture, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueBlock, GivesPaperAndOptions) {
    const ValueCase& c = GetParam();
    program.parse.value[0] = c.width;
    program.parse.value[6] = c.options;
    program.sheets.fixedPaper = c.fixedPaper;
    program.sheets.paperChoice = 546;
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.paper, (PaperRec{c.expectWidth, c.expectHeight}));
    EXPECT_EQ(sheet.Options, c.expectOptions);
}

INSTANTIATE_TEST_SUITE_P(
    Doc, ValueBlock,
    ::testing::Values(ValueCase{"True", "7", false, 630, 891, 7}, // the word means A4
                      ValueCase{"False", "True", false, 630, 891, 7},
                      ValueCase{"630", "20", false, 630, 891, 15}, // 16 and more: 15
                      ValueCase{"630", "16", false, 630, 891, 15},
                      ValueCase{"630", "3", false, 630, 891, 3},
                      ValueCase{"546", "7", false, 546, 772, 7}, // round(√2 × 546)
                      ValueCase{"600", "7", false, 600, 849, 7},
                      // widths no page image can hold read as A4
                      ValueCase{"200000", "7", false, 630, 891, 7},
                      ValueCase{"0", "7", false, 630, 891, 7},
                      ValueCase{"-546", "7", false, 630, 891, 7},
                      ValueCase{"891", "7", true, 546, 771, 7})); // the paper button wins

TEST_F(Doc, ValueBlockSetsSpacingMarginsAndOptionBoxes) {
    program.parse.value = {"630", "True", "44", "3", "7", "5", "2"};
    program.sheets.answersShown = false;
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.LineSpace, 44);
    EXPECT_EQ(sheet.LeftMargin, 3);
    EXPECT_EQ(sheet.RightMargin, 7);
    EXPECT_EQ(sheet.StartNo, 5);
    EXPECT_FALSE(sheet.ShowAnswers); // from the answer display, not from line 2
    EXPECT_EQ(sheet.Options, 2); // date line only
}

TEST_F(Doc, MissingBlocksKeepTheNewWindowValues) {
    program.parse.value.clear();
    program.parse.font.clear();
    program.parse.kran.clear();
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.paper, (PaperRec{630, 891}));
    EXPECT_EQ(sheet.FontSize, 14);
    EXPECT_EQ(sheet.LineSpace, 30);
    EXPECT_EQ(sheet.Options, 7);
    EXPECT_TRUE(sheet.ShowAnswers);
    EXPECT_EQ(sheet.strMainFont, "");
    EXPECT_EQ(sheet.kran(0), 2); // brackets
    EXPECT_EQ(sheet.kranLines(), (Lines{"2", "10", "4", "0", "0", "0", "15", "10", "0", "0"}));
}

TEST_F(Doc, KranBlockIsPaddedToTenLines) {
    program.parse.kran = {"1", "20", "3", "2", "40", "1", "12"};
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.kranLines(), (Lines{"1", "20", "3", "2", "40", "1", "12", "0", "0", "0"}));
}

TEST_F(Doc, FontBlockSetsSizeFaceAndStyle) {
    program.parse.font = {"16", J("ＭＳ ゴシック"), "True", "False", "True", "False", "0"};
    Worksheet& a = open("a");
    EXPECT_EQ(a.FontSize, 16);
    EXPECT_EQ(a.secondFont.size, 16);
    EXPECT_EQ(a.secondFont.face, J("ＭＳ ゴシック"));
    EXPECT_TRUE(a.secondFont.bold);
    EXPECT_FALSE(a.secondFont.italic);
    EXPECT_TRUE(a.secondFont.underline);
    EXPECT_EQ(a.strMainFont, J("ＭＳ 明朝")); // "0": the program's default face

    program.parse.font[6] = J("ＭＳ Ｐゴシック");
    EXPECT_EQ(open("b").strMainFont, J("ＭＳ Ｐゴシック"));
}

TEST_F(Doc, CreationCopiesTheBufferAndRegistersTheWindow) {
    program.parse.softkey = {"1", "2"};
    program.parse.kgroup = {"x;y"};
    Worksheet& sheet = CreateWorksheet(program, origin("key1"));
    EXPECT_FALSE(program.sheets.layoutEnabled); // until activation
    EXPECT_EQ(sheet.strTangen, program.parse.title);
    EXPECT_EQ(sheet.strSchool, J("中学校"));
    EXPECT_EQ(sheet.lstQues.size(), 2u);
    EXPECT_EQ(sheet.SoftkeyLines, program.parse.softkey);
    EXPECT_EQ(sheet.KgroupLines, program.parse.kgroup);
    EXPECT_EQ(sheet.caption, "key1");
    EXPECT_EQ(sheet.strPrintName, "eq11.que-U1");
    EXPECT_EQ(sheet.unitRef, (UnitRef{1, 1, 1, 0}));
    EXPECT_EQ(program.sheets.count, 1);
    EXPECT_EQ(program.sheets.windowList, (std::vector<std::string>{"key1"}));
    EXPECT_FALSE(sheet.layout.drawTypedAnswers);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(relayouts, 0);

    ActivateWorksheet(program, sheet);
    EXPECT_TRUE(program.sheets.layoutEnabled);
    EXPECT_EQ(program.sheets.current, &sheet);
    EXPECT_EQ(relayouts, 1);
}

TEST_F(Doc, GraphPicturesComeFromTheLessonGraphFolder) {
    pictures.add("C:\\course\\Eq1\\Graph\\g1.bmp", 40, 30);
    program.parse.qgraph = {"g1.bmp", "100", "200", "g2.bmp", "-1", "-1"};
    program.parse.agraph = {"g1.bmp", "100", "200"};
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.lstQGraph, program.parse.qgraph);
    EXPECT_EQ(sheet.qGraphPictures[0].width, 40);
    EXPECT_EQ(sheet.aGraphPictures[0].height, 30);
    EXPECT_TRUE(sheet.qGraphPictures[1].empty());
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "ファイル C:\\course\\Eq1\\Graph\\g2.bmp が見つかりません"}));
}

TEST_F(Doc, GraphFolderFallsBackToTheMasterFolder) {
    pictures.add("C:\\course\\Graph\\g1.bmp", 8, 8);
    program.parse.qgraph = {"g1.bmp", "100", "200"};
    EXPECT_EQ(open().qGraphPictures[0].width, 8);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Doc, ClassFlagIsLoadedOrHiddenWithoutMessage) {
    Worksheet& without = open("a");
    EXPECT_FALSE(without.classFlagVisible);
    EXPECT_TRUE(messages().empty());
    pictures.add("C:\\course\\classFlag.bmp", 50, 40);
    Worksheet& with = open("b");
    EXPECT_TRUE(with.classFlagVisible);
    EXPECT_EQ(with.classFlag.width, 50);
}

TEST_F(Doc, AppendedGraphsArePlacedAutomatically) {
    program.parse.qgraph = {"g1.bmp", "100", "200"};
    program.parse.title = J("方程式//§1-1");
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.strTitleBase, J("方程式//§1-1"));
    fake.prompter.messages.clear();
    // The buffer is loaded from the worksheet, then a unit with two graphs is appended.
    program.parse.title = J("方程式//§1-1,2");
    program.parse.questions.push_back(J("(3)　3x＝9　　x＝#3#"));
    program.parse.qgraph = {"g1.bmp", "100", "200", "g2.bmp", "50", "60", "g3.bmp", "1", "2"};
    program.parse.agraph = {"a2.bmp", "5", "6"};
    program.parse.qgraphBefore = 3; // as the reader counted them
    sheet.masterFlag = true;
    int before = relayouts;
    ReloadAfterAppend(program, sheet);
    EXPECT_EQ(sheet.lstQGraph,
              (Lines{"g1.bmp", "100", "200", "g2.bmp", "-1", "-1", "g3.bmp", "-1", "-1"}));
    EXPECT_EQ(sheet.lstAGraph, (Lines{"a2.bmp", "-1", "-1"}));
    EXPECT_EQ(sheet.lstQues.size(), 3u);
    EXPECT_EQ(sheet.caption, program.parse.title);
    EXPECT_EQ(sheet.strTitleBase, J("方程式//§1-1,2")); // the next append adds to it
    EXPECT_EQ(sheet.windowKey, "C:\\course\\Eq1\\eq11.que-U1");
    EXPECT_FALSE(sheet.masterFlag);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(relayouts, before + 1);
    EXPECT_EQ(messages().size(), 4u); // every graph file of the new lists is missing
}

TEST_F(Doc, ActivationPushesValuesWithoutMarkingModified) {
    program.parse.value = {"630", "False", "44", "3", "7", "9", "7"};
    program.parse.kran = {"1", "20", "3", "2", "40", "-4", "12", "8", "6", "0"};
    Worksheet& sheet = open();
    // What the main window and the settings strip show of the worksheet in front.
    const std::vector<int> shown{sheet.LineSpace, sheet.FontSize, sheet.LeftMargin,
                                 sheet.RightMargin, sheet.kran(1), sheet.kran(2), sheet.kran(4),
                                 sheet.kran(5),   sheet.kran(6), sheet.kran(7), sheet.kran(8),
                                 sheet.StartNo};
    EXPECT_EQ(shown, (std::vector<int>{44, 12, 3, 7, 20, 3, 40, -4, 12, 8, 6, 9}));
    EXPECT_EQ(program.sheets.paperChoice, 630); // the paper buttons show the worksheet's
    EXPECT_FALSE(sheet.Modified);

    SetLineSpace(program, 45);
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(Doc, ActivationBringsBackTheWorksheetsOwnValues) {
    Worksheet& a = open("a");
    program.sheets.answersShown = false;
    SetLineSpace(program, 50);
    Worksheet& b = open("b");
    EXPECT_EQ(b.LineSpace, 40);
    EXPECT_FALSE(b.ShowAnswers);
    ActivateWorksheet(program, a);
    EXPECT_EQ(program.sheets.current, &a);
    EXPECT_EQ(a.LineSpace, 50);
    EXPECT_EQ(b.LineSpace, 40);
    EXPECT_TRUE(program.sheets.answersShown);
}

TEST_F(Doc, ActivationBeforeStartUpPushesNothing) {
    program.session.startupDone = false;
    program.sheets.paperChoice = 891;
    Worksheet& sheet = open();
    EXPECT_EQ(program.sheets.current, &sheet);
    EXPECT_EQ(program.sheets.paperChoice, 891);
    EXPECT_TRUE(program.sheets.layoutEnabled);
    EXPECT_EQ(relayouts, 1);
}

struct CloseCase {
    bool modified;
    int reply;
    bool saves;
    bool expectClosed;
    int expectSaveCalls;
};

class CloseRequestAnswers : public SheetFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseRequestAnswers, DecideWhetherTheWorksheetCloses) {
    const CloseCase& c = GetParam();
    Worksheet& sheet = open("C:\\course\\Eq1\\eq11.que-U1");
    sheet.Modified = c.modified;
    fake.prompter.answers = {c.reply};
    int saveCalls = 0;
    bool startupDuringSave = true;
    bool closed = TryCloseWorksheet(program, sheet, [&](Worksheet& s) {
        ++saveCalls;
        startupDuringSave = program.session.startupDone;
        if (c.saves) s.Modified = false;
        return c.saves;
    });
    EXPECT_EQ(closed, c.expectClosed);
    EXPECT_EQ(saveCalls, c.expectSaveCalls);
    if (saveCalls > 0) {
        EXPECT_FALSE(startupDuringSave); // activations push nothing meanwhile
    }
    EXPECT_TRUE(program.session.startupDone);
    std::vector<std::string> asked;
    if (c.modified) asked.push_back("C:\\course\\Eq1\\eq11.que-U1を保存しますか？");
    EXPECT_EQ(messages(), asked);
    EXPECT_EQ(program.sheets.count, closed ? 0 : 1);
    EXPECT_EQ(program.sheets.open.size(), closed ? 0u : 1u);
    EXPECT_EQ(program.sheets.windowList.size(), closed ? 0u : 1u);
    EXPECT_EQ(program.sheets.current, closed ? nullptr : &sheet);
}

INSTANTIATE_TEST_SUITE_P(Doc, CloseRequestAnswers,
                         ::testing::Values(CloseCase{false, answer::Cancel, true, true, 0},
                                           CloseCase{true, answer::Cancel, true, false, 0},
                                           CloseCase{true, answer::No, true, true, 0},
                                           CloseCase{true, answer::Yes, true, true, 1},
                                           CloseCase{true, answer::Yes, false, false, 1}));

TEST_F(Doc, ClosingOneOfTwoRemovesOnlyItsKey) {
    Worksheet& a = open("a");
    open("b");
    program.formula.worksheetCurrent = true; // as the last layout left it
    CloseWorksheet(program, a);
    EXPECT_EQ(program.sheets.windowList, (std::vector<std::string>{"b"}));
    EXPECT_EQ(program.sheets.count, 1);
    EXPECT_EQ(program.sheets.current, nullptr);
    EXPECT_FALSE(program.formula.worksheetCurrent);
    EXPECT_NE(FindWorksheet(program, "b"), nullptr);
    EXPECT_EQ(FindWorksheet(program, "a"), nullptr);
}

} // namespace
