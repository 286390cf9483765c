#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "formats/UnitReader.h"
#include "formats/WorksheetFile.h"
#include "worksheet/Worksheet.h"

namespace {

Worksheet sample() {
    Worksheet w;
    w.strTangen = S("方程式//１次方程式§1-3 (3) 移項");
    w.strSchool = S("中学校");
    w.strShimei = S("　年　組　番　氏名");
    w.lstQues = {S("(1)　2x＝6　　x＝#3#"), S("(2)　x＋4＝9　　x＝#5;x=5#")};
    w.lstQGraph = {"g1.bmp", "120", "240", "g2.bmp", "300", "40"};
    w.lstAGraph = {"a1.bmp", "120", "240"};
    w.ShowAnswers = true;
    w.LineSpace = 42;
    w.LeftMargin = 3;
    w.RightMargin = 7;
    w.StartNo = 11;
    w.Options = 5;
    w.FontSize = 16;
    w.secondFont = {S("MS 明朝"), 12, true, false, true, false};
    w.strMainFont = S("ＭＳ ゴシック");
    w.lstKranX = {"1", "12", "3", "2", "40", "0", "15", "10", "4", "0"};
    w.caption = "C:\\course\\Eq1\\eq11.que-U3";
    w.Modified = true;
    return w;
}

} // namespace

TEST(WorksheetFile, LinesFollowTheFormatOrder) {
    Worksheet w = sample();
    Lines l = WorksheetFileLines(w, 771, {"3", "5"});
    std::vector<std::string> expected{"[[unitX",
                                      "<<header",
                                      "方程式//１次方程式§1-3 (3) 移項",
                                      "中学校",
                                      "　年　組　番　氏名",
                                      ">>",
                                      "<<ques",
                                      "(1)　2x＝6　　x＝#3#",
                                      "(2)　x＋4＝9　　x＝#5;x=5#",
                                      ">>",
                                      "<<ans",
                                      ">>",
                                      "<<graph",
                                      "g1.bmp",
                                      "120",
                                      "240",
                                      "g2.bmp",
                                      "300",
                                      "40",
                                      ">>",
                                      "<<AGraph",
                                      "a1.bmp",
                                      "120",
                                      "240",
                                      ">>",
                                      "<<value",
                                      "771",
                                      "True",
                                      "42",
                                      "3",
                                      "7",
                                      "11",
                                      "5",
                                      ">>",
                                      "<<font",
                                      "16",
                                      "MS 明朝",
                                      "True",
                                      "False",
                                      "True",
                                      "False",
                                      "ＭＳ ゴシック",
                                      ">>",
                                      "<<kran",
                                      "1",
                                      "12",
                                      "3",
                                      "2",
                                      "40",
                                      "0",
                                      "15",
                                      "10",
                                      "4",
                                      "0",
                                      ">>",
                                      "<<kgroup",
                                      "3",
                                      "5",
                                      ">>",
                                      "]]"};
    EXPECT_EQ(U(l), expected);
}

TEST(WorksheetFile, NoGraphBlocksWithoutGraphs) {
    Worksheet w = sample();
    w.lstQGraph.clear();
    w.lstAGraph.clear();
    w.lstKranX = {"5", "15"}; // a short list is written as ten lines all the same
    Lines l = WorksheetFileLines(w, 630, {});
    for (const auto& line : l) {
        EXPECT_NE(line, "<<graph");
        EXPECT_NE(line, "<<AGraph");
    }
    auto kran = std::find(l.begin(), l.end(), "<<kran");
    ASSERT_NE(kran, l.end());
    EXPECT_EQ(Lines(kran + 1, kran + 12),
              (Lines{"5", "15", "0", "0", "0", "0", "0", "0", "0", "0", ">>"}));
}

TEST(WorksheetFile, SavedFileReadsBackThroughTheUnitReader) {
    CourseFixture f;
    Worksheet w = sample();
    f.p.shell.paperWidth = 546;
    f.p.parse.kgroup = {"3", "x=5"};
    w.windowKey = w.caption;
    f.p.shell.windowList = {"other", w.windowKey};
    w.masterFlag = true; // an unedited course unit
    std::string path = "C:\\course\\Eq1\\copy";
    ASSERT_TRUE(SaveWorksheetTo(f.p, w, path, true));
    EXPECT_TRUE(f.messages().empty()); // a new file is not asked about
    EXPECT_EQ(f.fp.files.get(path + ".prp").substr(0, 18), "[[unitX\r\n<<header\r");
    EXPECT_EQ(w.caption, path + ".prp");
    EXPECT_EQ(w.strFileName, path + ".prp");
    EXPECT_FALSE(w.Modified);
    EXPECT_FALSE(w.masterFlag); // 上書き保存 is no longer offered for the copy
    EXPECT_EQ(f.p.shell.windowList, (std::vector<std::string>{"other", path + ".prp"}));

    f.p.parse = ParseBuffer{};
    UnitReadRequest r;
    r.path = path + ".prp";
    r.header = "[[unitX";
    r.mode = UnitReadMode::WorksheetFile;
    ASSERT_TRUE(ReadUnit(f.p, r).ok());
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
    EXPECT_EQ(b.kran, w.lstKranX);
    EXPECT_EQ(b.kgroup, (Lines{"3", "x=5"}));

    // Without graphs the lists read back empty.
    w.lstQGraph.clear();
    w.lstAGraph.clear();
    ASSERT_TRUE(SaveWorksheetTo(f.p, w, path + ".prp", false));
    ASSERT_TRUE(ReadUnit(f.p, r).ok());
    EXPECT_TRUE(f.p.parse.qgraph.empty());
    EXPECT_TRUE(f.p.parse.agraph.empty());
    EXPECT_EQ(f.p.parse.questions, w.lstQues);
}

// Question lists that look like the block's own markup still read back as they were saved
// (a first line "{" once made the reader skip the questions up to the next "}").
TEST(WorksheetFile, AnyQuestionLinesReadBackAsSaved) {
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
        ASSERT_TRUE(ReadUnit(f.p, r).ok()) << ques.front();
        EXPECT_EQ(f.p.parse.questions, ques);
        EXPECT_EQ(f.p.parse.title, w.strTangen);
    }
}

TEST(WorksheetFile, ExtensionRule) {
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

TEST(WorksheetFile, OverwriteIsAskedAndNoWritesNothing) {
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

TEST(WorksheetFile, AFailedWriteKeepsTheOldFileAndTheWorksheetState) {
    CourseFixture f;
    Worksheet w = sample();
    f.fp.files.put("C:\\w\\a.prp", "old");
    f.fp.files.failWrites = true;
    f.p.shell.windowList = {w.caption};
    EXPECT_FALSE(SaveWorksheetTo(f.p, w, "C:\\w\\a.prp", false));
    EXPECT_EQ(f.fp.files.get("C:\\w\\a.prp"), "old");
    EXPECT_EQ(f.messages(), std::vector<std::string>{
                                "C:\\w\\a.prpの保存に失敗しました: No space left on device"});
    EXPECT_TRUE(w.Modified);
    EXPECT_EQ(w.caption, "C:\\course\\Eq1\\eq11.que-U3");
    EXPECT_EQ(f.p.shell.windowList, std::vector<std::string>{w.caption});
}
