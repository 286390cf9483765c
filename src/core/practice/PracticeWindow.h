#pragma once
// The practice window's state over one worksheet and its steps: the runs, the keypad, the
// lists of the answer panel, the hint, and what the learner wrote on the page. The window
// holds the fields and shows this state; the page it shows is laid out from it, so that it
// can be drawn again at any size. Strings are Shift-JIS.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "practice/AnswerKeys.h"
#include "practice/PracticeRun.h"
#include "text/Lines.h"
#include "worksheet/Marks.h"

struct Workspace;
class Worksheet;

// What the page shows: the questions with what the runs wrote on them, the learner's sheet
// (first answers and their marks, 答案表示) or the correct answers (正解表示).
enum class PracticePage { Questions, AnswerSheet, Answers };

// An answer given in a run, drawn where its field stood, with its mark.
struct PageInk {
    int box = 0;
    int attempt = 0;  // the field stood this many field widths right of the box
    std::string text; // drawn in blue; empty for a mark alone
    std::optional<MarkKind> mark;
    Color color = colors::Red;
};

// How the pupil enters answers (入力モード): from the answer-choice list (解答選択) when the
// unit has one, else the soft keyboard or the keypad; the list in a new order at every run
// (ランダム) or in the unit's.
struct InputMode {
    bool choices = true;
    bool random = true;
};
enum class InputWay { Choices, SoftKeys, Keypad };

struct PracticeWindow {
    Worksheet* sheet = nullptr;
    InputMode input; // kept from run to run, and from one opening of the window to the next
    PracticeRun run;
    FractionPad pad;
    Lines choices;  // the answer-choice list, in this run's order
    Lines softKeys; // the soft keyboard's captions; empty without a "<<softkey" block
    Lines hint;     // empty: the unit has no hint
    PracticePage page = PracticePage::Questions;
    std::vector<PageInk> ink;
    int score = -1; // the score stamped on the page; -1 for none
    // What the window changed while it is open, given back when it closes.
    bool savedShowAnswers = false;
    bool savedPrintLearner = false;
    // While the page shows a varied copy of the worksheet (自分のプリント): the worksheet's
    // own question lines and number, given back when the window closes.
    struct OwnLines {
        bool held = false;
        Lines ques;
        int startNumber = 1;
    } own;
};

// Prepares the window for the current worksheet: its boxes, choices, soft keys and hint.
// Alternative answers are not drawn while the window is open. False without a worksheet.
bool OpenPractice(Workspace& program, PracticeWindow& w);
// The window closes: a run under way ends without a result, the marks go, and the
// worksheet's flags, its question lines (after a varied copy) and the alternative answers
// are as they were.
void ClosePractice(Workspace& program, PracticeWindow& w);

// Starts a practice or test run (Review: the review of the last marking) with the choices
// and soft keys shuffled from the platform's random source. Returns the box to focus; 0
// when nothing can be answered.
int BeginRun(Workspace& program, PracticeWindow& w, RunKind kind);
// 中止: the run ends without a result; the page shows the questions again.
void AbandonRun(PracticeWindow& w);

// The way answers are entered in w's runs under its input mode.
InputWay InputWayOf(const PracticeWindow& w);
// The pupil changes the input mode; during a run the list takes its new order at once.
void ChooseInputMode(Workspace& program, PracticeWindow& w, InputMode mode);
// What the feedback area tells the pupil as a run of kind starts (empty: nothing).
Lines RunGuidance(RunKind kind, InputWay way);

// 暗記: the page shows the answers and the first box's field its first answer. Returns that
// box (0 when nothing can be shown). The other memorise steps are PracticeRun's.
int BeginMemorise(PracticeWindow& w);
// The answers a box accepts besides its first, for the list "別解は"; empty when it has
// no other.
Lines OtherAnswers(const PracticeWindow& w, int box);
// 暗記終了: ready for a run; the page shows the questions again.
void EndMemorising(PracticeWindow& w);

// Enter in the field of box holding text: the run moves on, and what was answered is
// written on the page.
EnterOutcome EnterAnswer(Workspace& program, PracticeWindow& w, int box, std::string_view text);
// 採点 of a test with the fields' texts (index = box).
MarkOutcome MarkTest(Workspace& program, PracticeWindow& w, const std::vector<std::string>& typed);
// A marked run's score stands on the page from now on.
void StampScore(PracticeWindow& w, const RunResult& result);

// 答案表示 and 正解表示, allowed only after a marking; false when refused.
bool ShowAnswerSheet(PracticeWindow& w);
bool ShowCorrectAnswers(PracticeWindow& w);

// Where the field of box stands on the page now (page units): over its box, moved right
// after wrong tries. Empty for a box outside the run.
Rect FieldPlace(const Workspace& program, const PracticeWindow& w, int box);
// The point size of the answer typed in box.
int FieldFontSize(const PracticeWindow& w, int box);

// Lays the page out on canvas (of the page's size times s) as w.page says, with the ink
// and the score. The answers are drawn only on the correct-answer page.
void LayOutPracticePage(Workspace& program, PracticeWindow& w, Canvas& canvas);

// Printing the learner's sheet: the layout draws the first answers and marks, never the
// stored answers, until the printing ends.
void BeginLearnerSheet(Workspace& program, PracticeWindow& w);
void EndLearnerSheet(Workspace& program, PracticeWindow& w);
