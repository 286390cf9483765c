// The question editor's text: what its check refuses (and where the caret goes), the
// answers it extracts, the choice lines it builds and the graphs it adds.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "authoring/EditorText.h"
#include "formats/UnitReader.h"

namespace {

UnitBlockParts memos(std::vector<std::string> ques) {
    UnitBlockParts m;
    for (const auto& l : ques)
        m.ques.push_back(S(l));
    m.pageBlocks = DefaultPageBlocks();
    return m;
}

std::vector<std::string> nLines(int n, const std::string& line) {
    return std::vector<std::string>(static_cast<std::size_t>(n), line);
}

Lines graphs(int n, const std::string& name = "a.bmp") {
    Lines out;
    for (int i = 0; i < n; ++i)
        out.insert(out.end(), {name, "10", "20"});
    return out;
}

const GraphPlace Place{"C:\\course\\", "C:\\course\\Eq1\\Graph\\"};

TEST(EditorCheck, FirstProblemNamesMemoLineAndReason) {
    struct Case {
        const char* what;
        std::function<void(UnitBlockParts&)> change;
        Memo memo;
        int line;         // 0-based memo line of the caret
        const char* said; // UTF-8, "" when the check passes
    };
    const Case cases[] = {
        {"the new-unit template passes", [](UnitBlockParts&) {}, Memo::Ques, 0, ""},
        {"empty text between two blanks", [](UnitBlockParts& m) { m.ques = {S("x=#3##4#")}; },
         Memo::Ques, 0, "1行目：解答がありません"},
        {"odd hash on the third line",
         [](UnitBlockParts& m) {
             m.ques = {S("問"), S("a #1#"), S("b #2# #")};
         },
         Memo::Ques, 2, "3行目：＃の数は偶数にしてください"},
        {"no answer blank at all", [](UnitBlockParts& m) { m.ques = {S("問題だけ")}; }, Memo::Ques,
         0, "解答欄がありません"},
        {"the reader's comment counts in the memo's line numbers",
         [](UnitBlockParts& m) {
             m.ques = {"{", S("メモ"), "}", S("x=#3")};
         },
         Memo::Ques, 3, "4行目：＃の数は偶数にしてください"},
        {"61 question lines",
         [](UnitBlockParts& m) {
             m.ques.clear();
             for (const auto& l : nLines(61, "x=#1#"))
                 m.ques.push_back(l);
         },
         Memo::Ques, 60, "問題の行は６０行以下です"},
        {"60 question lines after a comment pass",
         [](UnitBlockParts& m) {
             m.ques = {"{", "}"};
             for (const auto& l : nLines(60, "x=#1#"))
                 m.ques.push_back(l);
         },
         Memo::Ques, 0, ""},
        {"a question line that ends the block", [](UnitBlockParts& m) { m.ques.push_back(">>"); },
         Memo::Ques, 2, "問題ブロック 3行目：「>>」はブロックの区切りと読まれるため書けません"},
        {"a hint that opens a unit",
         [](UnitBlockParts& m) {
             m.hint = {S("ヒント"), "[[unit2"};
         },
         Memo::Hint, 1,
         "ヒントブロック 2行目：「[[unit2」はブロックの区切りと読まれるため書けません"},
        {"a choice line that ends the unit", [](UnitBlockParts& m) { m.kgroup = {"]]"}; },
         Memo::Kgroup, 0, "解選択ブロック 1行目：「]]」はブロックの区切りと読まれるため書けません"},
        {"a dummy answer that opens a block", [](UnitBlockParts& m) { m.dummy = {"<<hint"}; },
         Memo::Dummy, 0,
         "ダミーの解答 1行目：「<<hint」はブロックの区切りと読まれるため書けません"},
        {"a value block one line short",
         [](UnitBlockParts& m) { m.pageBlocks.erase(m.pageBlocks.begin() + 1); }, Memo::PasteLo, 0,
         "valueブロックの数が合いません"},
        {"a kran block of 8 lines passes",
         [](UnitBlockParts& m) {
             m.pageBlocks.erase(m.pageBlocks.end() - 3, m.pageBlocks.end() - 1);
         },
         Memo::PasteLo, 0, ""},
        {"a kran block of 9 lines",
         [](UnitBlockParts& m) { m.pageBlocks.erase(m.pageBlocks.end() - 2); }, Memo::PasteLo, 18,
         "kranブロックの数が合いません"},
        {"a position line outside its blocks",
         [](UnitBlockParts& m) { m.pageBlocks.push_back("630"); }, Memo::PasteLo, 30,
         "位置情報など 31行目：ブロックの外の行は保存されません"},
        {"another block in the position memo",
         [](UnitBlockParts& m) { m.pageBlocks.push_back("<<hint"); }, Memo::PasteLo, 30,
         "位置情報など 31行目：「<<hint」は <<value、<<font、<<kran のほかには書けません"},
        {"fifteen graphs pass", [](UnitBlockParts& m) { m.qgraph = graphs(15); }, Memo::QGraph, 0,
         ""},
        {"sixteen answer graphs", [](UnitBlockParts& m) { m.agraph = graphs(16); }, Memo::AGraph,
         45, "グラフは15個までです"},
        {"a graph without its position",
         [](UnitBlockParts& m) {
             m.qgraph = {"a.bmp", "1"};
         },
         Memo::QGraph, 1, "問題のグラフ：グラフはファイル名、x、y の３行ずつです"},
    };
    for (const Case& c : cases) {
        UnitBlockParts m =
            memos({"１．次の各空欄に適語を入れなさい。", "例　日本の首都は　#　東京　#　です"});
        c.change(m);
        const std::optional<MemoProblem> p = CheckUnitText(m, Place);
        if (std::string(c.said).empty()) {
            EXPECT_FALSE(p) << c.what << ": " << U(p->message);
            continue;
        }
        ASSERT_TRUE(p) << c.what;
        EXPECT_EQ(U(p->message), c.said) << c.what;
        EXPECT_EQ(p->memo, c.memo) << c.what;
        EXPECT_EQ(p->line, c.line) << c.what;
    }
}

TEST(EditorCheck, GraphNamesLeadingOutOfTheGraphFolderAreRefused) {
    for (const char* name : {"..\\..\\..\\secret.bmp", "C:\\other\\x.bmp"}) {
        UnitBlockParts m = memos({"x=#1#"});
        m.agraph = graphs(1, "a.bmp");
        m.agraph.insert(m.agraph.end(), {name, "0", "0"});
        const std::optional<MemoProblem> p = CheckUnitText(m, Place);
        ASSERT_TRUE(p) << name;
        EXPECT_EQ(p->memo, Memo::AGraph) << name;
        EXPECT_EQ(p->line, 3) << name;
        EXPECT_NE(U(p->message).find("解答のグラフ 4行目："), std::string::npos) << name;
    }
}

TEST(EditorCheck, CharactersShiftJisCannotHoldAreNamedWithTheirLine) {
    struct Case {
        std::vector<std::string> typed;
        const char* said;
    };
    const Case cases[] = {
        {{"ふつうの行", "答えは😀です"},
         "ヒントブロック 2行目：文字 U+1F600 はシフトJISで保存できません"},
        {{"𠮷野家"}, "ヒントブロック 1行目：文字 U+20BB7 はシフトJISで保存できません"},
        {{"x＝#３#", "①②Ⅲ㈱"}, ""}, // the code page's own extras are kept
    };
    for (const Case& c : cases) {
        const std::optional<MemoProblem> p = FindUnrepresentable(Memo::Hint, c.typed);
        if (std::string(c.said).empty()) {
            EXPECT_FALSE(p) << c.typed.back();
            continue;
        }
        ASSERT_TRUE(p) << c.said;
        EXPECT_EQ(U(p->message), c.said);
        EXPECT_EQ(p->line, static_cast<int>(c.typed.size()) - 1);
    }
}

TEST(EditorCheck, CharactersTheFileWouldChangeAreNamedWithWhatTheyBecome) {
    // Each of these has a place in the code page only as a look-alike: saved as it is, the
    // file would read back another character, "¥" even the division sign of the formulas.
    struct Case {
        std::vector<std::string> typed;
        const char* said;
    };
    const Case cases[] = {
        {{"x＝#３#", "2−1=#1#"},
         "ヒントブロック 2行目：文字 U+2212 は保存すると「－」(U+FF0D) に変わります。"
         "「－」と書いてください"},
        {{"1〜5 の数"},
         "ヒントブロック 1行目：文字 U+301C は保存すると「～」(U+FF5E) に変わります。"
         "「～」と書いてください"},
        {{"", "", "6¥2=#3#"},
         "ヒントブロック 3行目：文字 U+00A5 は保存すると「\\」(U+005C) に変わります。"
         "「\\」と書いてください"},
        {{"a — b"},
         "ヒントブロック 1行目：文字 U+2014 は保存すると「―」(U+2015) に変わります。"
         "「―」と書いてください"},
        {{"ab‖cd"},
         "ヒントブロック 1行目：文字 U+2016 は保存すると「∥」(U+2225) に変わります。"
         "「∥」と書いてください"},
        // What the code page keeps as typed passes: its own minus, wave dash and yen sign.
        {{"2－1=#1#", "1～5", "６￥２", "x\\2"}, ""},
    };
    for (const Case& c : cases) {
        const std::optional<MemoProblem> p = FindUnrepresentable(Memo::Hint, c.typed);
        if (std::string(c.said).empty()) {
            EXPECT_FALSE(p) << (p ? U(p->message) : "");
            continue;
        }
        ASSERT_TRUE(p) << c.said;
        EXPECT_EQ(U(p->message), c.said);
        EXPECT_EQ(p->line, static_cast<int>(c.typed.size()) - 1);
    }
}

TEST(EditorCheck, ALineBreakInsideALineIsRefused) {
    // A paste into a one-line field keeps its breaks; the file would read them as lines.
    const std::pair<const char*, const char*> cases[] = {
        {"(3) 新単元\n>>\n]]", "改行 U+000A は１行の中に書けません"},
        {"題\r\n[[sect9", "改行 U+000D は１行の中に書けません"},
        {"末尾\r", "改行 U+000D は１行の中に書けません"},
    };
    for (const auto& [typed, said] : cases) {
        const std::optional<UnrepresentableChar> c = FirstUnrepresentable({"前の行", typed});
        ASSERT_TRUE(c) << typed;
        EXPECT_EQ(c->line, 1);
        EXPECT_TRUE(c->lineBreak);
        EXPECT_EQ(U(UnrepresentableText(*c)), said);
    }
}

TEST(EditorAnswers, ExtractedAnswersAndTheChoicesBuiltFromThem) {
    const Lines ques = {S("{"),
                        S("x=#9#"),
                        S("}"),
                        S("次の問いに答えなさい。"),
                        S("(1) ２＋１０＝ #　１２　# 、#x=5;5#"),
                        S("(2) 記号 #ア# と #Ｇ#"),
                        S("(3) #-3# と #1/2# と #2a#")};
    EXPECT_EQ(U(ExtractAnswers(ques)),
              (std::vector<std::string>{"１２", "x=5;5", "ア", "Ｇ", "-3", "1/2", "2a"}));

    struct Case {
        bool withoutNumbers, withoutLabels;
        std::vector<std::string> choices;
    };
    const Case cases[] = {
        {false, false, {"１２", "x=5", "5", "ア", "Ｇ", "-3", "1/2", "2a"}},
        {true, false, {"x=5", "ア", "Ｇ", "2a"}},
        {false, true, {"１２", "x=5", "5", "Ｇ", "-3", "1/2", "2a"}},
        {true, true, {"x=5", "Ｇ", "2a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(ChoiceLines(ExtractAnswers(ques), c.withoutNumbers, c.withoutLabels)),
                  c.choices)
            << c.withoutNumbers << c.withoutLabels;

    // Dummy answers join the choices once; the counters count lines and keypad characters.
    const Lines kgroup =
        WithDummyAnswers({S("x=5"), S("Ｇ")}, {S("Ｇ"), "", S("ｙ＝３"), S("x=5")});
    EXPECT_EQ(U(kgroup), (std::vector<std::string>{"x=5", "Ｇ", "ｙ＝３"}));
    const ChoiceCounts counts = CountChoices(kgroup);
    EXPECT_EQ(counts.lines, 3);
    EXPECT_EQ(counts.keys, 1 + 1 + 3);
}

TEST(EditorAnswers, NumberingLeavesTheInstructionAlone) {
    const struct {
        std::vector<std::string> in, out;
    } cases[] = {
        {{"計算しなさい。", "2+3", "4×5"}, {"計算しなさい。", "(1) 2+3=", "(2) 4×5="}},
        {{"一行だけ"}, {"一行だけ"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Lines in;
        for (const auto& l : c.in)
            in.push_back(S(l));
        EXPECT_EQ(U(NumberQuestionLines(in)), c.out);
    }
}

TEST(EditorGraphs, FifteenFitAndTheRestIsRefusedEachWithItsName) {
    const std::vector<Point> runs = {{0, 0}, {100, 200}, {110, 260}};
    Lines q, a;
    EXPECT_TRUE(AddGraphs(q, {"q1.bmp"}, false, &runs).empty());
    EXPECT_TRUE(AddGraphs(a, {"a1.bmp", "a2.bmp"}, true, &runs).empty());
    // Question graph k stands by text run k + 1, answer graph k by run k.
    EXPECT_EQ(q, (Lines{"q1.bmp", "140", "220"}));
    EXPECT_EQ(a, (Lines{"a1.bmp", "40", "20", "a2.bmp", "140", "220"}));
    // Without a layout the graph is placed by the layout.
    Lines loose;
    AddGraphs(loose, {"g.bmp"}, false, nullptr);
    EXPECT_EQ(loose, (Lines{"g.bmp", "-1", "-1"}));

    Lines full = graphs(14);
    EXPECT_EQ(AddGraphs(full, {"15.bmp", "16.bmp", "17.bmp"}, false, nullptr),
              (std::vector<std::string>{"16.bmp", "17.bmp"}));
    EXPECT_EQ(full.size(), 45u);
    EXPECT_EQ(full[42], "15.bmp");
}

} // namespace
