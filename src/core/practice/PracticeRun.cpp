#include "practice/PracticeRun.h"

#include <algorithm>

#include "practice/ResultsLine.h"
#include "practice/RunView.h"
#include "text/Sjis.h"
#include "worksheet/Worksheet.h"
#include "worksheet/Worksheet.h"

namespace {

bool hasBox(const PracticeRun& run, int box) {
    return box >= 1 && box <= run.count && static_cast<std::size_t>(box) < run.boxes.size();
}

// Every box back to its state before a run; boxes with an answer get a field.
void resetBoxes(PracticeRun& run) {
    for (BoxState& b : run.boxes) {
        b.inRun = !b.answers.empty();
        b.solved = false;
        b.typed.clear();
        b.firstAnswer.reset();
        b.mark = boxmark::None;
        b.tries = 0;
        b.answerShown = false;
        b.lastWrong.reset();
    }
    if (!run.boxes.empty()) run.boxes[0].inRun = false;
    run.wrongCount = 0;
    run.allCorrect = false;
    run.elapsedSec = 0;
    run.triesLog.clear();
    run.correctCount = 0;
    run.totalCount = 0;
    run.reviewOffered = false;
}

bool isOpen(const PracticeRun& run, int box) {
    const BoxState& b = run.boxes[static_cast<std::size_t>(box)];
    if (!b.inRun || b.solved) return false;
    return run.kind != RunKind::Test || CleanTypedAnswer(b.typed).empty();
}

// The mark a first answer earns at marking.
int markOf(const BoxState& b) {
    if (!b.firstAnswer || !b.answers.accepts(*b.firstAnswer)) return boxmark::WrongFirst;
    return b.answerShown ? boxmark::RightShown : boxmark::Right;
}

std::string praise(const PracticeRun& run) {
    return J("★★") + PraiseText(run.pick) + J("★★");
}

// Marks the run under way by the first answers; the run is over afterwards.
MarkOutcome markRun(PracticeRun& run) {
    MarkOutcome out;
    bool anyAnswer = false;
    for (int k = 1; k <= run.count; ++k) {
        BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        if (!b.inRun) continue;
        // A test is marked on what stands in the fields when 採点 is pressed.
        if (run.kind == RunKind::Test) b.firstAnswer = CleanTypedAnswer(b.typed);
        if (b.firstAnswer && !NormalizeAnswer(*b.firstAnswer).empty()) anyAnswer = true;
    }
    if (!anyAnswer) {
        out.kind = MarkOutcome::Kind::NothingTyped;
        out.notice = J("解答を入力してから採点してください。");
        return out;
    }
    run.phase = RunPhase::Marked;
    run.wrongCount = 0;
    int correct = 0, total = 0;
    for (int k = 1; k <= run.count; ++k) {
        BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        if (b.answers.empty()) continue;
        ++total;
        b.mark = markOf(b);
        if (b.mark == boxmark::Right)
            ++correct;
        else
            ++run.wrongCount;
        if (run.kind == RunKind::Test) b.tries = b.mark == boxmark::Right ? 0 : 1;
        b.inRun = false;
    }
    run.allCorrect = run.wrongCount == 0;
    run.reviewOffered = !run.allCorrect;
    run.correctCount = correct;
    run.totalCount = total;
    out.kind = MarkOutcome::Kind::Marked;
    RunResult r;
    r.kind = run.kind;
    r.correct = correct;
    r.total = total;
    r.score = ComputeScore(correct, total);
    r.triesLog = run.kind == RunKind::Test ? std::string() : run.triesLog;
    r.elapsedSec = run.elapsedSec;
    r.allCorrect = run.allCorrect;
    out.result = std::move(r);
    return out;
}

} // namespace

void PrepareRuns(PracticeRun& run, const Worksheet& sheet) {
    const SheetLayout& sheets = sheet.layout;
    PickIndex pick = std::move(run.pick);
    run = PracticeRun{};
    run.pick = std::move(pick);
    run.count = std::clamp(sheets.kranCount, 0, MaxKran);
    run.boxes.assign(static_cast<std::size_t>(run.count) + 1, BoxState{});
    for (int k = 1; k <= run.count; ++k)
        run.boxes[static_cast<std::size_t>(k)].answers =
            AcceptedAnswers(sheets.KranTable[static_cast<std::size_t>(k)].answerText);
    // The same rule the page layout numbers its boxes by.
    run.twoColumns = sheet.kranSettings().twoColumns;
    resetBoxes(run);
    for (BoxState& b : run.boxes)
        b.inRun = false;
}

int StartRun(PracticeRun& run, RunKind kind, PickIndex pick) {
    if (run.phase == RunPhase::Closed) return 0;
    resetBoxes(run);
    run.kind = kind == RunKind::Test ? RunKind::Test : RunKind::Practice;
    run.phase = RunPhase::Running;
    if (pick) run.pick = std::move(pick);
    run.curKran = run.kind == RunKind::Test ? NextEmptyInTestOrder(run) : NextOpenKran(run, 0);
    return run.curKran;
}

int StartReview(PracticeRun& run) {
    if (run.phase != RunPhase::Marked || !run.reviewOffered) return 0;
    int first = 0;
    for (int k = 1; k <= run.count; ++k) {
        const BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        if (!b.answers.empty() && b.mark != boxmark::Right) {
            first = k;
            break;
        }
    }
    if (first == 0) return 0;
    for (int k = 1; k <= run.count; ++k) {
        BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        b.answerShown = false;
        b.inRun = !b.answers.empty() && b.mark != boxmark::Right;
        if (!b.inRun) continue;
        b.solved = false;
        b.typed.clear();
        b.lastWrong.reset();
        // Tries count again from the review's start: the answer is offered after the
        // fourth wrong try of the review.
        b.tries = 0;
    }
    run.kind = RunKind::Review;
    run.phase = RunPhase::Running;
    run.wrongCount = 0;
    run.allCorrect = false;
    run.reviewOffered = false;
    run.curKran = first;
    return first;
}

void TypeInto(PracticeRun& run, int box, std::string_view text) {
    if (!hasBox(run, box)) return;
    run.boxes[static_cast<std::size_t>(box)].typed.assign(text);
}

EnterOutcome MarkBox(PracticeRun& run, int box) {
    EnterOutcome out;
    if (run.phase != RunPhase::Running || run.kind == RunKind::Memorise || !hasBox(run, box))
        return out;
    BoxState& b = run.boxes[static_cast<std::size_t>(box)];
    if (!b.inRun || b.solved || b.typed.empty()) return out;
    run.curKran = box;
    b.typed = CleanTypedAnswer(b.typed);
    const std::string text = b.typed;
    out.fieldText = text;
    out.triesBefore = b.tries;

    if (run.kind == RunKind::Test) {
        b.firstAnswer = text;
        out.kind = EnterOutcome::Kind::Stored;
        out.next = NextEmptyInTestOrder(run);
        return out;
    }
    if (NormalizeAnswer(text).empty()) {
        out.kind = EnterOutcome::Kind::AskShowAnswer;
        out.notice = J("正解を表示しますか");
        out.next = box;
        return out;
    }
    if (!b.firstAnswer) b.firstAnswer = text;
    const bool review = run.kind == RunKind::Review;

    if (!b.answers.accepts(text)) {
        if (b.lastWrong == text) {
            out.next = box;
            return out;
        }
        b.lastWrong = text;
        b.mark = boxmark::Wrong;
        ++run.wrongCount;
        if (b.tries >= 3) {
            out.shownAnswers = ShowAnswer(run, box);
            out.notice = J("右下に正解を表示します");
        }
        ++b.tries;
        out.kind = EnterOutcome::Kind::Wrong;
        out.mark = MarkKind::Slash;
        out.feedback = J("解答を訂正してください");
        out.next = box;
        return out;
    }

    out.kind = EnterOutcome::Kind::Accepted;
    if (b.answerShown) {
        b.mark = boxmark::RightShown;
        ++run.wrongCount;
        ++b.tries;
        out.mark = MarkKind::Triangle;
    } else {
        if (!review) {
            if (b.mark == boxmark::Wrong)
                b.mark = boxmark::RightLater;
            else if (b.mark == boxmark::WrongFirst || b.mark == boxmark::Right)
                b.mark = boxmark::Right;
        }
        out.mark = review ? MarkKind::DoubleCircle : MarkKind::Circle;
        out.feedback = praise(run);
    }
    run.triesLog += std::to_string(b.tries);
    b.solved = true;
    out.next = NextOpenKran(run, box);
    if (out.next != 0) return out;

    if (review) {
        // The review is over; the marking it reviewed stands.
        run.phase = RunPhase::Marked;
        run.allCorrect = run.wrongCount == 0;
        run.reviewOffered = !run.allCorrect;
        for (BoxState& x : run.boxes)
            x.inRun = false;
        out.reviewEnded = true;
        return out;
    }
    MarkOutcome marked = markRun(run);
    out.runMarked = marked.kind == MarkOutcome::Kind::Marked;
    out.result = std::move(marked.result);
    return out;
}

std::vector<std::string> ShowAnswer(PracticeRun& run, int box) {
    if (run.phase != RunPhase::Running || run.kind == RunKind::Test ||
        run.kind == RunKind::Memorise || !hasBox(run, box))
        return {};
    BoxState& b = run.boxes[static_cast<std::size_t>(box)];
    if (!b.inRun || b.solved) return {};
    b.mark = boxmark::Wrong;
    b.answerShown = true;
    return b.answers.entries_;
}

MarkOutcome MarkAll(PracticeRun& run) {
    if (run.phase != RunPhase::Running || run.kind == RunKind::Review ||
        run.kind == RunKind::Memorise)
        return {};
    return markRun(run);
}

void AbortRun(PracticeRun& run) {
    if (run.phase != RunPhase::Running) return;
    if (run.kind == RunKind::Memorise) {
        EndMemorise(run);
        return;
    }
    if (run.kind == RunKind::Review) {
        run.phase = RunPhase::Marked;
        run.reviewOffered = true;
        for (BoxState& b : run.boxes)
            b.inRun = false;
        return;
    }
    resetBoxes(run);
    for (BoxState& b : run.boxes)
        b.inRun = false;
    run.phase = RunPhase::Ready;
}

void CloseRuns(PracticeRun& run) {
    resetBoxes(run);
    for (BoxState& b : run.boxes)
        b.inRun = false;
    run.phase = RunPhase::Closed;
}

void Tick(PracticeRun& run) {
    if (run.phase == RunPhase::Running &&
        (run.kind == RunKind::Practice || run.kind == RunKind::Test))
        ++run.elapsedSec;
}

int NextOpenKran(const PracticeRun& run, int from) {
    if (run.phase != RunPhase::Running) return 0;
    for (int k = std::max(from, 0) + 1; k <= run.count; ++k)
        if (isOpen(run, k)) return k;
    for (int k = 1; k < std::min(from, run.count + 1); ++k)
        if (isOpen(run, k)) return k;
    return 0;
}

std::vector<int> TestOrder(int count, bool twoColumns) {
    std::vector<int> order;
    if (count < 1) return order;
    order.reserve(static_cast<std::size_t>(count));
    if (!twoColumns) {
        for (int k = 1; k <= count; ++k)
            order.push_back(k);
        return order;
    }
    for (int k = 1; k <= count; k += 2)
        order.push_back(k);
    for (int k = 2; k <= count; k += 2)
        order.push_back(k);
    return order;
}

int NextEmptyInTestOrder(const PracticeRun& run) {
    if (run.phase != RunPhase::Running) return 0;
    for (int k : TestOrder(run.count, run.twoColumns))
        if (isOpen(run, k)) return k;
    return 0;
}

bool MayShowAllAnswers(const PracticeRun& run) {
    return run.phase == RunPhase::Ready || run.phase == RunPhase::Marked;
}

namespace {

bool memorising(const PracticeRun& run) {
    return run.phase == RunPhase::Running && run.kind == RunKind::Memorise;
}

// The first box with an answer after `from`, round to the first of the page; `from` itself
// when it is the only one.
int nextWithAnswer(const PracticeRun& run, int from) {
    for (int step = 1; step <= run.count; ++step) {
        const int k = (std::max(from, 0) + step - 1) % run.count + 1;
        if (!run.boxes[static_cast<std::size_t>(k)].answers.empty()) return k;
    }
    return 0;
}

} // namespace

int StartMemorise(PracticeRun& run) {
    if (run.phase == RunPhase::Closed) return 0;
    resetBoxes(run);
    run.kind = RunKind::Memorise;
    run.phase = RunPhase::Running;
    for (BoxState& b : run.boxes)
        b.solved = true;
    run.curKran = nextWithAnswer(run, 0);
    if (run.curKran == 0) return 0;
    BoxState& first = run.boxes[static_cast<std::size_t>(run.curKran)];
    first.solved = false;
    first.typed = first.answers.entries_.front();
    return run.curKran;
}

int MemoriseNext(PracticeRun& run, bool erase) {
    if (!memorising(run) || run.curKran < 1) return 0;
    BoxState& current = run.boxes[static_cast<std::size_t>(run.curKran)];
    if (erase) {
        current.solved = false;
        current.typed.clear();
    }
    const int next = nextWithAnswer(run, run.curKran);
    if (next == 0) return 0;
    BoxState& b = run.boxes[static_cast<std::size_t>(next)];
    b.solved = false;
    b.typed = erase ? b.answers.entries_.front() : b.answers.stored_;
    run.curKran = next;
    return next;
}

int MemoriseShowAll(PracticeRun& run) {
    if (!memorising(run)) return 0;
    for (BoxState& b : run.boxes) {
        b.solved = true;
        b.typed.clear();
    }
    run.curKran = nextWithAnswer(run, 0);
    return run.curKran;
}

int MemoriseClearAll(PracticeRun& run) {
    if (!memorising(run)) return 0;
    for (BoxState& b : run.boxes) {
        b.solved = false;
        b.typed.clear();
    }
    run.curKran = nextWithAnswer(run, 0);
    return run.curKran;
}

void MemoriseAt(PracticeRun& run, int box) {
    if (!memorising(run) || !hasBox(run, box)) return;
    if (!run.boxes[static_cast<std::size_t>(box)].answers.empty()) run.curKran = box;
}

std::vector<std::string> MemoriseAnswers(const PracticeRun& run, int box) {
    if (!memorising(run) || !hasBox(run, box)) return {};
    return run.boxes[static_cast<std::size_t>(box)].answers.entries_;
}

void EndMemorise(PracticeRun& run) {
    if (!memorising(run)) return;
    resetBoxes(run);
    for (BoxState& b : run.boxes)
        b.inRun = false;
    run.phase = RunPhase::Ready;
    run.kind = RunKind::Practice;
}

bool MarkAnswerSheet(PracticeRun& run) {
    if (run.phase != RunPhase::Marked) return false;
    for (BoxState& b : run.boxes)
        if (!b.answers.empty()) b.mark = markOf(b);
    return true;
}

void PublishRun(const PracticeRun& run, Worksheet& sheet) {
    SheetLayout& sheets = sheet.layout;
    for (int k = 1; k <= run.count; ++k) {
        const BoxState& b = run.boxes[static_cast<std::size_t>(k)];
        KranEntry& e = sheets.KranTable[static_cast<std::size_t>(k)];
        e.mark = b.mark;
        e.tries = b.tries;
        e.answerShown = b.answerShown;
        sheets.firstAnswer[static_cast<std::size_t>(k)] = b.firstAnswer;
    }
    const bool marked = run.phase == RunPhase::Marked;
    sheet.Marked = marked;
    sheet.correctCount = marked ? run.correctCount : -1;
    sheet.totalCount = marked ? run.totalCount : 0;
}
