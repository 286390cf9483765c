#include "SheetFixture.h"

#include "shell/SaveSteps.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetFile.h"
#include "worksheet/WorksheetSetters.h"

namespace {

class Open : public SheetFixture {
  protected:
    const std::string que = "C:\\course\\Eq1\\eq11.que";
    UnitTitleNames names{J("方程式"), J("１次方程式"), J("(1) 移項")};

    Open() {
        fake.files.putUtf8(que, "[[unit1\n<<ques\n(1)　2x＝6　　x＝#3#\n>>\n"
                                "<<kran\n4\n20\n>>\n]]\n"
                                "[[unit1R1\n<<ques\n(1)　3x＝6　　x＝#2#\n>>\n]]\n");
    }
};

TEST_F(Open, UnitOfTheCourseBecomesTheCurrentWorksheet) {
    EXPECT_EQ(OpenUnit(program, {1, 1, 1, 0}, names), OpenResult::Opened);
    Worksheet* sheet = program.sheets.current;
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->caption, que + "-U1");
    EXPECT_EQ(sheet->strPrintName, "eq11.que-U1");
    EXPECT_EQ(sheet->strFileName, que);
    EXPECT_EQ(sjis::toUtf8(sheet->strTangen), "方程式//１次方程式§1-1 (1) 移項");
    EXPECT_EQ(sheet->lstQues.size(), 1u);
    EXPECT_EQ(sheet->kranLines(), (Lines{"4", "20", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_TRUE(sheet->masterFlag);
    EXPECT_FALSE(sheet->FromCopyFile);
    EXPECT_FALSE(sheet->Modified);
    EXPECT_EQ(program.sheets.windowList, (std::vector<std::string>{que + "-U1"}));
    EXPECT_EQ(relayouts, 1);
}

TEST_F(Open, SameUnitTwiceOnlyComesToTheFront) {
    OpenUnit(program, {1, 1, 1, 0}, names);
    Worksheet* first = program.sheets.current;
    EXPECT_EQ(OpenUnit(program, {1, 1, 1, 1}, names, false, true), OpenResult::Opened);
    EXPECT_EQ(program.sheets.count, 2); // its similar question opened a second window
    EXPECT_EQ(program.sheets.current->caption, que + "-U1R1");
    EXPECT_TRUE(program.sheets.current->RuidaiSheet);

    EXPECT_EQ(OpenUnit(program, {1, 1, 1, 0}, names), OpenResult::AlreadyOpen);
    EXPECT_EQ(messages(), (std::vector<std::string>{"すでに読み込まれています"}));
    EXPECT_EQ(program.sheets.count, 2);
    EXPECT_EQ(program.sheets.current, first);
}

TEST_F(Open, ReloadReplacesTheOpenWorksheetUnasked) {
    OpenUnit(program, {1, 1, 1, 0}, names);
    SetFontSize(program, 20); // modified, yet not asked about
    EXPECT_EQ(OpenUnit(program, {1, 1, 1, 0}, names, true), OpenResult::Opened);
    EXPECT_EQ(program.sheets.count, 1);
    EXPECT_EQ(program.sheets.windowList.size(), 1u);
    EXPECT_FALSE(program.sheets.current->Modified);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Open, MissingFileOrUnitOpensNothingSilently) {
    EXPECT_EQ(OpenUnit(program, {1, 2, 1, 0}, names), OpenResult::NotRead);
    EXPECT_EQ(OpenUnit(program, {1, 1, 7, 0}, names), OpenResult::NotRead);
    EXPECT_EQ(program.sheets.count, 0);
    EXPECT_TRUE(program.sheets.windowList.empty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Open, SavedWorksheetFileOpensWithItsValues) {
    OpenUnit(program, {1, 1, 1, 0}, names);
    Worksheet& sheet = *program.sheets.current;
    SetLineSpace(program, 36);
    SetAnswerX(program, 40);
    const std::string prp = "C:\\course\\Eq1\\test.prp";
    ASSERT_TRUE(SaveWorksheetTo(program, sheet, "C:\\course\\Eq1\\test", false));
    EXPECT_EQ(program.sheets.windowList, (std::vector<std::string>{prp}));
    CloseWorksheet(program, sheet);
    EXPECT_TRUE(program.sheets.windowList.empty());

    EXPECT_EQ(OpenWorksheetFile(program, prp), OpenResult::Opened);
    Worksheet* copy = program.sheets.current;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->caption, prp);
    EXPECT_EQ(copy->strPrintName, prp);
    EXPECT_EQ(copy->strFileName, prp);
    EXPECT_EQ(copy->unitRef, (UnitRef{1, 0, 0, 0}));
    EXPECT_TRUE(copy->FromCopyFile);
    EXPECT_FALSE(copy->masterFlag);
    EXPECT_EQ(copy->LineSpace, 36);
    EXPECT_EQ(copy->kran(4), 40);
    EXPECT_EQ(sjis::toUtf8(copy->strTangen), "方程式//１次方程式§1-1 (1) 移項");

    EXPECT_EQ(OpenWorksheetFile(program, "C:\\course\\Eq1\\test"), OpenResult::AlreadyOpen);
    EXPECT_EQ(program.sheets.count, 1);
}

TEST_F(Open, WorksheetFileRefusals) {
    EXPECT_EQ(OpenWorksheetFile(program, "C:\\course\\a.txt"), OpenResult::BadPath);
    EXPECT_EQ(OpenWorksheetFile(program, "C:\\course\\none.prp"), OpenResult::NotRead);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"C:\\course\\a.txt:拡張子が不正です",
                                        "ファイル C:\\course\\none.prp が見つかりません"}));
    EXPECT_EQ(program.sheets.count, 0);
}

TEST_F(Open, SavedPathStaysTheKeyAfterTheCopyIsRetitled) {
    OpenUnit(program, {1, 1, 1, 0}, names);
    Worksheet& sheet = *program.sheets.current;
    program.parse.title = J("新しい題");
    ReloadAfterEdit(program, sheet);
    EXPECT_EQ(sjis::toUtf8(sheet.caption), "新しい題");
    ASSERT_TRUE(SaveWorksheetTo(program, sheet, "C:\\course\\Eq1\\b.prp", false));
    EXPECT_EQ(program.sheets.windowList, (std::vector<std::string>{"C:\\course\\Eq1\\b.prp"}));
    CloseWorksheet(program, sheet);
    EXPECT_TRUE(program.sheets.windowList.empty());
}

} // namespace
