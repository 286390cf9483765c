#include "MenuFixture.h"

#include "authoring/UnitBlock.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetSetters.h"

namespace {

TEST(UnitBlock, ReplacesInPlaceOrAppends) {
    struct Case {
        const char* what;
        Lines file;
        Lines expected;
    };
    const Lines block{"[[unit2", "<<ques", "new", ">>", "]]"};
    const Case cases[] = {
        {"in the middle",
         {"[[unit1", "]]", "[[unit2", "<<ques", "old", ">>", "]]", "[[unit3", "]]"},
         {"[[unit1", "]]", "[[unit2", "<<ques", "new", ">>", "]]", "[[unit3", "]]"}},
        {"missing: appended",
         {"[[unit1", "]]"},
         {"[[unit1", "]]", "[[unit2", "<<ques", "new", ">>", "]]"}},
        {"only the first of two",
         {"[[unit2", "]]", "[[unit2", "]]"},
         {"[[unit2", "<<ques", "new", ">>", "]]", "[[unit2", "]]"}},
        {"without its ]] the next unit survives",
         {"[[unit2", "<<ques", "old", ">>", "[[unit3", "<<ques", "keep", ">>", "]]"},
         {"[[unit2", "<<ques", "new", ">>", "]]", "[[unit3", "<<ques", "keep", ">>", "]]"}},
        {"a similar question is another block",
         {"[[unit2R1", "]]"},
         {"[[unit2R1", "]]", "[[unit2", "<<ques", "new", ">>", "]]"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceUnitBlock(c.file, "[[unit2", block), c.expected) << c.what;
}

TEST(UnitBlock, ReadsEveryPartAndAssemblesItAgain) {
    const Lines file{"[[unit4", "<<ques", "{",       "memo",     "}",  "q#1#", ">>",
                     "<<dummy", "d",      ">>",      "<<kgroup", "k",  ">>",   "<<hint",
                     "h",       ">>",     "<<graph", "g.bmp",    "1",  "2",    ">>",
                     "<<value", "630",    "False",   "40",       "5",  "5",    "1",
                     "7",       ">>",     "<<kran",  "1",        ">>", "]]"};
    std::optional<UnitBlockParts> parts = ReadUnitBlock(file, "[[unit4");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->ques, (Lines{"{", "memo", "}", "q#1#"}));
    EXPECT_EQ(parts->dummy, Lines{"d"});
    EXPECT_EQ(parts->hint, Lines{"h"});
    EXPECT_EQ(parts->qgraph, (Lines{"g.bmp", "1", "2"}));
    EXPECT_EQ(parts->pageBlocks.front(), "<<value");
    EXPECT_EQ(parts->pageBlocks.back(), ">>");
    // The editor's order: ques, kgroup, dummy, graph, hint, page blocks.
    EXPECT_EQ(
        AssembleUnitBlock("[[unit4", *parts),
        (Lines{"[[unit4", "<<ques",  "{",  "memo",    "}",       "q#1#",  ">>", "<<kgroup", "k",
               ">>",      "<<dummy", "d",  ">>",      "<<graph", "g.bmp", "1",  "2",        ">>",
               "<<hint",  "h",       ">>", "<<value", "630",     "False", "40", "5",        "5",
               "1",       "7",       ">>", "<<kran",  "1",       ">>",    "]]"}));
    EXPECT_FALSE(ReadUnitBlock(file, "[[unit4R1"));
}

TEST(UnitBlock, PageBlockCheck) {
    struct Case {
        Lines lines;
        std::string expected;
    };
    auto lines = [](const char* keyword, int n) {
        Lines l{keyword};
        l.insert(l.end(), n, "0");
        l.push_back(">>");
        return l;
    };
    const Case cases[] = {
        {lines("<<value", 7), ""},
        {lines("<<value", 6), "valueブロックの数が合いません"},
        {lines("<<font", 8), "fontブロックの数が合いません"},
        {lines("<<kran", 10), ""},
        {lines("<<kran", 8), ""},
        {lines("<<kran", 9), "kranブロックの数が合いません"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(CheckPageBlocks(c.lines)), c.expected) << c.lines.front() << c.lines.size();
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
        LoadLesson(p, 1);
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

TEST_F(Overwrite, FailedWriteLosesNothing) {
    Worksheet& sheet = open(2);
    SetLineSpace(p, 44);
    const std::string before = fp.files.get(que);
    fp.files.failWrites = true;
    EXPECT_FALSE(OverwriteUnit(p, sheet));
    EXPECT_EQ(fp.files.get(que), before);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(messages().back(), "C:\\course\\Eq1\\eq11.que" + std::string("の保存に失敗しました"));
}

TEST_F(Overwrite, UnreadableFileIsNotReplacedByOneUnit) {
    Worksheet& sheet = open(2);
    const std::string before = fp.files.get(que);
    fp.files.unreadable.insert(sjis::asciiLower(que));
    EXPECT_FALSE(OverwriteUnit(p, sheet));
    fp.files.unreadable.clear();
    EXPECT_EQ(fp.files.get(que), before);
    EXPECT_EQ(messages().back(), "ファイル C:\\course\\Eq1\\eq11.que が読み込めません");
}

} // namespace
