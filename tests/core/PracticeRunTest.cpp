#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "keys/SeededRandom.h"
#include "practice/PracticeRun.h"
#include "practice/ResultsLine.h"
#include "practice/RunView.h"
#include "text/Sjis.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetState.h"

namespace {

using Kind = EnterOutcome::Kind;

std::string S(const std::string& utf8) {
    return sjis::fromUtf8(utf8);
}

PickIndex seeded(std::uint64_t seed) {
    auto rng = std::make_shared<keys::SeededRandom>(seed);
    return [rng](int count) { return static_cast<int>(rng->between(0, count - 1)); };
}

// A page's answer-box table and the runs over it.
struct RunSheet {
    WorksheetState sheets;
    Worksheet sheet;
    PracticeRun run;

    void boxes(const std::vector<std::string>& answers) {
        sheets.kranCount = 0;
        for (const std::string& a : answers)
            sheets.KranTable[static_cast<std::size_t>(++sheets.kranCount)].answerText = a;
        PrepareRuns(run, sheets, sheet);
    }
    EnterOutcome enter(int box, const std::string& text) {
        TypeInto(run, box, text);
        return MarkBox(run, box);
    }
    const BoxState& box(int k) const { return run.boxes[static_cast<std::size_t>(k)]; }
};

struct Runs : ::testing::Test, RunSheet {};

TEST_F(Runs, PracticeToTheEndWithOneWrongFirstAnswer) {
    boxes({"3", "x=5", "1/2;0.5"});
    EXPECT_EQ(StartRun(run, RunKind::Practice, seeded(1)), 1);

    EnterOutcome o = enter(1, "3");
    EXPECT_EQ(o.kind, Kind::Accepted);
    EXPECT_EQ(o.mark, MarkKind::Circle);
    EXPECT_EQ(o.feedback.substr(0, 4), S("★★"));
    EXPECT_EQ(o.next, 2);
    EXPECT_FALSE(o.result);

    o = enter(2, "x=4");
    EXPECT_EQ(o.kind, Kind::Wrong);
    EXPECT_EQ(o.mark, MarkKind::Slash);
    EXPECT_EQ(o.feedback, S("解答を訂正してください"));
    EXPECT_EQ(o.next, 2);
    EXPECT_TRUE(o.shownAnswers.empty());
    for (int i = 0; i < 5; ++i)
        Tick(run);

    o = enter(2, " x=5\r\n");
    EXPECT_EQ(o.kind, Kind::Accepted);
    EXPECT_EQ(o.fieldText, "x=5");
    EXPECT_EQ(o.triesBefore, 1);
    EXPECT_EQ(o.next, 3);

    o = enter(3, "0.5");
    EXPECT_EQ(o.kind, Kind::Accepted);
    EXPECT_TRUE(o.runMarked);
    ASSERT_TRUE(o.result);
    // Scored on the first answers: box 2 was wrong first.
    EXPECT_EQ(o.result->correct, 2);
    EXPECT_EQ(o.result->total, 3);
    EXPECT_EQ(o.result->score, 67);
    EXPECT_EQ(o.result->triesLog, "010");
    EXPECT_EQ(o.result->elapsedSec, 5);
    EXPECT_FALSE(o.result->allCorrect);
    EXPECT_EQ(run.phase, RunPhase::Marked);
    EXPECT_TRUE(run.reviewOffered);
    EXPECT_EQ(sjis::toUtf8(ResultsLine(*o.result, DateTime{2026, 3, 9, 14, 30, 0}, 0)),
              "2026年03月09日 14:30 [010]  2/ 3  67点 00:05");
    EXPECT_EQ(box(1).mark, boxmark::Right);
    EXPECT_EQ(box(2).mark, boxmark::WrongFirst);

    // The clock stopped at the marking.
    Tick(run);
    EXPECT_EQ(run.elapsedSec, 5);
}

// Every way of pressing on after a run ends, or of leaving a run, and the results it gives.
TEST_F(Runs, AFinishedRunGivesOneResultAndALeftRunNone) {
    using Step = std::function<std::optional<RunResult>(RunSheet&)>;
    const Step typeAll = [](RunSheet& f) -> std::optional<RunResult> {
        for (int k = 1; k <= 3; ++k)
            TypeInto(f.run, k, std::to_string(k));
        return std::nullopt;
    };
    const Step saiten = [](RunSheet& f) { return MarkAll(f.run).result; };
    const Step enterLast = [](RunSheet& f) { return MarkBox(f.run, 3).result; };
    const Step solveAll = [](RunSheet& f) {
        std::optional<RunResult> r;
        for (int k = 1; k <= 3; ++k)
            if (auto got = f.enter(k, std::to_string(k)).result) r = got;
        return r;
    };
    const Step abort = [](RunSheet& f) -> std::optional<RunResult> {
        AbortRun(f.run);
        return std::nullopt;
    };
    const Step close = [](RunSheet& f) -> std::optional<RunResult> {
        CloseRuns(f.run);
        return std::nullopt;
    };
    const Step review = [](RunSheet& f) -> std::optional<RunResult> {
        StartReview(f.run);
        return std::nullopt;
    };
    const Step wrongFirst = [](RunSheet& f) { return f.enter(2, "9").result; };
    struct Case {
        const char* name;
        RunKind kind;
        std::vector<Step> steps;
        int results;
    } cases[] = {
        {"test, 採点 twice", RunKind::Test, {typeAll, saiten, saiten}, 1},
        {"test, 採点 then Enter", RunKind::Test, {typeAll, saiten, enterLast}, 1},
        {"practice, Enter held on the last box",
         RunKind::Practice,
         {solveAll, enterLast, enterLast, enterLast},
         1},
        {"practice, then 採点", RunKind::Practice, {solveAll, saiten}, 1},
        {"practice with a wrong box, then a review to its end",
         RunKind::Practice,
         {wrongFirst, solveAll, review, solveAll, saiten},
         1},
        {"test aborted", RunKind::Test, {typeAll, abort, saiten, enterLast}, 0},
        {"practice aborted", RunKind::Practice, {wrongFirst, abort, solveAll, saiten}, 0},
        {"test closed mid-run", RunKind::Test, {typeAll, close, saiten}, 0},
        {"practice closed mid-run", RunKind::Practice, {wrongFirst, close, solveAll}, 0},
        {"closed after the marking", RunKind::Test, {typeAll, saiten, close, saiten}, 1},
    };
    for (const Case& c : cases) {
        RunSheet f;
        f.boxes({"1", "2", "3"});
        StartRun(f.run, c.kind, seeded(5));
        int results = 0;
        for (const Step& step : c.steps)
            if (step(f)) ++results;
        EXPECT_EQ(results, c.results) << c.name;
    }
}

TEST_F(Runs, TestMarksWhatStandsInTheFields) {
    boxes({"3", "5", "7", "9"});
    EXPECT_EQ(StartRun(run, RunKind::Test, seeded(2)), 1);
    EnterOutcome o = enter(1, "3");
    EXPECT_EQ(o.kind, Kind::Stored);
    EXPECT_EQ(o.next, 2);
    TypeInto(run, 3, "7"); // typed without Enter
    o = enter(2, "4");
    EXPECT_EQ(o.next, 4); // box 3 already holds an answer
    // Box 1 changed after its Enter: the field counts.
    TypeInto(run, 1, "2");
    for (int i = 0; i < 42; ++i)
        Tick(run);

    const MarkOutcome m = MarkAll(run);
    ASSERT_EQ(m.kind, MarkOutcome::Kind::Marked);
    ASSERT_TRUE(m.result);
    EXPECT_EQ(m.result->correct, 1);
    EXPECT_EQ(m.result->total, 4);
    EXPECT_EQ(m.result->score, 25);
    EXPECT_EQ(m.result->triesLog, "");
    const int marks[] = {0, 0, 0, 1, 0};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(box(k).mark, marks[k]) << k;
        EXPECT_EQ(box(k).tries, marks[k] == 1 ? 0 : 1) << k;
    }
    EXPECT_EQ(*box(4).firstAnswer, ""); // left empty: wrong
    EXPECT_EQ(sjis::toUtf8(ResultsLine(*m.result, DateTime{2026, 1, 2, 3, 4, 0}, 0)),
              "2026年01月02日 03:04 []  1/ 4  25点 00:42");
}

TEST_F(Runs, SaitenWithoutAnAnswerKeepsTheTestGoing) {
    struct Case {
        std::vector<std::string> typed;
        bool marked;
    } cases[] = {
        {{"", "", ""}, false},
        {{"  ", "", ""}, false},
        {{S("　"), "\r\n", ""}, false},
        {{"", "", "x"}, true},
    };
    for (const Case& c : cases) {
        RunSheet f;
        f.boxes({"1", "2", "3"});
        StartRun(f.run, RunKind::Test, seeded(1));
        for (int k = 1; k <= 3; ++k)
            TypeInto(f.run, k, c.typed[static_cast<std::size_t>(k - 1)]);
        Tick(f.run);
        const MarkOutcome m = MarkAll(f.run);
        EXPECT_EQ(m.kind == MarkOutcome::Kind::Marked, c.marked);
        if (c.marked) continue;
        EXPECT_EQ(m.kind, MarkOutcome::Kind::NothingTyped);
        EXPECT_EQ(sjis::toUtf8(m.notice), "解答を入力してから採点してください。");
        EXPECT_FALSE(m.result);
        EXPECT_EQ(f.run.phase, RunPhase::Running);
        Tick(f.run);
        EXPECT_EQ(f.run.elapsedSec, 2);
    }
}

TEST_F(Runs, TheFourthWrongTryShowsTheAnswer) {
    boxes({"x=3", "1"});
    StartRun(run, RunKind::Practice, seeded(4));
    for (int attempt = 1; attempt <= 5; ++attempt) {
        const EnterOutcome o = enter(1, "x=" + std::to_string(attempt + 10));
        EXPECT_EQ(o.kind, Kind::Wrong);
        EXPECT_EQ(o.triesBefore, attempt - 1);
        const bool shown = attempt >= 4;
        EXPECT_EQ(o.shownAnswers,
                  shown ? std::vector<std::string>{"x=3"} : std::vector<std::string>{})
            << attempt;
        EXPECT_EQ(sjis::toUtf8(o.notice), shown ? "右下に正解を表示します" : "") << attempt;
    }
    const EnterOutcome o = enter(1, "x=3");
    EXPECT_EQ(o.kind, Kind::Accepted);
    EXPECT_EQ(o.mark, MarkKind::Triangle);
    EXPECT_EQ(o.feedback, ""); // no praise for a shown answer
    EXPECT_EQ(box(1).tries, 6);
    EXPECT_EQ(run.triesLog, "6");
}

TEST_F(Runs, AShownAnswerTypedRightCountsAsWrong) {
    boxes({"x=3", "1"});
    StartRun(run, RunKind::Practice, seeded(4));
    EXPECT_EQ(ShowAnswer(run, 1), std::vector<std::string>{"x=3"});
    EnterOutcome o = enter(1, "x=3");
    EXPECT_EQ(o.mark, MarkKind::Triangle);
    EXPECT_EQ(box(1).mark, boxmark::RightShown);
    o = enter(2, "1");
    ASSERT_TRUE(o.result);
    EXPECT_EQ(o.result->triesLog, "10");
    EXPECT_EQ(o.result->correct, 1);
    EXPECT_EQ(box(1).mark, boxmark::RightShown);

    // A blank answer asks whether to show the answer.
    RunSheet f;
    f.boxes({"5"});
    StartRun(f.run, RunKind::Practice, seeded(4));
    EXPECT_EQ(f.enter(1, "").kind, Kind::Ignored);
    o = f.enter(1, S(" 　 "));
    EXPECT_EQ(o.kind, Kind::AskShowAnswer);
    EXPECT_EQ(sjis::toUtf8(o.notice), "正解を表示しますか");
    EXPECT_FALSE(f.box(1).answerShown); // until the pupil says yes
    EXPECT_FALSE(f.box(1).firstAnswer);
}

TEST_F(Runs, AnswersAreShownOnlyThroughTheAnswerButtonInARun) {
    const std::vector<std::string> none;
    using Setup = std::function<void(RunSheet&)>;
    struct Case {
        const char* name;
        Setup setup;
        int box;
    } cases[] = {
        {"before any run", [](RunSheet&) {}, 1},
        {"in a test", [](RunSheet& f) { StartRun(f.run, RunKind::Test, nullptr); }, 1},
        {"after the marking",
         [](RunSheet& f) {
             StartRun(f.run, RunKind::Test, nullptr);
             TypeInto(f.run, 1, "1");
             MarkAll(f.run);
         },
         1},
        {"after an abort",
         [](RunSheet& f) {
             StartRun(f.run, RunKind::Practice, nullptr);
             AbortRun(f.run);
         },
         1},
        {"after closing",
         [](RunSheet& f) {
             StartRun(f.run, RunKind::Practice, nullptr);
             CloseRuns(f.run);
         },
         1},
        {"box 0", [](RunSheet& f) { StartRun(f.run, RunKind::Practice, nullptr); }, 0},
        {"box 81", [](RunSheet& f) { StartRun(f.run, RunKind::Practice, nullptr); }, 81},
        {"a solved box",
         [](RunSheet& f) {
             StartRun(f.run, RunKind::Practice, nullptr);
             f.enter(1, "x=42");
         },
         1},
    };
    for (const Case& c : cases) {
        RunSheet f;
        f.boxes({"x=42", "7"});
        c.setup(f);
        EXPECT_EQ(ShowAnswer(f.run, c.box), none) << c.name;
    }

    // Nothing a practice run hands back carries the answer before it is asked for.
    boxes({"x=42;42", "7"});
    StartRun(run, RunKind::Practice, seeded(9));
    std::vector<EnterOutcome> outcomes;
    for (const std::string& typed : std::vector<std::string>{"x=41", "x=40", S("　"), "43"})
        outcomes.push_back(enter(1, typed));
    for (const EnterOutcome& o : outcomes) {
        EXPECT_EQ(o.fieldText.find("42"), std::string::npos);
        EXPECT_EQ(o.feedback.find("42"), std::string::npos);
        EXPECT_EQ(o.notice.find("42"), std::string::npos);
        EXPECT_TRUE(o.shownAnswers.empty());
    }
    PublishRun(run, sheets, sheet);
    EXPECT_EQ(sheets.firstAnswer[1], "x=41");
    EXPECT_EQ(ShowAnswer(run, 1), (std::vector<std::string>{"x=42", "42"}));
}

TEST_F(Runs, OpenBoxesAndTheOrderOfATest) {
    boxes({"1", "2", "3", "4", "5"});
    StartRun(run, RunKind::Practice, seeded(1));
    struct Step {
        int box;
        int next;
    } steps[] = {{5, 1}, {3, 4}, {1, 2}, {4, 2}};
    for (const Step& s : steps)
        EXPECT_EQ(enter(s.box, std::to_string(s.box)).next, s.next) << s.box;
    EXPECT_EQ(NextOpenKran(run, 0), 2);
    const EnterOutcome last = enter(2, "2");
    EXPECT_EQ(last.next, 0);
    EXPECT_TRUE(last.result);
    EXPECT_EQ(NextOpenKran(run, 0), 0);

    struct Order {
        int count;
        bool columns;
        std::vector<int> order;
    } orders[] = {
        {5, true, {1, 3, 5, 2, 4}}, {4, true, {1, 3, 2, 4}}, {1, true, {1}},
        {3, false, {1, 2, 3}},      {0, true, {}},           {-1, false, {}},
    };
    for (const Order& o : orders)
        EXPECT_EQ(TestOrder(o.count, o.columns), o.order) << o.count << o.columns;

    // A two-column page: Enter in a test goes down the left column first.
    sheet.lstKranX[3] = "2";
    boxes({"1", "2", "3", "4", "5"});
    EXPECT_EQ(StartRun(run, RunKind::Test, seeded(1)), 1);
    std::vector<int> visited{1};
    for (int k = 1; k != 0;) {
        k = enter(k, "9").next;
        if (k) visited.push_back(k);
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 3, 5, 2, 4}));
}

TEST_F(Runs, BoxesWithoutAnswersAndPagesWithoutBoxes) {
    // A box whose stored answer is empty gets no field and no score.
    boxes({"3", "", S(" ; 　"), "5"});
    EXPECT_EQ(StartRun(run, RunKind::Practice, seeded(1)), 1);
    EXPECT_FALSE(box(2).inRun);
    EXPECT_EQ(enter(2, "3").kind, Kind::Ignored);
    EXPECT_EQ(enter(1, "3").next, 4);
    const EnterOutcome o = enter(4, "5");
    ASSERT_TRUE(o.result);
    EXPECT_EQ(o.result->total, 2);
    EXPECT_EQ(o.result->score, 100);

    // No boxes at all: runs start, nothing is open and nothing is recorded.
    boxes({});
    EXPECT_EQ(StartRun(run, RunKind::Practice, seeded(1)), 0);
    EXPECT_EQ(NextOpenKran(run, 0), 0);
    EXPECT_EQ(enter(1, "3").kind, Kind::Ignored);
    EXPECT_EQ(MarkAll(run).kind, MarkOutcome::Kind::NothingTyped);
    EXPECT_EQ(StartRun(run, RunKind::Test, seeded(1)), 0);
    EXPECT_FALSE(MarkAll(run).result);

    // The table's 80 boxes at most, all right.
    sheets.kranCount = 85;
    for (int k = 1; k <= MaxKran; ++k)
        sheets.KranTable[static_cast<std::size_t>(k)].answerText = std::to_string(k);
    PrepareRuns(run, sheets, sheet);
    EXPECT_EQ(run.count, MaxKran);
    StartRun(run, RunKind::Test, seeded(1));
    for (int k = 1; k <= MaxKran; ++k)
        TypeInto(run, k, std::to_string(k));
    const MarkOutcome m = MarkAll(run);
    ASSERT_TRUE(m.result);
    EXPECT_EQ(m.result->correct, 80);
    EXPECT_EQ(m.result->score, 100);
    EXPECT_TRUE(m.result->allCorrect);
    EXPECT_FALSE(run.reviewOffered);
    EXPECT_EQ(StartReview(run), 0);
}

TEST_F(Runs, ReviewGoesOverTheBoxesThatWereNotRight) {
    boxes({"1", "2", "3", "4"});
    StartRun(run, RunKind::Test, seeded(3));
    TypeInto(run, 1, "1");
    TypeInto(run, 2, "0");
    TypeInto(run, 3, "3");
    ASSERT_TRUE(MarkAll(run).result);

    EXPECT_EQ(StartReview(run), 2);
    EXPECT_EQ(run.kind, RunKind::Review);
    EXPECT_FALSE(box(1).inRun);
    EXPECT_EQ(enter(1, "1").kind, Kind::Ignored); // right boxes keep their state
    EXPECT_EQ(box(2).tries, 0);
    EXPECT_EQ(enter(2, "5").kind, Kind::Wrong);
    EnterOutcome o = enter(2, "2");
    EXPECT_EQ(o.mark, MarkKind::DoubleCircle);
    EXPECT_EQ(o.next, 4);
    EXPECT_EQ(MarkAll(run).kind, MarkOutcome::Kind::NotRunning); // no 採点 in a review
    o = enter(4, "4");
    EXPECT_TRUE(o.reviewEnded);
    EXPECT_FALSE(o.result);
    EXPECT_EQ(run.phase, RunPhase::Marked);
    EXPECT_TRUE(run.reviewOffered); // a wrong try in the review: offered again
    EXPECT_EQ(sjis::toUtf8(EndMessageText(run.kind)), "復習を終わりました");

    // A review without a wrong try ends the reviews; an aborted one leaves them offered.
    EXPECT_EQ(StartReview(run), 2);
    AbortRun(run);
    EXPECT_EQ(run.phase, RunPhase::Marked);
    EXPECT_EQ(StartReview(run), 2);
    enter(2, "2");
    EXPECT_TRUE(enter(4, "4").reviewEnded);
    EXPECT_FALSE(run.reviewOffered);
    EXPECT_TRUE(run.allCorrect);
    EXPECT_EQ(StartReview(run), 0);
    // The marking of the test still stands for the answer sheet.
    EXPECT_TRUE(MarkAnswerSheet(run));
    EXPECT_EQ(box(2).mark, boxmark::WrongFirst);
    EXPECT_EQ(box(3).mark, boxmark::Right);
}

TEST_F(Runs, AFixedSeedRepeatsTheRun) {
    auto praises = [this](std::uint64_t seed) {
        boxes({"1", "2", "3", "4", "5", "6"});
        StartRun(run, RunKind::Practice, seeded(seed));
        std::vector<std::string> out;
        for (int k = 1; k <= 6; ++k)
            out.push_back(enter(k, std::to_string(k)).feedback);
        return out;
    };
    const std::vector<std::string> first = praises(21);
    EXPECT_EQ(first, praises(21));
    const std::set<std::string> six{S("★★正解です★★"),     S("★★よくできました★★"),
                                    S("★★合っています★★"), S("★★ＧＯＯＤ★★"),
                                    S("★★ＧＲＥＡＴ★★"),   S("★★ＮＩＣＥ★★")};
    for (const std::string& p : first)
        EXPECT_TRUE(six.count(p)) << sjis::toUtf8(p);
}

TEST_F(Runs, PublishedForThePageLayout) {
    boxes({"1", "2", "3"});
    StartRun(run, RunKind::Test, seeded(1));
    TypeInto(run, 1, "1");
    TypeInto(run, 2, "7");
    PublishRun(run, sheets, sheet);
    EXPECT_EQ(sheets.firstAnswer[1], "initX"); // not yet entered
    EXPECT_FALSE(sheet.Marked);
    MarkAll(run);
    PublishRun(run, sheets, sheet);
    EXPECT_EQ(sheets.KranTable[1].mark, 1);
    EXPECT_EQ(sheets.KranTable[2].mark, 0);
    EXPECT_EQ(sheets.KranTable[2].tries, 1);
    EXPECT_EQ(sheets.firstAnswer[2], "7");
    EXPECT_EQ(sheets.firstAnswer[3], "");
    EXPECT_TRUE(sheet.Marked);
    EXPECT_EQ(sheet.correctCount, 1);
    EXPECT_EQ(sheet.totalCount, 3);
    EXPECT_TRUE(MayShowAllAnswers(run));

    CloseRuns(run);
    PublishRun(run, sheets, sheet);
    EXPECT_EQ(sheets.KranTable[1].mark, 99);
    EXPECT_EQ(sheets.firstAnswer[2], "initX");
    EXPECT_FALSE(sheet.Marked);
    EXPECT_FALSE(MayShowAllAnswers(run));
    EXPECT_EQ(StartRun(run, RunKind::Practice, nullptr), 0); // closed for good
}

} // namespace
