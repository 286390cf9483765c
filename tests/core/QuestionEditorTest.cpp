// The question editor's load and save on a small course: the unit's block into the memos,
// back into the file with every other unit kept, and similar questions under free numbers.
#include <algorithm>

#include "MenuFixture.h"
#include "authoring/QuestionEditor.h"
#include "formats/CourseNames.h"
#include "formats/UnitReader.h"
#include "keys/KeyCheck.h"
#include "shell/OpenFlows.h"
#include "worksheet/OpenWorksheet.h"

namespace {

const std::string Eq11 = "C:\\course\\Eq1\\eq11.que";

class Editor : public MenuFixture {
  protected:
    QuestionEditorState s;
    const std::string original = fp.files.get(Eq11);

    // The section file as the fixture wrote it, nothing said or answered yet.
    void reset() {
        fp.files.put(Eq11, original);
        fp.files.failWrites = false;
        fp.prompter.messages.clear();
        fp.prompter.answers.clear();
    }
    Report load(UnitRef ref, bool newUnit = false) {
        return LoadQuestionEditor(p, s, ref, S("単元"), newUnit);
    }
    std::string file() const { return fp.files.get(Eq11); }
    // The question lines the reader takes from the unit of header in the saved file.
    std::vector<std::string> readBack(const std::string& header, const std::string& path = Eq11) {
        UnitReadRequest r;
        r.path = path;
        r.header = header;
        ParseBuffer b;
        Lines lines;
        EXPECT_TRUE(ReadUnit(fp.files, b, lines, r).ok()) << header;
        return U(b.questions);
    }
    std::vector<std::string> headers() const {
        std::vector<std::string> out;
        for (const std::string& l : lines::split(file()))
            if (l.rfind("[[unit", 0) == 0) out.push_back(l);
        return out;
    }
};

TEST_F(Editor, LoadsTheUnitOrTheTemplateAndRefusesAnUnreadableFile) {
    ASSERT_TRUE(load({1, 1, 2, 0}));
    EXPECT_EQ(U(s.memos.ques), (std::vector<std::string>{"(1)　2(x+1)=4　x=#1#"}));
    EXPECT_EQ(s.memos.pageBlocks, DefaultPageBlocks());
    EXPECT_EQ(U(s.answers), (std::vector<std::string>{"1"}));
    EXPECT_EQ(s.path, Eq11);
    EXPECT_TRUE(s.ruidaiAllowed);

    // A unit the file lacks, and a section file that does not exist yet: the template.
    for (UnitRef ref : {UnitRef{1, 1, 7, 0}, UnitRef{1, 3, 1, 0}}) {
        ASSERT_TRUE(load(ref, true));
        EXPECT_EQ(U(s.memos.ques),
                  (std::vector<std::string>{"１．次の各空欄に適語を入れなさい。",
                                            "例　日本の首都は　#　東京　#　です"}));
        EXPECT_FALSE(s.ruidaiAllowed);
    }

    // A file that is there but cannot be read is never replaced by the template.
    fp.files.unreadable.insert(sjis::asciiLower(Eq11));
    const Report r = load({1, 1, 2, 0});
    EXPECT_FALSE(r);
    EXPECT_EQ(U(r.message), "ファイル C:\\course\\Eq1\\eq11.que が読み込めません");
}

TEST_F(Editor, SavingRewritesOnlyTheUnitAndAppendsANewOne) {
    struct Case {
        const char* what;
        UnitRef ref;
        std::vector<std::string> headersAfter;
    };
    const Case cases[] = {
        {"an existing unit keeps its place",
         {1, 1, 2, 0},
         {"[[unit1", "[[unit1R1", "[[unit2", "[[unit2R2", "[[unit3"}},
        {"a new unit goes to the end",
         {1, 1, 4, 0},
         {"[[unit1", "[[unit1R1", "[[unit2", "[[unit2R2", "[[unit3", "[[unit4"}},
    };
    for (const Case& c : cases) {
        reset();
        ASSERT_TRUE(load(c.ref, c.ref.Unit == 4));
        const std::string before = file();
        s.memos.ques = {S("計算しなさい。"), S("(1) 3x=9 x=#3#")};
        s.memos.hint = {S("両辺を3でわる")};
        s.modified = true;
        const EditorSave saved = SaveQuestionUnit(p, s);
        ASSERT_TRUE(saved.saved) << c.what;
        EXPECT_FALSE(s.modified);
        EXPECT_EQ(U(headers()), c.headersAfter) << c.what;
        const std::string key = UnitBlockKey(c.ref);
        EXPECT_EQ(readBack(key), (std::vector<std::string>{"計算しなさい。", "(1) 3x=9 x=#3#"}))
            << c.what;
        // Every other unit reads as before.
        for (const char* other : {"[[unit1", "[[unit1R1", "[[unit3"})
            EXPECT_EQ(ReadUnitBlock(lines::split(file()), other),
                      ReadUnitBlock(lines::split(before), other))
                << c.what << " " << other;
        EXPECT_TRUE(messages().empty()) << c.what;
    }
}

TEST_F(Editor, AFailedCheckOrWriteLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* said;
    };
    const Case cases[] = {
        {"odd hash",
         [this] {
             s.memos.ques = {S("問"), S("x=#3")};
         },
         "2行目：＃の数は偶数にしてください"},
        {"a hint that ends the unit", [this] { s.memos.hint = {"]]"}; },
         "ヒントブロック 1行目：「]]」はブロックの区切りと読まれるため書けません"},
        {"a full disk", [this] { fp.files.failWrites = true; }, nullptr},
    };
    for (const Case& c : cases) {
        reset();
        ASSERT_TRUE(load({1, 1, 1, 0}));
        const std::string before = file();
        s.memos.ques = {S("(1) 4x=8 x=#2#")};
        c.fault();
        const UnitBlockParts memos = s.memos;
        const EditorSave saved = SaveQuestionUnit(p, s);
        EXPECT_FALSE(saved.saved) << c.what;
        EXPECT_EQ(file(), before) << c.what;
        EXPECT_EQ(s.memos.ques, memos.ques) << c.what;
        ASSERT_EQ(messages().size(), 1u) << c.what;
        if (c.said)
            EXPECT_EQ(messages().front(), c.said) << c.what;
        else
            EXPECT_NE(messages().front().find("eq11.que"), std::string::npos) << c.what;
    }
}

TEST_F(Editor, AUnitSavedByAnotherWindowMeanwhileIsKept) {
    ASSERT_TRUE(load({1, 1, 1, 0}));
    // Another window saves unit 3 while this editor is open.
    QuestionEditorState other;
    ASSERT_TRUE(LoadQuestionEditor(p, other, {1, 1, 3, 0}, S("小数"), false));
    other.memos.ques = {S("(1) 0.2x=1 x=#5#")};
    ASSERT_TRUE(SaveQuestionUnit(p, other).saved);

    s.memos.ques = {S("(1) 5x=10 x=#2#")};
    ASSERT_TRUE(SaveQuestionUnit(p, s).saved);
    EXPECT_EQ(readBack("[[unit1"), (std::vector<std::string>{"(1) 5x=10 x=#2#"}));
    EXPECT_EQ(readBack("[[unit3"), (std::vector<std::string>{"(1) 0.2x=1 x=#5#"}));
}

TEST_F(Editor, ABlockWithoutItsEndIsReplacedUpToTheNextUnitOnly) {
    putLines("Eq1\\eq11.que", concat({{"[[unit1", "<<ques", "(1) x=#1#", ">>"}, // no "]]"
                                      unitBlock("[[unit2", {"(1)　2(x+1)=4　x=#1#"}),
                                      unitBlock("[[unit3", {"(1)　0.5x=1　x=#2#"})}));
    ASSERT_TRUE(load({1, 1, 1, 0}));
    EXPECT_EQ(U(s.memos.ques), std::vector<std::string>{"(1) x=#1#"});
    s.memos.ques = {S("(1) 6x=12 x=#2#")};
    ASSERT_TRUE(SaveQuestionUnit(p, s).saved);
    EXPECT_EQ(U(headers()), (std::vector<std::string>{"[[unit1", "[[unit2", "[[unit3"}));
    EXPECT_EQ(readBack("[[unit1"), std::vector<std::string>{"(1) 6x=12 x=#2#"});
    EXPECT_EQ(readBack("[[unit2"), std::vector<std::string>{"(1)　2(x+1)=4　x=#1#"});
    EXPECT_EQ(readBack("[[unit3"), std::vector<std::string>{"(1)　0.5x=1　x=#2#"});
}

TEST_F(Editor, WhateverTheSourceEditorWritesTheOtherUnitsStayWhole) {
    const Lines file = lines::split(original);
    const auto unit1End = std::find(file.begin(), file.end(), ">>") - file.begin();
    const struct {
        const char* what;
        std::function<void(Lines&)> edit;
    } cases[] = {
        {"a block without its end", [&](Lines& l) { l.erase(l.begin() + unit1End); }},
        {"100,000 question lines",
         [&](Lines& l) { l.insert(l.begin() + unit1End, 100000, S("(1) x=#1#")); }},
        {"binary bytes", [&](Lines& l) { l[2] = std::string("\0\xFF\x81\x7F#", 5); }},
    };
    for (const auto& c : cases) {
        reset();
        Lines edited = file;
        c.edit(edited);
        ASSERT_TRUE(WriteSourceLines(p, Eq11, edited)) << c.what;
        EXPECT_EQ(ReadSourceLines(p, Eq11), edited) << c.what; // written as typed

        // The damaged unit opens in the editor and its check names the problem.
        const Report opened = load({1, 1, 1, 0});
        EXPECT_TRUE(opened) << c.what;
        // Another unit still reads, and saving it keeps the damaged one as it was typed.
        ASSERT_TRUE(load({1, 1, 3, 0})) << c.what;
        EXPECT_EQ(U(s.memos.ques), std::vector<std::string>{"(1)　0.5x=1　x=#2#"}) << c.what;
        s.memos.ques = {S("(1) 0.5x=2 x=#4#")};
        ASSERT_TRUE(SaveQuestionUnit(p, s).saved) << c.what;
        EXPECT_EQ(readBack("[[unit3"), std::vector<std::string>{"(1) 0.5x=2 x=#4#"}) << c.what;
        const Lines after = *ReadSourceLines(p, Eq11);
        EXPECT_TRUE(std::equal(edited.begin(), edited.begin() + unit1End, after.begin())) << c.what;
    }
}

TEST_F(Editor, FreeSimilarQuestionNumbersSkipEveryNumberInUse) {
    const struct {
        Lines file;
        int unit, free;
    } cases[] = {
        {{"[[unit1", "]]"}, 1, 1},
        {{"[[unit1", "[[unit1R1", "[[unit1R3"}, 1, 2},
        {{"[[unit1R2", "[[unit1R1", "[[unit1", "[[unit1R3"}, 1, 4},  // out of order
        {{"[[unit1", "[[unit1R1", "[[unit2R2", "[[unit11R2"}, 1, 2}, // other units' numbers
        {{"[[unit1R", "[[unit1Rx", "[[unit1R1"}, 1, 2},
        {{"[[unit1R1", "[[unit1R2", "[[unit1R3", "[[unit1R4", "[[unit1R5", "[[unit1R6"}, 1, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FreeRuidaiNumber(c.file, c.unit), c.free) << c.file.back();
}

TEST_F(Editor, ASimilarQuestionIsSavedUnderTheFirstFreeNumber) {
    // Unit 2 has similar question 2 but not 1: the new one is 1 and R2 stays whole.
    ASSERT_TRUE(load({1, 1, 2, 0}));
    fp.prompter.answers = {answer::Yes};
    ASSERT_TRUE(TurnIntoRuidai(p, s));
    EXPECT_EQ(messages().front(), "データを変更して類題1を作成します");
    EXPECT_EQ(s.newRuidai, 1);
    EXPECT_EQ(U(UnitLabel(s.ref)), "1 1 2R1");
    s.memos.ques = {S("(1)　3(x+1)=6　x=#1#")};
    ASSERT_TRUE(SaveQuestionUnit(p, s).saved);
    EXPECT_EQ(readBack("[[unit2R1"), (std::vector<std::string>{"(1)　3(x+1)=6　x=#1#"}));
    EXPECT_EQ(readBack("[[unit2R2"), (std::vector<std::string>{"(1)　x=#0#"}));
    EXPECT_EQ(readBack("[[unit2"), (std::vector<std::string>{"(1)　2(x+1)=4　x=#1#"}));

    // No similar question of a similar question; No leaves the unit as it was.
    fp.prompter.messages.clear();
    ASSERT_TRUE(load({1, 1, 1, 1}));
    EXPECT_FALSE(TurnIntoRuidai(p, s));
    EXPECT_EQ(messages(), std::vector<std::string>{"類題の類題は作成できません"});
    ASSERT_TRUE(load({1, 1, 1, 0}));
    fp.prompter.answers = {answer::No};
    EXPECT_FALSE(TurnIntoRuidai(p, s));
    EXPECT_EQ(s.ref.Ruidai, 0);
}

TEST_F(Editor, TwoWindowsMakingASimilarQuestionGetTwoNumbers) {
    QuestionEditorState other;
    ASSERT_TRUE(load({1, 1, 2, 0}));
    ASSERT_TRUE(LoadQuestionEditor(p, other, {1, 1, 2, 0}, S("かっこ"), false));
    fp.prompter.answers = {answer::Yes, answer::Yes};
    ASSERT_TRUE(TurnIntoRuidai(p, s));
    ASSERT_TRUE(TurnIntoRuidai(p, other));
    EXPECT_EQ(other.newRuidai, 1); // both asked before either saved
    s.memos.ques = {S("(1) x+1=2 x=#1#")};
    other.memos.ques = {S("(1) x+2=5 x=#3#")};
    ASSERT_TRUE(SaveQuestionUnit(p, s).saved);
    fp.prompter.messages.clear();
    ASSERT_TRUE(SaveQuestionUnit(p, other).saved);
    EXPECT_EQ(messages(), std::vector<std::string>{"類題1はすでにあるため、類題3として保存します"});
    EXPECT_EQ(other.newRuidai, 3);
    EXPECT_EQ(readBack("[[unit2R1"), std::vector<std::string>{"(1) x+1=2 x=#1#"});
    EXPECT_EQ(readBack("[[unit2R3"), std::vector<std::string>{"(1) x+2=5 x=#3#"});
    EXPECT_EQ(readBack("[[unit2R2"), std::vector<std::string>{"(1)　x=#0#"});
}

TEST_F(Editor, LoadingAgainFromItsOwnStateKeepsTheUnitAndItsName) {
    // After a direct edit the editor loads the file again for the unit it shows.
    ASSERT_TRUE(load({1, 1, 2, 0}));
    ASSERT_TRUE(LoadQuestionEditor(p, s, s.ref, s.unitName, s.newUnitMode));
    EXPECT_EQ(U(s.unitName), "単元");
    EXPECT_EQ(s.ref, (UnitRef{1, 1, 2, 0}));
    EXPECT_EQ(U(s.memos.ques), (std::vector<std::string>{"(1)　2(x+1)=4　x=#1#"}));
}

TEST_F(Editor, KeysThatDoNotFitAreAWarningTheTeacherMayAccept) {
    const struct {
        int answer;
        bool saved;
    } cases[] = {{answer::No, false}, {answer::Yes, true}};
    for (const auto& c : cases) {
        reset();
        ASSERT_TRUE(load({1, 1, 1, 0}));
        const std::string before = file();
        s.memos.ques = {S("次の方程式を解きなさい。"), S("(1)　2x＝6　x＝#4#")};
        fp.prompter.answers = {c.answer};
        const EditorSave saved = SaveQuestionUnit(p, s);
        EXPECT_EQ(saved.saved, c.saved);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_NE(messages().front().find("2行目：解答が式と合いません（正しくは 3）"),
                  std::string::npos)
            << messages().front();
        if (!c.saved) {
            EXPECT_EQ(file(), before);
            ASSERT_TRUE(saved.at);
            EXPECT_EQ(saved.at->line, 1); // the caret goes to the questioned line
        } else {
            EXPECT_EQ(readBack("[[unit1")[1], "(1)　2x＝6　x＝#4#");
        }
    }
}

TEST_F(Editor, NewNumbersMakeASimilarQuestionWhoseKeysCheckOut) {
    ASSERT_TRUE(load({1, 1, 1, 0}));
    s.memos.ques = {S("次の方程式を解きなさい。"), S("(1)　2x＝6　x＝#3#"),
                    S("(2)　3x－4＝5　x＝#3#"), S("(3)　代金を求めなさい　#100円#")};
    const std::string before = file();
    for (std::uint64_t seed : {1u, 2u, 3u, 77u}) {
        QuestionEditorState made = s;
        fp.prompter.messages.clear();
        ASSERT_TRUE(MakeRuidaiWithNewNumbers(p, made, seed));
        EXPECT_EQ(made.newRuidai, 2); // unit 1 already has similar question 1
        EXPECT_EQ(made.ref.Ruidai, 2);
        EXPECT_EQ(made.memos.ques[0], s.memos.ques[0]);
        EXPECT_EQ(made.memos.ques[3], s.memos.ques[3]); // a word problem is copied
        EXPECT_NE(made.memos.ques, s.memos.ques) << seed;
        EXPECT_TRUE(CheckUnitKeys(lines::views(made.memos.ques)).findings.empty()) << seed;
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_NE(messages().front().find("類題2"), std::string::npos);
        EXPECT_NE(messages().front().find("(3)"), std::string::npos) << messages().front();
        EXPECT_EQ(file(), before); // nothing written before OK
    }
}

TEST_F(Editor, SimilarQuestionsOfValuesGivenForTheLettersGetTheirValuesAsKeys) {
    ASSERT_TRUE(load({1, 1, 1, 0}));
    s.memos.ques = {S("@Bx=-2, y=3 のとき、次の式の値を求めなさい。"), S("(1) 3x+2y#0#"),
                    S("(2) x-4y#-14#"), S("@Bx=3 のときの y の値を求めなさい。"),
                    S("(3) y=2x+1  y=#7#")};
    for (std::uint64_t seed : {1u, 2u, 3u, 77u}) {
        QuestionEditorState made = s;
        fp.prompter.messages.clear();
        ASSERT_TRUE(MakeRuidaiWithNewNumbers(p, made, seed));
        EXPECT_NE(made.memos.ques, s.memos.ques) << seed;
        // The keys are the numbers the new questions give, never their expressions.
        ASSERT_EQ(made.answers.size(), 3u);
        for (const std::string& key : made.answers)
            EXPECT_EQ(key.find_first_not_of("-0123456789"), std::string::npos) << U(key);
        const UnitKeyCheck c = CheckUnitKeys(lines::views(made.memos.ques));
        EXPECT_TRUE(c.findings.empty()) << seed;
        EXPECT_EQ(c.tally.checked, 3) << seed;
        // OK saves them without a warning.
        fp.prompter.messages.clear();
        EXPECT_TRUE(SaveQuestionUnit(p, made).saved);
        EXPECT_TRUE(messages().empty()) << seed;
        reset();
    }
}

TEST_F(Editor, TheOpenWorksheetGivesItsPageBlocksOnlyToItsOwnUnit) {
    ASSERT_EQ(OpenUnit(p, {1, 1, 1, 0}, {}), OpenResult::Opened);
    Worksheet* w = p.sheets.current;
    ASSERT_NE(w, nullptr);
    w->paper.Width = 546;
    w->lstQGraph = {"g.bmp", "5", "6"};
    const struct {
        UnitRef ref;
        bool newUnit;
        bool fromSheet;
    } cases[] = {
        {{1, 1, 1, 0}, false, true},
        {{1, 1, 3, 0}, false, false},
        {{1, 1, 9, 0}, true, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(load(c.ref, c.newUnit));
        EXPECT_EQ(s.sheetValues, c.fromSheet) << c.ref.Unit;
        EXPECT_EQ(s.memos.pageBlocks[1] == "546", c.fromSheet) << c.ref.Unit;
        EXPECT_EQ(s.memos.qgraph == w->lstQGraph, c.fromSheet) << c.ref.Unit;
    }
    // The worksheet itself is left as it was.
    EXPECT_EQ(w->paper.Width, 546);
    EXPECT_EQ(w->lstQGraph, (Lines{"g.bmp", "5", "6"}));
}

} // namespace
