// Memorising and the input mode of the practice window: what each memorise button leaves in
// the fields, that memorising marks and records nothing, what the page shows meanwhile, and
// which way of entering answers (and which order of the choice list) the input mode gives.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "SheetFixture.h"
#include "practice/PracticeWindow.h"
#include "worksheet/PageLayout.h"

namespace {

// The fields of a memorise run as the pupil sees them: "-" for a box whose field is put
// away (the page's answer shows), else the field's text in brackets; "*" marks the current
// box.
std::string fieldsOf(const PracticeRun& run) {
    std::string seen;
    for (int k = 1; k <= run.count; ++k) {
        const BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        if (!seen.empty()) seen += ' ';
        if (k == run.curKran) seen += '*';
        seen += b.solved || !b.inRun ? std::string("-") : "[" + sjis::toUtf8(b.typed) + "]";
    }
    return seen;
}

struct MemoriseRun : ::testing::Test {
    Worksheet sheet;
    SheetLayout& sheets = sheet.layout;
    PracticeRun run;

    void boxes(const std::vector<std::string>& answers) {
        sheets.kranCount = 0;
        for (const std::string& a : answers)
            sheets.KranTable[static_cast<std::size_t>(++sheets.kranCount)].answerText = sjis::fromUtf8(a);
        PrepareRuns(run, sheet);
    }
};

TEST_F(MemoriseRun, EachButtonLeavesTheFieldsAsThePupilExpects) {
    // Box 3 has no answer: it has no field and is stepped over.
    boxes({"x=3", " 1/2;0.5 ", "", "y=-2"});
    ASSERT_EQ(StartMemorise(run), 1);
    EXPECT_EQ(fieldsOf(run), "*[x=3] - - -");
    const struct {
        const char* button;
        std::function<int()> press;
        int focus;
        const char* fields;
    } steps[] = {
        {"消して次へ", [&] { return MemoriseNext(run, true); }, 2, "[] *[1/2] - -"},
        {"消さずに次へ", [&] { return MemoriseNext(run, false); }, 4, "[] [1/2] - *[y=-2]"},
        // Round to the first box: the stored text, every answer of it.
        {"消さずに次へ", [&] { return MemoriseNext(run, false); }, 1, "*[x=3] [1/2] - [y=-2]"},
        {"消して次へ", [&] { return MemoriseNext(run, true); }, 2, "[] *[1/2] - [y=-2]"},
        {"消さずに次へ", [&] { return MemoriseNext(run, false); }, 4, "[] [1/2] - *[y=-2]"},
        {"すべて表示", [&] { return MemoriseShowAll(run); }, 1, "*- - - -"},
        {"消して次へ", [&] { return MemoriseNext(run, true); }, 2, "[] *[1/2] - -"},
        {"すべて消去", [&] { return MemoriseClearAll(run); }, 1, "*[] [] - []"},
        {"消さずに次へ", [&] { return MemoriseNext(run, false); }, 2, "[] *[1/2;0.5] - []"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.button) + " -> " + s.fields);
        EXPECT_EQ(s.press(), s.focus);
        EXPECT_EQ(fieldsOf(run), s.fields);
    }
}

TEST_F(MemoriseRun, MarksTimesAndRecordsNothing) {
    boxes({"3", "x=5"});
    StartMemorise(run);
    TypeInto(run, 1, "3");
    EXPECT_EQ(MarkBox(run, 1).kind, EnterOutcome::Kind::Ignored);
    EXPECT_TRUE(ShowAnswer(run, 1).empty()) << "答えを見る does not count a memorised box";
    EXPECT_EQ(MarkAll(run).kind, MarkOutcome::Kind::NotRunning);
    Tick(run);
    EXPECT_EQ(run.elapsedSec, 0);
    EXPECT_EQ(MemoriseAnswers(run, 2), std::vector<std::string>{"x=5"});
    EndMemorise(run);
    EXPECT_EQ(run.phase, RunPhase::Ready);
    EXPECT_TRUE(MemoriseAnswers(run, 2).empty()) << "the answers are handed out no more";
    EXPECT_EQ(MemoriseNext(run, true), 0);
    EXPECT_EQ(StartReview(run), 0) << "nothing was marked, so nothing is reviewed";
    EXPECT_TRUE(MayShowAllAnswers(run));
    // A page without answers has nothing to memorise.
    boxes({"", ""});
    EXPECT_EQ(StartMemorise(run), 0);
    EXPECT_EQ(MemoriseNext(run, true), 0);
}

TEST_F(MemoriseRun, AMarkingIsGoneOnceMemorisingStarts) {
    boxes({"3", "4"});
    StartRun(run, RunKind::Test, nullptr);
    TypeInto(run, 1, "3");
    ASSERT_EQ(MarkAll(run).kind, MarkOutcome::Kind::Marked);
    ASSERT_TRUE(run.reviewOffered);
    StartMemorise(run);
    EndMemorise(run);
    EXPECT_FALSE(MarkAnswerSheet(run)) << "答案表示 has no marking to show";
    EXPECT_EQ(StartReview(run), 0);
}

class PracticeInput : public SheetFixture {
  protected:
    PracticeWindow w;
    Worksheet* sheet = nullptr;

    void SetUp() override {
        program.parse.questions = {J("(1)　2x＝82　　#x=41;41.0#"), J("(2)　x＋4＝9　　#x=5#")};
        sheet = &open();
        RecordingCanvas table(630, 891, 96);
        LayOutPage(program, *sheet, table, false);
        ASSERT_EQ(program.sheets.current->layout.kranCount, 2);
    }
    std::string page() {
        RecordingCanvas canvas(630, 891, 96);
        LayOutPracticePage(program, w, canvas);
        return canvas.allTextUtf8();
    }
    void reopen(const Lines& choices, const Lines& softKeys) {
        sheet->KgroupLines = choices;
        sheet->SoftkeyLines = softKeys;
        ClosePractice(program, w);
        ASSERT_TRUE(OpenPractice(program, w));
    }
};

TEST_F(PracticeInput, MemorisingShowsTheAnswersOnThePageAndTheOtherAnswersOfABox) {
    ASSERT_TRUE(OpenPractice(program, w));
    EXPECT_EQ(page().find("41"), std::string::npos);
    ASSERT_EQ(BeginMemorise(w), 1);
    EXPECT_NE(page().find("x=41"), std::string::npos);
    EXPECT_EQ(OtherAnswers(w, 1), Lines{"41.0"});
    EXPECT_TRUE(OtherAnswers(w, 2).empty());
    EndMemorising(w);
    EXPECT_EQ(page().find("41"), std::string::npos) << "the questions again after 暗記終了";
    EXPECT_TRUE(OtherAnswers(w, 1).empty());
}

TEST_F(PracticeInput, TheModeChoosesTheWayOfInputAndTheOrderOfTheList) {
    const Lines choices = {"1", "2", "3", "4", "5", "6", "7", "8"};
    const Lines keys = {J("ａｂ")};
    const struct {
        Lines choices, keys;
        InputMode mode;
        InputWay way;
    } cases[] = {
        {choices, {}, {true, true}, InputWay::Choices},
        {choices, {}, {false, true}, InputWay::Keypad},
        {choices, keys, {true, false}, InputWay::Choices},
        {choices, keys, {false, false}, InputWay::SoftKeys},
        {{}, keys, {true, true}, InputWay::SoftKeys},
        {{}, {}, {true, true}, InputWay::Keypad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.choices.size()) + " choices, " +
                     std::to_string(c.keys.size()) + " key lines, list " +
                     (c.mode.choices ? "on" : "off"));
        reopen(c.choices, c.keys);
        ChooseInputMode(program, w, c.mode);
        BeginRun(program, w, RunKind::Practice);
        EXPECT_EQ(InputWayOf(w), c.way);
    }
    // Without ランダム the list keeps the unit's order, run after run; the mode is kept
    // when the window opens again.
    reopen(choices, {});
    ChooseInputMode(program, w, InputMode{true, false});
    for (int i = 0; i < 3; ++i) {
        BeginRun(program, w, RunKind::Practice);
        EXPECT_EQ(w.choices, choices);
    }
    reopen(choices, {});
    EXPECT_FALSE(w.input.random);
    ChooseInputMode(program, w, InputMode{true, true});
    bool moved = false;
    for (int i = 0; i < 3 && !moved; ++i) {
        BeginRun(program, w, RunKind::Practice);
        moved = w.choices != choices;
    }
    EXPECT_TRUE(moved) << "ランダム puts the list in a new order";
    Lines sorted = w.choices;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, choices);
}

TEST_F(PracticeInput, TheKeyboardGuidanceOnlyWhereTheKeyboardIsTheWay) {
    const Lines keyboard = {J("キーボードから解答を入力し、"), J("Enterキーを押します。")};
    EXPECT_EQ(RunGuidance(RunKind::Practice, InputWay::Keypad), keyboard);
    for (InputWay way : {InputWay::Choices, InputWay::SoftKeys}) {
        EXPECT_TRUE(RunGuidance(RunKind::Practice, way).empty());
        EXPECT_EQ(RunGuidance(RunKind::Test, way).size(), 2u);
    }
    EXPECT_TRUE(RunGuidance(RunKind::Review, InputWay::Keypad).empty());
    EXPECT_TRUE(RunGuidance(RunKind::Memorise, InputWay::Keypad).empty());
}

} // namespace
