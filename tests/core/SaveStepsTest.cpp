// Saving a worksheet: as a worksheet file through the save dialog's steps, and back into
// its question unit file with 上書き保存. Every failed save loses nothing and says why.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "MenuFixture.h"
#include "SampleWorksheet.h"
#include "authoring/UnitBlock.h"
#include "formats/UnitReader.h"
#include "shell/SaveSteps.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

TEST(SaveWorksheetTo, SavedFileReadsBackThroughTheUnitReader) {
    CourseFixture f;
    Worksheet w = sample();
    f.p.sheets.paperWidth = 546;
    f.p.parse.kgroup = {"3", "x=5"};
    w.windowKey = w.caption;
    f.p.sheets.windowList = {"other", w.windowKey};
    w.masterFlag = true; // an unedited course unit
    std::string path = "C:\\course\\Eq1\\copy";
    ASSERT_TRUE(SaveWorksheetTo(f.p, w, path, true));
    EXPECT_TRUE(f.messages().empty()); // a new file is not asked about
    EXPECT_EQ(f.fp.files.get(path + ".prp").substr(0, 18), "[[unitX\r\n<<header\r");
    EXPECT_EQ(w.caption, path + ".prp");
    EXPECT_EQ(w.strFileName, path + ".prp");
    EXPECT_FALSE(w.Modified);
    EXPECT_FALSE(w.masterFlag); // 上書き保存 is no longer offered for the copy
    EXPECT_EQ(f.p.sheets.windowList, (std::vector<std::string>{"other", path + ".prp"}));

    f.p.parse = ParseBuffer{};
    UnitReadRequest r;
    r.path = path + ".prp";
    r.header = "[[unitX";
    r.mode = UnitReadMode::WorksheetFile;
    ASSERT_TRUE(ReadUnit(f.fp.files, f.p.parse, f.p.fileLines, r).ok());
    const ParseBuffer& b = f.p.parse;
    EXPECT_EQ(b.title, w.strTangen);
    EXPECT_EQ(b.school, w.strSchool);
    EXPECT_EQ(b.nameField, w.strShimei);
    EXPECT_EQ(b.questions, w.lstQues);
    EXPECT_EQ(b.qgraph, w.lstQGraph);
    EXPECT_EQ(b.agraph, w.lstAGraph);
    EXPECT_EQ(b.value, (Lines{"546", "True", "42", "3", "7", "11", "5"}));
    EXPECT_EQ(b.font,
              (Lines{"16", S("MS 明朝"), "True", "False", "True", "False", S("ＭＳ ゴシック")}));
    EXPECT_EQ(b.kran, w.kranLines());
    EXPECT_EQ(b.kgroup, (Lines{"3", "x=5"}));

    // Without graphs the lists read back empty.
    w.lstQGraph.clear();
    w.lstAGraph.clear();
    ASSERT_TRUE(SaveWorksheetTo(f.p, w, path + ".prp", false));
    ASSERT_TRUE(ReadUnit(f.fp.files, f.p.parse, f.p.fileLines, r).ok());
    EXPECT_TRUE(f.p.parse.qgraph.empty());
    EXPECT_TRUE(f.p.parse.agraph.empty());
    EXPECT_EQ(f.p.parse.questions, w.lstQues);
}

// Question lists that look like the block's own markup still read back as they were saved
// (a first line "{" once made the reader skip the questions up to the next "}").
TEST(SaveWorksheetTo, AnyQuestionLinesReadBackAsSaved) {
    const Lines cases[] = {
        {"{", "a#1#"},
        {"{", "}", "b#1#"},
        {"{"},
        {"}", "{", "c#1#"},
        {"<<ans", "]]", "[[unitX", "<<ques", "d#1#"},
    };
    for (const Lines& ques : cases) {
        CourseFixture f;
        Worksheet w = sample();
        w.lstQues = ques;
        ASSERT_TRUE(SaveWorksheetTo(f.p, w, "C:\\course\\w.prp", false));
        UnitReadRequest r;
        r.path = "C:\\course\\w.prp";
        r.header = "[[unitX";
        r.mode = UnitReadMode::WorksheetFile;
        ASSERT_TRUE(ReadUnit(f.fp.files, f.p.parse, f.p.fileLines, r).ok()) << ques.front();
        EXPECT_EQ(f.p.parse.questions, ques);
        EXPECT_EQ(f.p.parse.title, w.strTangen);
    }
}

TEST(AcceptWorksheetPath, ExtensionRule) {
    CourseFixture f;
    EXPECT_EQ(AcceptWorksheetPath(f.p, "C:\\w\\a"), "C:\\w\\a.prp");
    EXPECT_EQ(AcceptWorksheetPath(f.p, "C:\\w\\A.PRP"), "C:\\w\\A.PRP");
    EXPECT_EQ(AcceptWorksheetPath(f.p, "C:\\my.dir\\a"),
              "C:\\my.dir\\a.prp"); // folder dots do not count
    // Dots inside a name are part of it: the extension follows the last one.
    for (const char* name :
         {"C:\\w\\unit-1.1.1.prp", "C:\\w\\test.v2.prp", "C:\\w\\2026.12.07.PRP"})
        EXPECT_EQ(AcceptWorksheetPath(f.p, name), name);
    // Any other extension, and a name that goes on after its ".prp", is some other file.
    for (const char* name : {"C:\\w\\a.txt", "C:\\w\\eq1.prp1.que", "C:\\w\\a.prpx", "C:\\w\\a."})
        EXPECT_EQ(AcceptWorksheetPath(f.p, name), std::nullopt) << name;
    EXPECT_EQ(f.messages(), (std::vector<std::string>{"C:\\w\\a.txt:拡張子が不正です",
                                                      "C:\\w\\eq1.prp1.que:拡張子が不正です",
                                                      "C:\\w\\a.prpx:拡張子が不正です",
                                                      "C:\\w\\a.:拡張子が不正です"}));
}

TEST(SaveWorksheetTo, OverwriteIsAskedAndNoWritesNothing) {
    CourseFixture f;
    Worksheet w = sample();
    f.fp.files.put("C:\\w\\a.prp", "old");
    f.fp.prompter.answers = {answer::No};
    EXPECT_FALSE(SaveWorksheetTo(f.p, w, "C:\\w\\a.prp", true));
    EXPECT_EQ(f.fp.files.get("C:\\w\\a.prp"), "old");
    EXPECT_EQ(f.messages(),
              std::vector<std::string>{"ファイルC:\\w\\a.prpを上書きしてもいいですか？"});
    EXPECT_TRUE(w.Modified);
    // A direct save (with a path, no dialog) asks nothing.
    EXPECT_TRUE(SaveWorksheetTo(f.p, w, "C:\\w\\a.prp", false));
    EXPECT_EQ(f.messages().size(), 1u);
    EXPECT_NE(f.fp.files.get("C:\\w\\a.prp"), "old");
}

TEST(SaveWorksheetTo, AFailedWriteKeepsTheOldFileAndTheWorksheetState) {
    CourseFixture f;
    Worksheet w = sample();
    f.fp.files.put("C:\\w\\a.prp", "old");
    f.fp.files.failWrites = true;
    f.p.sheets.windowList = {w.caption};
    EXPECT_FALSE(SaveWorksheetTo(f.p, w, "C:\\w\\a.prp", false));
    EXPECT_EQ(f.fp.files.get("C:\\w\\a.prp"), "old");
    EXPECT_EQ(f.messages(), std::vector<std::string>{
                                "C:\\w\\a.prpの保存に失敗しました: No space left on device"});
    EXPECT_TRUE(w.Modified);
    EXPECT_EQ(w.caption, "C:\\course\\Eq1\\eq11.que-U3");
    EXPECT_EQ(f.p.sheets.windowList, std::vector<std::string>{w.caption});
}

class Overwrite : public MenuFixture {
  protected:
    const std::string que = "C:\\course\\Eq1\\eq11.que";
    Overwrite() {
        putLines("Eq1\\eq11.que",
                 concat({unitBlock("[[unit1", {"one#1#"}),
                         {"[[unit2", "<<ques", "{", "先生のメモ", "}", "two#2#", ">>", "<<dummy",
                          "ダミー", ">>", "<<kgroup", "選択", ">>", "<<hint", "ヒント", ">>"},
                         defaultBlocks(),
                         {"]]"},
                         unitBlock("[[unit3", {"three#3#"})}));
        LoadLesson(fp.files, p.course, 1);
    }
    Worksheet& open(int unit) {
        EXPECT_EQ(OpenUnit(p, {1, 1, unit, 0}, {}), OpenResult::Opened);
        return *p.sheets.current;
    }
    Lines file() { return lines::split(fp.files.get(que)); }
};

TEST_F(Overwrite, WritesTheWorksheetsValuesAndKeepsEverythingElse) {
    Worksheet& sheet = open(2);
    SetLineSpace(p, 44);
    ASSERT_TRUE(OverwriteUnit(p, sheet));
    EXPECT_FALSE(sheet.Modified);
    Lines after = file();
    std::optional<UnitBlockParts> parts = ReadUnitBlock(after, "[[unit2");
    ASSERT_TRUE(parts);
    EXPECT_EQ(U(parts->ques), (std::vector<std::string>{"{", "先生のメモ", "}", "two#2#"}));
    EXPECT_EQ(U(parts->dummy), std::vector<std::string>{"ダミー"});
    EXPECT_EQ(U(parts->hint), std::vector<std::string>{"ヒント"});
    EXPECT_EQ(U(parts->kgroup), std::vector<std::string>{"選択"});
    EXPECT_EQ(ReadUnitBlock(after, "[[unit1")->ques, Lines{"one#1#"});
    EXPECT_EQ(ReadUnitBlock(after, "[[unit3")->ques, Lines{"three#3#"});

    // Read again, the unit has the saved spacing.
    ASSERT_EQ(OpenUnit(p, {1, 1, 2, 0}, {}, true), OpenResult::Opened);
    EXPECT_EQ(p.sheets.current->LineSpace, 44);
}

TEST_F(Overwrite, UnitMissingFromItsFileIsAppended) {
    Worksheet& sheet = open(3);
    putLines("Eq1\\eq11.que", unitBlock("[[unit1", {"one#1#"}));
    ASSERT_TRUE(OverwriteUnit(p, sheet));
    Lines after = file();
    EXPECT_EQ(after.front(), "[[unit1");
    EXPECT_EQ(ReadUnitBlock(after, "[[unit3")->ques, Lines{"three#3#"});
    EXPECT_EQ(after.back(), "]]");
}

// A save that cannot write or read the file, or that is refused, changes nothing and says
// why; the worksheet stays modified.
TEST_F(Overwrite, AFailedSaveLosesNothingAndSaysWhy) {
    struct Case {
        const char* what;
        std::function<void(MemoryFiles&)> fault;
        const char* said;
    } cases[] = {
        {"full disk", [](MemoryFiles& f) { f.failWrites = true; },
         "C:\\course\\Eq1\\eq11.queの保存に失敗しました: No space left on device"},
        {"unreadable", [this](MemoryFiles& f) { f.unreadable.insert(sjis::asciiLower(que)); },
         "ファイル C:\\course\\Eq1\\eq11.que が読み込めません"},
        {"link out of the course",
         [](MemoryFiles& f) {
             f.setCourseFolder(Master);
             f.linksOut.insert("c:\\course\\eq1");
         },
         "C:\\course\\Eq1\\eq11.que:コースのフォルダの外を指しています"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Worksheet& sheet = open(2);
        SetLineSpace(p, 44);
        const std::string before = fp.files.get(que);
        c.fault(fp.files);
        fp.prompter.messages.clear();
        EXPECT_FALSE(OverwriteUnit(p, sheet));
        fp.files.failWrites = false;
        fp.files.unreadable.clear();
        fp.files.linksOut.clear();
        EXPECT_EQ(fp.files.get(que), before);
        EXPECT_TRUE(sheet.Modified);
        EXPECT_EQ(messages(), std::vector<std::string>{c.said});
        sheet.Modified = false;
        CloseWorksheet(p, sheet);
    }
}

// The bundled course's unit 2.2.4 has answer groups, a soft keyboard, dummy answers and a
// hint: one save with a changed spacing changes that one value and no other byte.
TEST(OverwriteBundled, OnlyTheChangedValueDiffers) {
    CourseFixture f;
    auto load = [&](const std::string& rel) {
        std::string native = rel;
        std::replace(native.begin(), native.end(), '\\', '/');
        std::ifstream in(std::string(VELMIX_SOURCE_DIR "/course/") + native, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        f.fp.files.put(CourseFixture::Master + rel, bytes.str());
        return bytes.str();
    };
    load("Main.ind");
    load("Eq2\\eq2.ind");
    const std::string before = load("Eq2\\eq22.que");
    ASSERT_NE(before.find("<<softkey"), std::string::npos);
    f.p.session.startupDone = true;
    f.p.sheets.defaultFontFace = S("ＭＳ 明朝");
    f.p.sheets.relayout = [](Worksheet&) {};
    ASSERT_TRUE(f.loadList());
    ASSERT_TRUE(f.loadLesson(2));
    ASSERT_EQ(OpenUnit(f.p, {2, 2, 4, 0}, {}), OpenResult::Opened);
    Worksheet& sheet = *f.p.sheets.current;
    sheet.ShowAnswers = false;
    SetLineSpace(f.p, 45);
    ASSERT_TRUE(OverwriteUnit(f.p, sheet));

    const std::string unit4 = "[[unit4\r\n";
    const std::string oldValue = "<<value\r\n630\r\nFalse\r\n44\r\n";
    const std::size_t at = before.find(oldValue, before.find(unit4));
    ASSERT_NE(at, std::string::npos);
    std::string expected = before;
    expected.replace(at, oldValue.size(), "<<value\r\n630\r\nFalse\r\n45\r\n");
    EXPECT_EQ(f.fp.files.get("C:\\course\\Eq2\\eq22.que"), expected);
}

} // namespace
