#pragma once
// The runs of the practice window over the answer boxes of one worksheet page: practice
// (each answer marked at Enter), test (everything marked at 採点), review (the boxes
// that were not right, marked at Enter) and memorise (the answers shown, nothing marked).
// The window holds the fields and draws; this state decides what every Enter, 採点,
// 答えを見る, 中止, the memorise buttons and closing do.
//
// Boxes are numbered from 1 as in the answer-box table. A box whose stored answer is empty
// has nothing to accept: it gets no field and takes no part in runs or scores. A finished
// practice or test run gives its result exactly once; a run that is aborted or closed gives
// none. Strings are Shift-JIS.

#include <optional>
#include <string>
#include <vector>

#include "practice/AcceptedAnswers.h"
#include "text/Shuffle.h"
#include "worksheet/Marks.h"

class Worksheet;
struct WorksheetState;

enum class RunKind { Practice, Test, Review, Memorise };
// Ready: before the first run and after an abort. Marked: after a marked run (and after a
// review). Closed: the window has closed; nothing moves any more.
enum class RunPhase { Ready, Running, Marked, Closed };

// The mark state of a box, as the answer-box table keeps it.
namespace boxmark {
constexpr int None = 99;       // not marked
constexpr int Wrong = -1;      // practice: a wrong attempt, or the answer was shown
constexpr int RightLater = 2;  // practice: right after a wrong attempt
constexpr int Right = 1;       // marked: the first answer is right
constexpr int WrongFirst = 0;  // marked: the first answer is wrong, or there was none
constexpr int RightShown = -2; // right, but only after the answer was shown
} // namespace boxmark

struct BoxState {
    AcceptedAnswers answers;
    bool inRun = false;                     // has an open field in the current run
    bool solved = false;                    // practice and review: accepted; its field is put away
    std::string typed;                      // what the box's field holds
    std::optional<std::string> firstAnswer; // the first answer given in the run
    int mark = boxmark::None;
    int tries = 0; // wrong attempts (and an accepted one after the answer was shown)
    bool answerShown = false;
    // The last wrong answer: Enter again on the same text (a key held down) is no new try.
    std::optional<std::string> lastWrong;
};

// What a marked practice or test run leaves for the learner's records.
struct RunResult {
    RunKind kind = RunKind::Practice;
    int correct = 0;      // boxes right at the first answer
    int total = 0;        // boxes in the run
    int score = 0;        // 0..100
    std::string triesLog; // practice: the tries of each box in the order they were solved
    int elapsedSec = 0;
    bool allCorrect = false;
};

struct PracticeRun {
    std::vector<BoxState> boxes; // 1..count; slot 0 is not used
    int count = 0;
    bool twoColumns = false; // the page numbers its boxes alternately in two columns
    RunKind kind = RunKind::Practice;
    RunPhase phase = RunPhase::Ready;
    int curKran = 0; // the box last entered or focused
    int wrongCount = 0;
    bool allCorrect = false;
    int elapsedSec = 0;
    std::string triesLog;
    int correctCount = 0; // of the last marking
    int totalCount = 0;
    bool reviewOffered = false; // some box was not right at the last marking
    PickIndex pick;             // the run's random source: index in 0..count-1
};

// What an Enter in a box did.
struct EnterOutcome {
    enum class Kind {
        Ignored,       // nothing to do: empty field, no run, or the box is not open
        Stored,        // test: the answer is kept; go on to `next`
        AskShowAnswer, // practice or review with a blank answer: ask `notice`
        Accepted,
        Wrong,
    };
    Kind kind = Kind::Ignored;
    std::string fieldText;            // the field's text after Enter, trimmed
    MarkKind mark = MarkKind::Circle; // Accepted: Circle, DoubleCircle or Triangle; Wrong: Slash
    int triesBefore = 0;              // the box's tries before this Enter
    std::string feedback;             // line for the feedback area: praise or correction
    std::string notice;               // a message for a box of its own
    std::vector<std::string> shownAnswers; // the answer, shown after the fourth wrong try
    int next = 0;                          // the box to focus next; 0 when none is open
    bool runMarked = false;                // practice: the last box was solved
    bool reviewEnded = false;              // review: the last box was solved
    std::optional<RunResult> result;       // practice: the run's result, exactly once
};

// What 採点 did.
struct MarkOutcome {
    enum class Kind {
        NotRunning,   // no practice or test run under way (also a second 採点)
        NothingTyped, // no answer given yet: `notice` says so, the run goes on
        Marked,
    };
    Kind kind = Kind::NotRunning;
    std::string notice;
    std::optional<RunResult> result;
};

// Takes the boxes of the laid-out page (answer-box table entries 1..kranCount) for the
// window's runs; phase Ready, every mark cleared.
void PrepareRuns(PracticeRun& run, const Worksheet& sheet);

// Starts a practice or test run over every box that has an answer (a Review kind starts a
// practice run). Any run under way is dropped without a result. Returns the box to focus.
int StartRun(PracticeRun& run, RunKind kind, PickIndex pick);
// After a marking with boxes not right: a run over those boxes only. Returns the box to
// focus, 0 (and nothing changes) when there is nothing to review.
int StartReview(PracticeRun& run);

// The field of box now holds text.
void TypeInto(PracticeRun& run, int box, std::string_view text);
// Enter in the field of box.
EnterOutcome MarkBox(PracticeRun& run, int box);
// 答えを見る in a practice or review run: the accepted answers of box, and the box counts
// as shown. Nothing in a test, between runs, or for a box outside the run.
std::vector<std::string> ShowAnswer(PracticeRun& run, int box);
// 採点: marks a practice or test run by the first answer of every box.
MarkOutcome MarkAll(PracticeRun& run);
// 中止: the run ends without a result; a review goes back to the marking it reviewed.
void AbortRun(PracticeRun& run);
// The window closes: whatever runs ends without a result and every mark is cleared.
void CloseRuns(PracticeRun& run);
// One second of the run's clock.
void Tick(PracticeRun& run);

// The next open box after `from` (wrapping round to the boxes before it); 0 when none.
int NextOpenKran(const PracticeRun& run, int from);
// The box numbers in the order a test visits them: with two columns the left column's
// boxes (1, 3, 5, ...) before the right column's (2, 4, ...).
std::vector<int> TestOrder(int count, bool twoColumns);
// The first box in test order whose field is still empty; 0 when none.
int NextEmptyInTestOrder(const PracticeRun& run);

// Memorise runs. The page shows every answer; a box's field, where it stands, covers its
// box and shows what `typed` holds (an answer, or nothing: the answer is erased). A box
// whose field is put away (`solved`) shows the page's answer. Nothing is marked, timed or
// recorded.
//
// 暗記: every field put away but the first box's, which shows its first answer. Returns
// that box (0 when no box has an answer).
int StartMemorise(PracticeRun& run);
// 消して次へ (erase) and 消さずに次へ: the current box's field is emptied (erase) or left as it
// is; the next box in page order (round to the first) gets its field back, showing its first
// answer (erase) or its answer text as stored, every accepted answer (keep). Returns it.
int MemoriseNext(PracticeRun& run, bool erase);
// すべて表示: every field put away, so that every answer on the page shows; the first box is
// current again. すべて消去: every field back and empty, so that no answer shows. Both
// return the first box.
int MemoriseShowAll(PracticeRun& run);
int MemoriseClearAll(PracticeRun& run);
// The pupil moves to box (a click into its field): the memorise steps go on from there.
void MemoriseAt(PracticeRun& run, int box);
// The accepted answers of box in a memorise run (empty otherwise).
std::vector<std::string> MemoriseAnswers(const PracticeRun& run, int box);
// 暗記終了: the window is ready for a run again.
void EndMemorise(PracticeRun& run);

// Between runs the whole page's answers may be shown (正解表示); the pupil's answer sheet
// (答案表示) only after a marking.
bool MayShowAllAnswers(const PracticeRun& run);
// 答案表示: every box's mark from its first answer (1, 0 or −2). False when not allowed.
bool MarkAnswerSheet(PracticeRun& run);

// Puts the run's marks, tries and first answers into the answer-box table for the page
// layout, and the last marking's counts into the worksheet.
void PublishRun(const PracticeRun& run, Worksheet& sheet);
