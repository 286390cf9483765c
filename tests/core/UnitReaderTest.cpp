#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "formats/CourseIndex.h"
#include "formats/UnitReader.h"

namespace {

const char* const Que = "Eq1\\eq11.que";

struct ReaderFixture : CourseFixture {
    UnitReadRequest request(const std::string& header, int unit, int section = 1,
                            UnitReadMode mode = UnitReadMode::Open) {
        UnitReadRequest r;
        r.path = std::string(Master) + Que;
        r.header = S(header);
        r.unit = unit;
        r.section = section;
        r.mode = mode;
        r.names = {S("方程式"), S("１次方程式"), S("(3) 移項")};
        return r;
    }
    // What the reads reported, in UTF-8. The reader shows nothing itself: the caller does.
    std::vector<std::string> said;
    UnitReadResult read(const UnitReadRequest& r) {
        UnitReadResult result = ReadUnit(fp.files, p.parse, p.fileLines, r);
        if (!result.message.empty()) said.push_back(U(result.message));
        EXPECT_TRUE(messages().empty());
        return result;
    }
    UnitReadResult read(const std::string& header, int unit, int section = 1,
                        UnitReadMode mode = UnitReadMode::Open) {
        return read(request(header, unit, section, mode));
    }
    std::vector<std::string> questions(int n, const std::string& prefix = "q") {
        std::vector<std::string> out;
        for (int i = 1; i <= n; ++i)
            out.push_back(prefix + std::to_string(i) + "#" + std::to_string(i) + "#");
        return out;
    }
};

} // namespace

TEST(UnitReader, ReadsEveryStoredBlockAndSkipsTheEditorOnes) {
    ReaderFixture f;
    f.putLines(Que, {"text before",
                     "[[unit3",
                     "<<ques",
                     "(1)　2x＝6　　x＝#3#",
                     "(2)　x＋4＝9　　x＝#5#",
                     ">>",
                     "<<ans",
                     "3",
                     "5",
                     ">>",
                     "<<dummy",
                     "7",
                     ">>",
                     "<<hint",
                     "ヒント",
                     ">>",
                     "<<graph",
                     "g.bmp",
                     "-1",
                     "20",
                     ">>",
                     "<<AGraph",
                     "a.bmp",
                     "10",
                     "30",
                     ">>",
                     "<<kgroup",
                     "3",
                     "5",
                     ">>",
                     "<<softkey",
                     "123",
                     ">>",
                     "<<value",
                     "630",
                     "False",
                     "40",
                     "5",
                     "5",
                     "1",
                     "7",
                     ">>",
                     "<<font",
                     "12",
                     "MS 明朝",
                     "False",
                     "False",
                     "False",
                     "False",
                     "0",
                     ">>",
                     "<<kran",
                     "5",
                     "15",
                     "2",
                     "0",
                     "0",
                     "0",
                     "15",
                     "10",
                     "0",
                     "0",
                     ">>",
                     "]]",
                     "[[unit4",
                     "<<ques",
                     "other",
                     ">>",
                     "]]"});
    UnitReadResult r = f.read("[[unit3", 3);
    ASSERT_TRUE(r.ok()) << r.status;
    EXPECT_EQ(r.line, 2);
    const ParseBuffer& b = f.p.parse;
    EXPECT_EQ(U(b.questions),
              (std::vector<std::string>{"(1)　2x＝6　　x＝#3#", "(2)　x＋4＝9　　x＝#5#"}));
    EXPECT_EQ(b.qgraph, (Lines{"g.bmp", "-1", "20"}));
    EXPECT_EQ(b.agraph, (Lines{"a.bmp", "10", "30"}));
    EXPECT_EQ(b.kgroup, (Lines{"3", "5"}));
    EXPECT_EQ(b.softkey, Lines{"123"});
    EXPECT_EQ(b.value, (Lines{"630", "False", "40", "5", "5", "1", "7"}));
    EXPECT_EQ(b.font.size(), 7u);
    EXPECT_EQ(b.kran.size(), 10u);
    EXPECT_TRUE(b.header.empty());
    // Nothing of "<<ans", "<<dummy" or "<<hint" reaches the buffer.
    for (const Lines* l : {&b.questions, &b.qgraph, &b.agraph, &b.kgroup, &b.softkey})
        for (const auto& line : *l) {
            EXPECT_NE(line, "7");
            EXPECT_NE(U(line), "ヒント");
        }
    EXPECT_EQ(U(b.title), "方程式//１次方程式§1-3 (3) 移項");
    EXPECT_EQ(U(b.school), "中学校");
    EXPECT_EQ(U(b.nameField), "　年　組　番　氏名");
    EXPECT_TRUE(f.said.empty());
}

TEST(UnitReader, HeaderSearchIsExactAndTheFirstMatchWins) {
    ReaderFixture f;
    f.putLines(Que,
               concat({unitBlock("[[unit3R1", {"variant#1#"}), unitBlock("[[unit3 ", {"blank#1#"}),
                       unitBlock("[[unit3", {"first#1#"}), unitBlock("[[unit3", {"second#1#"}),
                       unitBlock("[[unit31", {"other#1#"})}));
    ASSERT_TRUE(f.read("[[unit3", 3).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"first#1#"});
    ASSERT_TRUE(f.read("[[unit3R1", 3).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"variant#1#"});
    UnitReadResult r = f.read("[[unit3R2", 3);
    EXPECT_EQ(r.status, UnitReadResult::NoHeader);
    EXPECT_TRUE(f.said.empty());
}

// A caller that indexed the header lines starts the read there; a hint that does not
// point at the header (stale, out of range) falls back to the search from the top.
TEST(UnitReader, AKnownHeaderLineGivesTheSameReadAsTheSearch) {
    ReaderFixture f;
    const std::vector<std::string> file =
        concat({unitBlock("[[unit1", {"one#1#"}), unitBlock("[[unit3", {"first#1#"}),
                unitBlock("[[unit3", {"second#1#"})});
    f.putLines(Que, file);
    struct Case {
        int hint;
        const char* questions;
    } cases[] = {
        {-1, "first#1#"}, {35, "first#1#"},     {0, "first#1#"},   {37, "first#1#"},
        {1, "first#1#"},  {100000, "first#1#"}, {70, "second#1#"}, // the later twin, as told
    };
    ASSERT_EQ(file[35], "[[unit3");
    ASSERT_EQ(file[70], "[[unit3");
    for (const Case& c : cases) {
        UnitReadRequest r = f.request("[[unit3", 3);
        r.headerLine = c.hint;
        f.p.fileLines.clear();
        ASSERT_EQ(LoadLines(f.fp.files, r.path, f.p.fileLines), LoadStatus::Ok);
        UnitLineMap map;
        UnitReadResult result = ParseUnit(f.p.parse, f.p.fileLines, r, &map);
        ASSERT_TRUE(result.ok()) << c.hint;
        EXPECT_EQ(f.p.parse.questions, Lines{c.questions}) << c.hint;
        EXPECT_EQ(result.line, map.headerLine + 1);
    }
}

TEST(UnitReader, AHeaderOfTheUnitDoesNotMatchItsVariant) {
    ReaderFixture f;
    f.putLines(Que, unitBlock("[[unit3", {"x#1#"}));
    EXPECT_EQ(f.read("[[unit3R1", 3).status, UnitReadResult::NoHeader);
}

TEST(UnitReader, KeywordsMatchExactly) {
    ReaderFixture f;
    f.putLines(Que, {"[[unit1", "<<ques ", "passed over", ">>", "<<ques", "kept#1#", ">>", "<<QUES",
                     "also passed", ">>", "]]"});
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"kept#1#"});
}

TEST(UnitReader, BracedLinesAtTheStartOfTheQuestionsAreSkipped) {
    ReaderFixture f;
    f.putLines(Que, {"[[unit1", "<<ques", "{", "note", ">>", "}", "a#1#", "b#2#", ">>", "]]"});
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.questions, (Lines{"a#1#", "b#2#"}));
}

TEST(UnitReader, SixtyQuestionLinesLoadAndSixtyOneFail) {
    ReaderFixture f;
    f.putLines(Que, concat({unitBlock("[[unit1", f.questions(60)),
                            unitBlock("[[unit2", f.questions(61))}));
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.questions.size(), 60u);
    UnitReadResult r = f.read("[[unit2", 2);
    EXPECT_EQ(r.status, UnitReadResult::TooManyQuestions);
    EXPECT_EQ(r.line, 96); // the "<<ques" of unit 2, behind the 94 lines of unit 1
    EXPECT_EQ(f.said, std::vector<std::string>{"問題の行は６０行以下です"});
}

TEST(UnitReader, AppendingTenLinesToFiftyFiveFails) {
    ReaderFixture f;
    f.putLines(Que,
               concat({unitBlock("[[unit1", f.questions(55)), unitBlock("[[unit2", f.questions(10)),
                       unitBlock("[[unit3", f.questions(5))}));
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    UnitReadResult r = f.read("[[unit2", 2, 1, UnitReadMode::Append);
    EXPECT_EQ(r.status, UnitReadResult::TooManyQuestions);
    EXPECT_EQ(f.said, std::vector<std::string>{"問題の行は６０行以下です"});
    // Five more fit exactly (the buffer is reloaded from the worksheet before each append).
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    ASSERT_TRUE(f.read("[[unit3", 3, 1, UnitReadMode::Append).ok());
    EXPECT_EQ(f.p.parse.questions.size(), 60u);
    EXPECT_EQ(f.p.parse.questions.back(), "q5#5#");
}

TEST(UnitReader, BlockLineCounts) {
    ReaderFixture f;
    std::vector<std::string> lines{
        "[[unit1", "<<kran",  "1",       "15",     "2",  "2",  ">>",      "]]",
        "[[unit2", "<<value", "630",     "False",  "40", "5",  "5",       "1",
        ">>",      "]]",      "[[unit3", "<<font", "12", "x",  "False",   "False",
        "False",   "False",   "0",       "extra",  ">>", "]]", "[[unit4", "<<kran"};
    for (int i = 0; i < 11; ++i)
        lines.push_back("0");
    lines.insert(lines.end(), {">>", "]]", "[[unit5", "<<kran", ">>", "]]"});
    f.putLines(Que, lines);

    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.kran, (Lines{"1", "15", "2", "2", "0", "0", "0", "0", "0", "0"}));

    UnitReadResult r = f.read("[[unit2", 2);
    EXPECT_EQ(r.status, UnitReadResult::ValueBlock);
    EXPECT_EQ(r.line, 10);
    r = f.read("[[unit3", 3);
    EXPECT_EQ(r.status, UnitReadResult::FontBlock);
    EXPECT_EQ(r.line, 20);
    r = f.read("[[unit4", 4);
    EXPECT_EQ(r.status, UnitReadResult::KranBlock);
    EXPECT_EQ(f.said, (std::vector<std::string>{"<<value block error", "<<font block error",
                                                "<<kran block error"}));
    ASSERT_TRUE(f.read("[[unit5", 5).ok());
    EXPECT_EQ(f.p.parse.kran, Lines(10, "0"));
}

TEST(UnitReader, ASecondBlockOfTheSameKindLeavesTheFirstInUse) {
    ReaderFixture f;
    f.putLines(Que,
               {"[[unit1", "<<kran", "1",  "15", ">>", "<<kran", "3",  "9",  ">>",      "<<value",
                "546",     "False",  "40", "5",  "5",  "1",      "7",  ">>", "<<value", "771",
                "False",   "40",     "5",  "5",  "1",  "7",      ">>", "]]"});
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.kran, (Lines{"1", "15", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(f.p.parse.value.front(), "546");
    // A broken second block still fails the unit.
    f.putLines(Que, {"[[unit1", "<<font", "12", "x", "False", "False", "False", "False", "0", ">>",
                     "<<font", "12", ">>", "]]"});
    EXPECT_EQ(f.read("[[unit1", 1).status, UnitReadResult::FontBlock);
}

TEST(UnitReader, TheUnitEndsAtItsClosingLine) {
    ReaderFixture f;
    f.putLines(Que, {"[[unit1", "<<ques", "a#1#", ">>", "]]", "<<ques", "b#2#", ">>", "[[unit2",
                     "<<ques", "c#3#", ">>"});
    ASSERT_TRUE(f.read("[[unit1", 1).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"a#1#"});
    // Without "]]" the walk runs to the end of the file.
    ASSERT_TRUE(f.read("[[unit2", 2).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"c#3#"});
}

TEST(UnitReader, ABlockWithoutItsClosingLineIsReportedAndFails) {
    ReaderFixture f;
    f.putLines(Que, {"[[unit1", "<<ques", "a#1#", ">>", "<<graph", "g.bmp", "1", "2", "]]"});
    UnitReadResult r = f.read("[[unit1", 1);
    EXPECT_EQ(r.status, UnitReadResult::Unclosed);
    EXPECT_EQ(r.line, 5);
    EXPECT_EQ(f.said, std::vector<std::string>{"<<graph block error (>>がありません)"});
    f.putLines(Que, {"[[unit1", "<<ques", "{", "never closed", ">>"});
    EXPECT_EQ(f.read("[[unit1", 1).status, UnitReadResult::Unclosed);
}

TEST(UnitReader, MissingEmptyAndUnreadableFiles) {
    ReaderFixture f;
    EXPECT_EQ(f.read("[[unit1", 1).status, UnitReadResult::Missing);
    f.put(Que, "");
    EXPECT_EQ(f.read("[[unit1", 1).status, UnitReadResult::Empty);
    EXPECT_TRUE(f.said.empty());
    f.put(Que, "[[unit1\r\n]]\r\n");
    f.fp.files.unreadable.insert(sjis::asciiLower(std::string(CourseFixture::Master) + Que));
    EXPECT_EQ(f.read("[[unit1", 1).status, UnitReadResult::ReadError);
    EXPECT_EQ(f.said,
              std::vector<std::string>{"ファイル C:\\course\\Eq1\\eq11.que が読み込めません"});
}

TEST(UnitReader, WorksheetFileTakesItsHeaderLines) {
    ReaderFixture f;
    f.putLines(
        Que, {"[[unitX", "<<header", "題名", "学校", "氏名欄", ">>", "<<ques", "a#1#", ">>", "]]"});
    ASSERT_TRUE(f.read("[[unitX", 0, 0, UnitReadMode::WorksheetFile).ok());
    EXPECT_EQ(U(f.p.parse.title), "題名");
    EXPECT_EQ(U(f.p.parse.school), "学校");
    EXPECT_EQ(U(f.p.parse.nameField), "氏名欄");

    f.putLines(Que, {"[[unitX", "<<header", "題名", "学校", ">>", "]]"});
    UnitReadResult r = f.read("[[unitX", 0, 0, UnitReadMode::WorksheetFile);
    EXPECT_EQ(r.status, UnitReadResult::HeaderBlock);
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(f.said, std::vector<std::string>{"<<header block error (3行必要です)"});
}

TEST(UnitReader, TitlesOfAppendedUnits) {
    ReaderFixture f;
    f.putLines(Que, concat({unitBlock("[[unit3", {"a#1#"}), unitBlock("[[unit4", {"b#2#"}),
                            unitBlock("[[unit1", {"c#3#"})}));
    ASSERT_TRUE(f.read("[[unit3", 3, 1).ok());
    ASSERT_TRUE(f.p.parse.qgraph.empty());

    // An edited worksheet: its title plus "," and the unit in the same section ...
    UnitReadRequest r = f.request("[[unit4", 4, 1, UnitReadMode::Append);
    r.target.title = S("題");
    ASSERT_TRUE(f.read(r).ok());
    EXPECT_EQ(U(f.p.parse.title), "題,4");
    // ... or " §", section, "-" and unit in another section.
    r = f.request("[[unit1", 1, 5, UnitReadMode::Append);
    r.target.title = S("題,4");
    ASSERT_TRUE(f.read(r).ok());
    EXPECT_EQ(U(f.p.parse.title), "題,4 §5-1");
    EXPECT_EQ(f.p.parse.questions, (Lines{"a#1#", "b#2#", "c#3#"}));

    // An unedited course unit after an open: lesson name, "//§", its first unit, suffix.
    ASSERT_TRUE(f.read("[[unit3", 3, 1).ok());
    r = f.request("[[unit4", 4, 1, UnitReadMode::Append);
    r.target = {S("ignored"), S("base"), true, 1, 3, 0};
    ASSERT_TRUE(f.read(r).ok());
    EXPECT_EQ(U(f.p.parse.title), "方程式//§1-3,4");
    // After an append it continues from strTitleBase.
    r = f.request("[[unit1", 1, 2, UnitReadMode::Append);
    r.target = {S("ignored"), f.p.parse.title, true, 1, 3, 0};
    ASSERT_TRUE(f.read(r).ok());
    EXPECT_EQ(U(f.p.parse.title), "方程式//§1-3,4 §2-1");
}

TEST(UnitReader, AppendKeepsTheWorksheetsLinesAndCountsItsGraphs) {
    ReaderFixture f;
    f.putLines(Que, {"[[unit2", "<<ques", "new#1#", ">>", "<<graph", "n.bmp", "5", "6", ">>",
                     "<<kgroup", "k", ">>", "]]"});
    f.p.parse.questions = {"old#1#"};
    f.p.parse.qgraph = {"o.bmp", "1", "2"};
    f.p.parse.kgroup = {"stale"};
    f.p.parse.header = {"h1", "h2", "h3"};
    UnitReadRequest r = f.request("[[unit2", 2, 1, UnitReadMode::Append);
    r.target.questionGraphLines = 3;
    ASSERT_TRUE(f.read(r).ok());
    EXPECT_EQ(f.p.parse.questions, (Lines{"old#1#", "new#1#"}));
    EXPECT_EQ(f.p.parse.qgraph, (Lines{"o.bmp", "1", "2", "n.bmp", "5", "6"}));
    EXPECT_EQ(f.p.parse.qgraphBefore, 3);
    EXPECT_EQ(f.p.parse.kgroup, Lines{"k"});
    EXPECT_EQ(f.p.parse.header.size(), 3u);
}

TEST(UnitReader, LineMapTellsWhereTheLinesStood) {
    ReaderFixture f;
    f.putLines(Que, {"x", "[[unit1", "<<ques", "a#1#", "b#2#", ">>", "<<graph", "g", "1", "2", ">>",
                     "]]"});
    UnitLineMap map;
    LoadLines(f.fp.files, std::string(CourseFixture::Master) + Que, f.p.fileLines);
    ASSERT_TRUE(ParseUnit(f.p.parse, f.p.fileLines, f.request("[[unit1", 1), &map).ok());
    EXPECT_EQ(map.headerLine, 1);
    EXPECT_EQ(map.questionLines, (std::vector<int>{3, 4}));
    EXPECT_EQ(map.qgraphLines, (std::vector<int>{7, 8, 9}));
    ASSERT_EQ(map.blocks.size(), 2u);
    EXPECT_EQ(map.blocks[1].keyword, "<<graph");
    EXPECT_EQ(map.blocks[1].line, 6);
    EXPECT_EQ(map.blocks[1].count, 3);
}
