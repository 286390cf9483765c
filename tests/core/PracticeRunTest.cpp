#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "keys/SeededRandom.h"
#include "practice/PracticeRun.h"
#include "practice/ResultsLine.h"
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
    Worksheet sheet;
    SheetLayout& sheets = sheet.layout;
    PracticeRun run;

    explicit RunSheet(const std::vector<std::string>& answers = {}) { boxes(answers); }
    void boxes(const std::vector<std::string>& answers) {
        sheets.kranCount = 0;
        for (const std::string& a : answers)
            sheets.KranTable[static_cast<std::size_t>(++sheets.kranCount)].answerText = a;
        PrepareRuns(run, sheet);
    }
    EnterOutcome enter(int box, const std::string& text) {
        TypeInto(run, box, text);
        return MarkBox(run, box);
    }
    const BoxState& box(int k) const { return run.boxes[static_cast<std::size_t>(k)]; }
};

struct Runs : ::testing::Test, RunSheet {};

TEST_F(Runs, PracticeToTheEndWithOneWrongFirstAnswer) {
    auto practise = [this](std::uint64_t seed) {
        boxes({"3", "x=5", "1/2;0.5"});
        EXPECT_EQ(StartRun(run, RunKind::Practice, seeded(seed)), 1);
        std::vector<EnterOutcome> out{enter(1, "3"), enter(2, "x=4")};
        for (int i = 0; i < 5; ++i)
            Tick(run);
        out.push_back(enter(2, " x=5\r\n"));
        out.push_back(enter(3, "0.5"));
        return out;
    };
    const std::vector<EnterOutcome> o = practise(1);
    EXPECT_EQ(o[0].mark, MarkKind::Circle);
    EXPECT_EQ(o[0].next, 2);
    EXPECT_EQ(o[1].kind, Kind::Wrong);
    EXPECT_EQ(o[1].mark, MarkKind::Slash);
    EXPECT_EQ(o[1].next, 2);
    EXPECT_EQ(o[2].fieldText, "x=5");
    EXPECT_EQ(o[2].next, 3);
    ASSERT_TRUE(o[3].result);
    EXPECT_FALSE(o[2].result);
    // Scored on the first answers: box 2 was wrong first.
    EXPECT_EQ(sjis::toUtf8(ResultsLine(*o[3].result, DateTime{2026, 3, 9, 14, 30, 0}, 0)),
              "2026年03月09日 14:30 [010]  2/ 3  67点 00:05");
    EXPECT_TRUE(run.reviewOffered);
    Tick(run); // the clock stopped at the marking
    EXPECT_EQ(run.elapsedSec, 5);
    // The praise comes from the run's random source: the same seed, the same praise.
    const std::string praise = o[0].feedback;
    EXPECT_EQ(practise(1)[0].feedback, praise);
}

// Every way of pressing on after a run ends, or of leaving a run, and the results it gives.
TEST_F(Runs, AFinishedRunGivesOneResultAndALeftRunNone) {
    using Step = std::function<std::optional<RunResult>(RunSheet&)>;
    const Step typeAll = [](RunSheet& f) {
        for (int k = 1; k <= 3; ++k)
            TypeInto(f.run, k, std::to_string(k));
        return std::optional<RunResult>();
    };
    const Step saiten = [](RunSheet& f) { return MarkAll(f.run).result; };
    const Step enterLast = [](RunSheet& f) { return MarkBox(f.run, 3).result; };
    const Step solveAll = [](RunSheet& f) {
        std::optional<RunResult> r;
        for (int k = 1; k <= 3; ++k)
            if (auto got = f.enter(k, std::to_string(k)).result) r = got;
        return r;
    };
    const Step wrongFirst = [](RunSheet& f) { return f.enter(2, "9").result; };
    auto just = [](void (*verb)(PracticeRun&)) {
        return Step([verb](RunSheet& f) {
            verb(f.run);
            return std::optional<RunResult>();
        });
    };
    const Step abort = just(AbortRun), close = just(CloseRuns);
    const Step review = just([](PracticeRun& r) { StartReview(r); });
    struct Case {
        const char* name;
        RunKind kind;
        std::vector<Step> steps;
        int results;
    } cases[] = {
        {"test, 採点 twice", RunKind::Test, {typeAll, saiten, saiten, enterLast}, 1},
        {"practice, Enter held", RunKind::Practice, {solveAll, enterLast, enterLast, saiten}, 1},
        {"practice, review", RunKind::Practice, {wrongFirst, solveAll, review, solveAll}, 1},
        {"test aborted", RunKind::Test, {typeAll, abort, saiten, enterLast}, 0},
        {"practice aborted", RunKind::Practice, {wrongFirst, abort, solveAll, saiten}, 0},
        {"test closed", RunKind::Test, {typeAll, close, saiten}, 0},
        {"practice closed", RunKind::Practice, {wrongFirst, close, solveAll}, 0},
    };
    for (const Case& c : cases) {
        RunSheet f({"1", "2", "3"});
        StartRun(f.run, c.kind, seeded(5));
        int results = 0;
        for (const Step& step : c.steps)
            results += step(f) ? 1 : 0;
        EXPECT_EQ(results, c.results) << c.name;
    }
}

TEST_F(Runs, TestMarksWhatStandsInTheFieldsAtSaiten) {
    boxes({"3", "5", "7", "9"});
    StartRun(run, RunKind::Test, seeded(2));
    for (const std::string& blank : {std::string("  "), S("　"), std::string("\r\n")}) {
        TypeInto(run, 1, blank);
        const MarkOutcome m = MarkAll(run);
        EXPECT_EQ(sjis::toUtf8(m.notice), "解答を入力してから採点してください。");
        EXPECT_FALSE(m.result);
    }
    EXPECT_EQ(enter(1, "3").next, 2);
    TypeInto(run, 3, "7"); // typed without Enter
    EXPECT_EQ(enter(2, "4").next, 4);
    TypeInto(run, 1, "2"); // changed after its Enter: the field counts
    const MarkOutcome m = MarkAll(run);
    ASSERT_TRUE(m.result);
    EXPECT_EQ(sjis::toUtf8(ResultsLine(*m.result, DateTime{2026, 1, 2, 3, 4, 0}, 0)),
              "2026年01月02日 03:04 []  1/ 4  25点 00:00");
    PublishRun(run, sheet);
    const int marks[] = {99, 0, 0, 1, 0};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(sheets.KranTable[static_cast<std::size_t>(k)].mark, marks[k]) << k;
        EXPECT_EQ(sheets.KranTable[static_cast<std::size_t>(k)].tries, 1 - marks[k]) << k;
    }
    EXPECT_EQ(sheets.firstAnswer[4], std::string()); // left empty
    EXPECT_EQ(sheet.correctCount, 1);
    CloseRuns(run);
    PublishRun(run, sheet);
    EXPECT_EQ(sheets.KranTable[3].mark, 99);
    EXPECT_FALSE(sheets.firstAnswer[2]);
}

TEST_F(Runs, WrongTriesAndShownAnswers) {
    boxes({"x=3", "1"});
    StartRun(run, RunKind::Practice, seeded(4));
    for (int attempt = 1; attempt <= 5; ++attempt) {
        const EnterOutcome o = enter(1, "x=" + std::to_string(attempt + 10));
        const bool shown = attempt >= 4; // from the fourth wrong try on
        EXPECT_EQ(o.shownAnswers.size(), shown ? 1u : 0u) << attempt;
        EXPECT_EQ(sjis::toUtf8(o.notice), shown ? "右下に正解を表示します" : "") << attempt;
    }
    // Enter held down on a wrong answer: no new try.
    EXPECT_EQ(enter(1, "x=15").kind, Kind::Ignored);
    EXPECT_EQ(box(1).tries, 5);
    EXPECT_EQ(enter(1, "x=3").mark, MarkKind::Triangle);
    EXPECT_EQ(run.triesLog, "6");
    // 答えを見る, then the right answer: a triangle, and wrong at the marking.
    EXPECT_EQ(ShowAnswer(run, 2), std::vector<std::string>{"1"});
    const EnterOutcome o = enter(2, "1");
    EXPECT_EQ(o.mark, MarkKind::Triangle);
    ASSERT_TRUE(o.result);
    EXPECT_EQ(o.result->correct, 0);
    EXPECT_EQ(o.result->triesLog, "61");

    RunSheet f({"5"});
    StartRun(f.run, RunKind::Practice, nullptr);
    EXPECT_EQ(f.enter(1, "").kind, Kind::Ignored);
    EXPECT_EQ(f.enter(1, S(" 　 ")).kind, Kind::AskShowAnswer);
    EXPECT_FALSE(f.box(1).answerShown); // until the pupil says yes
}

TEST_F(Runs, AnswersAreShownOnlyThroughTheAnswerButton) {
    using Setup = std::function<void(RunSheet&)>;
    const Setup practise = [](RunSheet& f) { StartRun(f.run, RunKind::Practice, nullptr); };
    struct Case {
        const char* name;
        Setup setup;
        int box;
    } cases[] = {
        {"before any run", [](RunSheet&) {}, 1},
        {"in a test", [](RunSheet& f) { StartRun(f.run, RunKind::Test, nullptr); }, 1},
        {"after an abort", [&](RunSheet& f) { practise(f), AbortRun(f.run); }, 1},
        {"after closing", [&](RunSheet& f) { practise(f), CloseRuns(f.run); }, 1},
        {"a solved box", [&](RunSheet& f) { practise(f), f.enter(1, "x=42"); }, 1},
        {"box 81", practise, 81},
        {"box 0", practise, 0},
    };
    for (const Case& c : cases) {
        RunSheet f({"x=42", "7"});
        c.setup(f);
        EXPECT_TRUE(ShowAnswer(f.run, c.box).empty()) << c.name;
    }
    // Nothing a practice run hands back carries the answer before it is asked for.
    boxes({"x=42;42", "7"});
    StartRun(run, RunKind::Practice, seeded(9));
    for (const char* typed : {"x=41", "x=40", "43"}) {
        const EnterOutcome o = enter(1, typed);
        EXPECT_EQ((o.feedback + o.notice + o.fieldText).find("42"), std::string::npos);
        EXPECT_TRUE(o.shownAnswers.empty());
    }
    EXPECT_EQ(ShowAnswer(run, 1), (std::vector<std::string>{"x=42", "42"}));
}

TEST_F(Runs, OpenBoxesAndTheOrderOfATest) {
    boxes({"1", "2", "3", "4", "5"});
    StartRun(run, RunKind::Practice, seeded(1));
    // From the last box the search wraps round to the lowest open box.
    for (const auto& [box, next] :
         std::vector<std::pair<int, int>>{{5, 1}, {3, 4}, {1, 2}, {4, 2}, {2, 0}})
        EXPECT_EQ(enter(box, std::to_string(box)).next, next) << box;

    EXPECT_EQ(TestOrder(3, false), (std::vector<int>{1, 2, 3}));
    // A two-column page: Enter in a test goes down the left column first.
    sheet.setKranLine(KranLine::Columns, "2");
    boxes({"1", "2", "3", "4", "5"});
    std::vector<int> visited{StartRun(run, RunKind::Test, seeded(1))};
    while (const int next = enter(visited.back(), "9").next)
        visited.push_back(next);
    EXPECT_EQ(visited, (std::vector<int>{1, 3, 5, 2, 4}));
}

TEST_F(Runs, BoxesWithoutAnswersAndPagesWithoutBoxes) {
    // A box whose stored answer is empty gets no field and no score.
    boxes({"3", "", S(" ; 　"), "5"});
    EXPECT_EQ(StartRun(run, RunKind::Practice, nullptr), 1);
    EXPECT_EQ(enter(2, "3").kind, Kind::Ignored);
    EXPECT_EQ(enter(1, "3").next, 4);
    const EnterOutcome o = enter(4, "5");
    ASSERT_TRUE(o.result);
    EXPECT_EQ(o.result->total, 2);
    EXPECT_EQ(o.result->score, 100);

    boxes({});
    EXPECT_EQ(StartRun(run, RunKind::Test, nullptr), 0);
    EXPECT_EQ(MarkAll(run).kind, MarkOutcome::Kind::NothingTyped);

    // At most the table's 80 boxes.
    sheets.kranCount = 85;
    for (int k = 1; k <= MaxKran; ++k)
        sheets.KranTable[static_cast<std::size_t>(k)].answerText = std::to_string(k);
    PrepareRuns(run, sheet);
    StartRun(run, RunKind::Test, nullptr);
    for (int k = 1; k <= MaxKran; ++k)
        TypeInto(run, k, std::to_string(k));
    const MarkOutcome m = MarkAll(run);
    ASSERT_TRUE(m.result);
    EXPECT_EQ(m.result->total, 80);
    EXPECT_TRUE(m.result->allCorrect);
    EXPECT_EQ(StartReview(run), 0); // nothing to review
}

TEST_F(Runs, ReviewGoesOverTheBoxesThatWereNotRight) {
    boxes({"1", "2", "3", "4"});
    StartRun(run, RunKind::Test, nullptr);
    TypeInto(run, 1, "1");
    TypeInto(run, 2, "0");
    TypeInto(run, 3, "3");
    MarkAll(run);

    EXPECT_EQ(StartReview(run), 2);
    EXPECT_EQ(enter(1, "1").kind, Kind::Ignored); // right boxes keep their state
    EXPECT_EQ(enter(2, "5").kind, Kind::Wrong);
    EXPECT_EQ(enter(2, "2").mark, MarkKind::DoubleCircle);
    EXPECT_EQ(MarkAll(run).kind, MarkOutcome::Kind::NotRunning);
    EXPECT_TRUE(enter(4, "4").reviewEnded);
    EXPECT_TRUE(run.reviewOffered); // a wrong try in the review: offered again

    EXPECT_EQ(StartReview(run), 2);
    AbortRun(run);
    EXPECT_EQ(StartReview(run), 2);
    enter(2, "2");
    EXPECT_TRUE(enter(4, "4").reviewEnded);
    EXPECT_FALSE(run.reviewOffered);
    // The test's marking still stands for the answer sheet.
    EXPECT_TRUE(MarkAnswerSheet(run));
    EXPECT_EQ(box(2).mark, boxmark::WrongFirst);
    EXPECT_EQ(box(3).mark, boxmark::Right);
}

} // namespace
