#include "MenuFixture.h"

#include "authoring/UnitBlock.h"
#include "shell/OpenFlows.h"
#include "shell/OpenPrp.h"
#include "shell/SaveSteps.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"

namespace {

class Flows : public MenuFixture {
  protected:
    int menuShown = 0;
    // A menu that chooses section s, unit u (similar question r, 0 = none) and presses OK.
    std::function<bool()> choose(int s, int u, int r = 0) {
        return [=, this] {
            ++menuShown;
            PrepareUnitMenu(p);
            MenuChooseSection(p, s - 1);
            MenuChooseUnit(p, u - 1);
            if (r > 0) MenuSelectRuidai(p, {r - 1}, r - 1);
            return ConfirmUnitChoice(p);
        };
    }
    std::function<bool()> cancel() {
        return [this] {
            ++menuShown;
            return false;
        };
    }
};

TEST_F(Flows, OpenMasterOpensTheChosenUnitOrNothing) {
    EXPECT_FALSE(OpenMaster(p, {cancel(), {}}));
    EXPECT_EQ(p.sheets.count, 0);

    EXPECT_TRUE(OpenMaster(p, {choose(1, 1, 1), {}}));
    ASSERT_NE(p.sheets.current, nullptr);
    EXPECT_EQ(p.sheets.current->windowKey, "C:\\course\\Eq1\\eq11.que-U1R1");
    EXPECT_TRUE(p.sheets.current->RuidaiSheet);
    EXPECT_TRUE(p.sheets.answersShown);

    // The same unit again only comes to the front.
    EXPECT_FALSE(OpenMaster(p, {choose(1, 1, 1), {}}));
    EXPECT_EQ(messages(), std::vector<std::string>{"すでに読み込まれています"});
    EXPECT_EQ(p.sheets.count, 1);
}

TEST_F(Flows, OpenMasterWithoutCourseIndexShowsNoMenu) {
    fp.files.remove("C:\\course\\Main.ind");
    EXPECT_FALSE(OpenMaster(p, {choose(1, 1), {}}));
    EXPECT_EQ(menuShown, 0);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"ファイル C:\\course\\Main.ind が見つかりません"});
}

TEST_F(Flows, MissingUnitOffersTheEditor) {
    struct Case {
        const char* what;
        int answer;
        bool hasEditor;
        bool editorCreates;
        bool opened;
    };
    const Case cases[] = {
        {"No", answer::No, true, true, false},
        {"without an editor nothing is offered", answer::Yes, false, false, false},
        {"Yes, editor cancelled", answer::Yes, true, false, false},
        {"Yes, unit created", answer::Yes, true, true, true},
    };
    for (const Case& c : cases) {
        putLines("Eq1\\eq12.que", {"[[unit9", "]]"}); // section 2 has no unit 1
        fp.prompter.messages.clear();
        fp.prompter.answers = {c.answer};
        std::function<bool()> editor;
        if (c.hasEditor)
            editor = [&] {
                if (c.editorCreates) putLines("Eq1\\eq12.que", unitBlock("[[unit1", {"#1#"}));
                return c.editorCreates;
            };
        EXPECT_EQ(OpenMaster(p, {choose(2, 1), editor}), c.opened) << c.what;
        // Only a program with the editor offers to create the unit.
        std::vector<std::string> expected;
        if (c.hasEditor) expected.push_back("単元がありません\r\n新規作成しますか?");
        EXPECT_EQ(messages(), expected) << c.what;
        EXPECT_EQ(p.sheets.count, c.opened ? 1 : 0) << c.what;
    }
}

// A unit file that exists but cannot be read (or is a link out of the course) says so
// once; the unit is there, so nothing offers to create it.
TEST_F(Flows, AnUnreadableUnitFileOffersNothing) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* said;
    } cases[] = {
        {"unreadable",
         [this] { fp.files.unreadable.insert(sjis::asciiLower("C:\\course\\Eq1\\eq11.que")); },
         "ファイル C:\\course\\Eq1\\eq11.que が読み込めません"},
        {"link out of the course",
         [this] {
             fp.files.setCourseFolder(Master);
             fp.files.linksOut.insert("c:\\course\\eq1\\eq11.que");
         },
         "C:\\course\\Eq1\\eq11.que:コースのフォルダの外を指しています"},
    };
    for (const Case& c : cases) {
        fp.prompter.messages.clear();
        c.fault();
        bool editorShown = false;
        EXPECT_FALSE(OpenMaster(p, {choose(1, 1), [&] { return editorShown = true; }})) << c.what;
        EXPECT_EQ(messages(), std::vector<std::string>{c.said}) << c.what;
        EXPECT_FALSE(editorShown) << c.what;
        EXPECT_EQ(p.sheets.count, 0) << c.what;
        fp.files.unreadable.clear();
        fp.files.linksOut.clear();
    }
}

TEST_F(Flows, OpenCopyAsksAgainForABadExtension) {
    OpenUnit(p, {1, 1, 3, 0}, {});
    ASSERT_TRUE(SaveWorksheetTo(p, *p.sheets.current, "C:\\course\\Eq1\\copy.prp", false));
    CloseWorksheet(p, *p.sheets.current);

    std::deque<std::optional<std::string>> answers{"C:\\course\\Eq1\\copy.txt",
                                                   "C:\\course\\Eq1\\copy"};
    auto dialog = [&]() -> std::optional<std::string> {
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    };
    EXPECT_TRUE(OpenCopy(p, dialog));
    EXPECT_EQ(messages(), std::vector<std::string>{"C:\\course\\Eq1\\copy.txt:拡張子が不正です"});
    EXPECT_TRUE(p.sheets.current->FromCopyFile);

    answers = {"C:\\course\\Eq1\\copy.prp"};
    EXPECT_FALSE(OpenCopy(p, dialog));
    EXPECT_EQ(messages().back(), "すでに読み込まれています");
}

TEST_F(Flows, DamagedWorksheetFileIsReported) {
    put("Eq1\\broken.prp", "not a worksheet\n");
    EXPECT_FALSE(OpenCopy(p, [n = 0]() mutable -> std::optional<std::string> {
        if (n++) return std::nullopt;
        return "C:\\course\\Eq1\\broken.prp";
    }));
    EXPECT_EQ(messages(),
              std::vector<std::string>{
                  "ファイル C:\\course\\Eq1\\broken.prp はワークシートファイルとして読めません"});
    EXPECT_EQ(p.sheets.count, 0);
}

TEST_F(Flows, AddUnitsAppendsToTheCurrentWorksheet) {
    EXPECT_EQ(AddUnits(p, choose(1, 2)), AddResult::NoWorksheet);
    EXPECT_EQ(messages(), std::vector<std::string>{"追加する元のファイルがありません"});

    PrepareUnitMenu(p);
    ASSERT_TRUE(ConfirmUnitChoice(p));
    OpenUnit(p, p.menu.selectedUnit, p.menu.selectedNames);
    Worksheet& sheet = *p.sheets.current;
    EXPECT_EQ(AddUnits(p, cancel()), AddResult::Cancelled);
    EXPECT_EQ(sheet.lstQues.size(), 1u);
    EXPECT_EQ(p.menu.mode, MenuState::Mode::Open);

    EXPECT_EQ(AddUnits(p, choose(1, 3)), AddResult::Added);
    EXPECT_EQ(U(sheet.lstQues),
              (std::vector<std::string>{"(1)　2x＝6　x＝#3#", "(1)　0.5x=1　x=#2#"}));
    EXPECT_EQ(U(sheet.caption), "方程式//§1-1,3");
    EXPECT_FALSE(sheet.masterFlag);
    EXPECT_TRUE(sheet.Modified);
}

TEST_F(Flows, AddingStopsAtFifteenGraphsAndAtSixtyLines) {
    OpenUnit(p, {1, 1, 1, 0}, {});
    Worksheet& sheet = *p.sheets.current;
    for (int g = 0; g < 15; ++g)
        sheet.lstQGraph.insert(sheet.lstQGraph.end(), {"g.bmp", "-1", "-1"});
    EXPECT_EQ(AddUnits(p, choose(1, 3)), AddResult::Full);
    EXPECT_EQ(messages().back(), "これ以上追加できません");
    EXPECT_EQ(menuShown, 0);

    sheet.lstQGraph.clear();
    sheet.lstQues.assign(60, "q#1#");
    const std::string caption = sheet.caption;
    EXPECT_EQ(AddUnits(p, choose(1, 3)), AddResult::NotRead);
    EXPECT_EQ(messages().back(), "問題の行は６０行以下です");
    EXPECT_EQ(sheet.lstQues.size(), 60u);
    EXPECT_EQ(sheet.caption, caption);
}

TEST_F(Flows, EditCopyRetitlesAndStopsOffering上書き保存) {
    OpenUnit(p, {1, 1, 1, 0}, {});
    Worksheet& sheet = *p.sheets.current;
    CopyEditFields f = CopyEditOf(sheet);
    EXPECT_EQ(f.title, sheet.strTangen);
    EXPECT_EQ(f.data.front(), "<<value");
    EXPECT_EQ(CheckPageBlocks(f.data), "");

    f.title = S("小テスト");
    f.questions.push_back(S("(2)　x＋1＝2　x＝#1#"));
    f.data[1].clear();
    f.data.erase(f.data.begin() + 1); // a value block of 6 lines
    EXPECT_FALSE(ApplyCopyEdit(p, sheet, f));
    EXPECT_EQ(messages().back(), "valueブロックの数が合いません");
    EXPECT_TRUE(sheet.masterFlag);

    f.data = CopyEditOf(sheet).data;
    ASSERT_TRUE(ApplyCopyEdit(p, sheet, f));
    EXPECT_EQ(U(sheet.caption), "小テスト");
    EXPECT_EQ(sheet.lstQues.size(), 2u);
    EXPECT_FALSE(sheet.masterFlag);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(sheet.windowKey, "C:\\course\\Eq1\\eq11.que-U1"); // still listed under its key
}

TEST_F(Flows, OpenCopyDialogListsLessonsFilesAndContents) {
    put("Eq1\\a.prp", "[[unitX\n");
    put("Eq1\\b.PRP", "[[unitX\n<<header\n");
    put("Eq1\\c.txt", "x\n");
    OpenPrpState s;
    ASSERT_TRUE(PrepareCopyChoice(p, s));
    EXPECT_EQ(U(s.lessonNames), (std::vector<std::string>{"方程式", "関数"}));
    EXPECT_EQ(s.files, (std::vector<std::string>{"a.prp", "b.PRP"}));
    EXPECT_EQ(s.fileName, "C:\\course\\Eq1\\a.prp");
    OpenPrpChooseFile(p, s, 1);
    EXPECT_EQ(s.contents, (Lines{"[[unitX", "<<header"}));
    ASSERT_TRUE(ConfirmCopyChoice(p, s));

    // The next showing comes back to the file chosen last.
    PrepareCopyChoice(p, s);
    EXPECT_EQ(s.fileName, "C:\\course\\Eq1\\b.PRP");
    OpenPrpChooseLesson(p, s, 1);
    EXPECT_TRUE(s.files.empty());
    EXPECT_FALSE(ConfirmCopyChoice(p, s));
    EXPECT_EQ(messages(), std::vector<std::string>{"単元を選択してください"});
}

} // namespace
