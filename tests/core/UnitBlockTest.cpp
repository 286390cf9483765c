#include "MenuFixture.h"

#include "authoring/UnitBlock.h"

namespace {

// Lines joined with CR LF, each one ended.
std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

const std::vector<std::string> Value7{"630", "False", "40", "5", "5", "1", "7"};

TEST(UnitBlockWriter, RewritesOnlyTheBlocksItIsGiven) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<BlockWrite> writes;
        std::string expected;
    };
    const std::string unit1 = "[[unit1\n<<ques\nkeep#1#\n>>\n]]\n"; // LF only: kept so
    const Case cases[] = {
        {"changed value in place; softkey, ans and unknown blocks and other units kept",
         unit1 + crlf({"[[unit2", "<<ques",    "q#2#", ">>",    "<<softkey", "k",
                       ">>",      "<<value",   "630",  "False", "40",        "5",
                       "5",       "1",         "7",    ">>",    "<<ans",     "a",
                       ">>",      "<<mystery", "m",    ">>",    "]]",        "trailing text"}),
         {{"<<value", {"630", "True", "44", "5", "5", "1", "7"}}},
         unit1 + crlf({"[[unit2", "<<ques",    "q#2#", ">>",   "<<softkey", "k",
                       ">>",      "<<value",   "630",  "True", "44",        "5",
                       "5",       "1",         "7",    ">>",   "<<ans",     "a",
                       ">>",      "<<mystery", "m",    ">>",   "]]",        "trailing text"})},
        {"the same content leaves every byte alone",
         "[[unit2\n<<value\r" + std::string("630\n\nx\n5\n5\n1\n7\n>>\n]]"),
         {{"<<value", {"630", "", "x", "5", "5", "1", "7"}}},
         "[[unit2\n<<value\r" + std::string("630\n\nx\n5\n5\n1\n7\n>>\n]]")},
        {"emptied graphs go, emptied questions stay",
         crlf({"[[unit2", "<<ques", "q", ">>", "<<graph", "g.bmp", "1", "2", ">>", "]]"}),
         {{"<<graph", {}, true}, {"<<ques", {}, false}},
         crlf({"[[unit2", "<<ques", ">>", "]]"})},
        {"a new graph block goes where the editor puts it",
         crlf({"[[unit2", "<<ques", "q", ">>", "<<softkey", "k", ">>", "<<dummy", "d", ">>",
               "<<hint", "h", ">>", "]]"}),
         {{"<<graph", {"g.bmp", "-1", "-1"}, true}},
         crlf({"[[unit2", "<<ques", "q", ">>", "<<softkey", "k", ">>", "<<dummy", "d", ">>",
               "<<graph", "g.bmp", "-1", "-1", ">>", "<<hint", "h", ">>", "]]"})},
        {"a block with no neighbour in the editor's order goes before ]]",
         crlf({"[[unit2", "<<softkey", "k", ">>", "]]"}),
         {{"<<kran", {"5"}}},
         crlf({"[[unit2", "<<softkey", "k", ">>", "<<kran", "5", ">>", "]]"})},
        {"questions of two blocks are written into the first",
         crlf({"[[unit2", "<<ques", "a", ">>", "<<softkey", "k", ">>", "<<ques", "b", ">>", "]]"}),
         {{"<<ques", {"a", "c"}}},
         crlf({"[[unit2", "<<ques", "a", "c", ">>", "<<softkey", "k", ">>", "]]"})},
        {"of two value blocks the first is the one read",
         crlf({"[[unit2", "<<value", "1", ">>", "<<value", "2", ">>", "]]"}),
         {{"<<value", {"9"}}},
         crlf({"[[unit2", "<<value", "9", ">>", "<<value", "2", ">>", "]]"})},
        {"a '>>' inside the questions' comment closes nothing",
         crlf({"[[unit2", "<<ques", "{", ">>", "}", "q", ">>", "]]"}),
         {{"<<ques", {"{", ">>", "}", "r"}}},
         crlf({"[[unit2", "<<ques", "{", ">>", "}", "r", ">>", "]]"})},
        {"an unclosed block and unit are closed and the next unit survives",
         crlf({"[[unit2", "<<graph", "old.bmp", "[[unit3", "<<ques", "keep", ">>", "]]"}),
         {{"<<graph", {"g.bmp", "1", "2"}, true}},
         crlf({"[[unit2", "<<graph", "g.bmp", "1", "2", ">>", "]]", "[[unit3", "<<ques", "keep",
               ">>", "]]"})},
        {"a missing unit is appended after a last line without line end",
         "[[unit1\r\n]]",
         {{"<<value", Value7}, {"<<ques", {"q"}}},
         crlf({"[[unit1", "]]", "[[unit2", "<<ques", "q", ">>", "<<value", "630", "False", "40",
               "5", "5", "1", "7", ">>", "]]"})},
        {"a similar question is another unit",
         crlf({"[[unit2R1", "<<ques", "r", ">>", "]]"}),
         {{"<<ques", {"q"}}},
         crlf({"[[unit2R1", "<<ques", "r", ">>", "]]", "[[unit2", "<<ques", "q", ">>", "]]"})},
        {"only the first of two headers is written",
         crlf({"[[unit2", "<<ques", "a", ">>", "]]", "[[unit2", "<<ques", "b", ">>", "]]"}),
         {{"<<ques", {"c"}}},
         crlf({"[[unit2", "<<ques", "c", ">>", "]]", "[[unit2", "<<ques", "b", ">>", "]]"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteUnitBlocks(c.file, "[[unit2", c.writes), c.expected) << c.what;
}

TEST(UnitBlockWriter, ReadsEveryPartAndWritesANewUnitInTheEditorsOrder) {
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
        lines::split(WriteUnitBlocks("", "[[unit4", EditorBlocks(*parts))),
        (Lines{"[[unit4", "<<ques",  "{",  "memo",    "}",       "q#1#",  ">>", "<<kgroup", "k",
               ">>",      "<<dummy", "d",  ">>",      "<<graph", "g.bmp", "1",  "2",        ">>",
               "<<hint",  "h",       ">>", "<<value", "630",     "False", "40", "5",        "5",
               "1",       "7",       ">>", "<<kran",  "1",       ">>",    "]]"}));
    // Written back over itself, the unit stays as it was.
    const std::string bytes = lines::join(file);
    EXPECT_EQ(WriteUnitBlocks(bytes, "[[unit4", EditorBlocks(*parts)), bytes);
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

} // namespace
