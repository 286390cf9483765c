#include "practice/PracticeWindow.h"

#include <algorithm>

#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "practice/Hints.h"
#include "practice/RunView.h"
#include "practice/ScoreStamp.h"
#include "typeset/Formula.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/PageGeometry.h"
#include "worksheet/PageImage.h"
#include "worksheet/PageLayout.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {

PickIndex pickFrom(Random& random) {
    return [&random](int count) { return random.below(count); };
}

bool inTable(const PracticeWindow& w, int box) {
    return w.sheet && box >= 1 && box <= std::min(w.sheet->layout.kranCount, MaxKran);
}

const KranEntry& entryOf(const PracticeWindow& w, int box) {
    return w.sheet->layout.KranTable[static_cast<std::size_t>(box)];
}

double scaleOf(const Worksheet& sheet, Canvas& canvas) {
    const int paper = sheet.paper.Width > 0 ? sheet.paper.Width : 630;
    return static_cast<double>(canvas.deviceWidth()) / paper;
}

Lines hintOf(Workspace& program, const Worksheet& sheet) {
    if (sheet.FromCopyFile) return {};
    const UnitNames names = UnitFileNames(program.course, sheet.unitRef);
    Lines file;
    if (names.queFile.empty() ||
        LoadLines(program.platform.files, names.queFile, file) != LoadStatus::Ok)
        return {};
    return HintLines(file, sheet);
}

// Only the newest text stands at one place of a box: a field that could move no further
// right writes its next answer where the last one was.
void addInk(PracticeWindow& w, PageInk ink) {
    if (!ink.text.empty())
        for (PageInk& old : w.ink)
            if (old.box == ink.box && old.attempt == ink.attempt) old.text.clear();
    w.ink.push_back(std::move(ink));
}

void dropInkOf(PracticeWindow& w, int box) {
    std::erase_if(w.ink, [box](const PageInk& i) { return i.box == box; });
}

// Every box's mark out of the table, so that a layout draws no mark of its own.
void clearTableMarks(Worksheet& sheet) {
    for (KranEntry& e : sheet.layout.KranTable)
        e.mark = boxmark::None;
}

// The field of a box as the page leaves room for it: the box where the page draws one; else
// the answer's own room, which the text after the answer follows at once.
Rect entryField(const AnswerPlace& place, const BoxStyle& style) {
    if (FollowsBoxSize(style.kind)) return place.field;
    return Rect{place.base.left, place.field.top, place.base.right, place.field.bottom};
}

void drawInk(Workspace& program, const PracticeWindow& w, Canvas& canvas, double s) {
    const BoxStyle style = AnswerBoxStyle(*w.sheet);
    for (const PageInk& ink : w.ink) {
        if (!inTable(w, ink.box)) continue;
        const KranEntry& e = entryOf(w, ink.box);
        const AnswerPlace place = PlaceAnswer(e, style);
        const Rect own = entryField(place, style);
        const Rect field = AttemptField(own, ink.attempt, w.sheet->paper.Width);
        if (!ink.text.empty()) {
            // Where the layout puts an answer's text: inside the box's side, on the line.
            const int lead = HasSides(style.kind) ? layoutmath::roundi(AnswerRoom * s) : 0;
            const int x = layoutmath::roundi((e.x + field.left - own.left) * s) + lead;
            const int y = layoutmath::roundi(e.y * s) + layoutmath::roundi(page::VerticalUnit * s);
            DrawFormulaAt(program.formula, x, y, e.fontSize > 0 ? e.fontSize : w.sheet->FontSize, s,
                          canvas, ink.text, colors::Blue);
        }
        if (ink.mark)
            DrawMark(canvas, *ink.mark, FieldMarkPlace(e, style, own, field), s, ink.color);
    }
}

} // namespace

bool OpenPractice(Workspace& program, PracticeWindow& w) {
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return false;
    const InputMode input = w.input;
    w = PracticeWindow{};
    w.input = input;
    w.sheet = sheet;
    w.savedShowAnswers = sheet->ShowAnswers;
    w.savedPrintLearner = sheet->PrintLearner;
    sheet->PrintLearner = true;
    PrepareRuns(w.run, *sheet);
    w.choices = AnswerChoices(sheet->KgroupLines, nullptr);
    w.softKeys = SoftKeyCaptions(sheet->SoftkeyLines, nullptr);
    if (std::all_of(w.softKeys.begin(), w.softKeys.end(), [](auto& k) { return k.empty(); }))
        w.softKeys.clear();
    w.hint = hintOf(program, *sheet);
    PublishRun(w.run, *sheet);
    return true;
}

void ClosePractice(Workspace& program, PracticeWindow& w) {
    if (!w.sheet) return;
    CloseRuns(w.run);
    PublishRun(w.run, *w.sheet);
    clearTableMarks(*w.sheet);
    w.sheet->Marked = false;
    w.sheet->correctCount = 0;
    w.sheet->PrintLearner = w.savedPrintLearner;
    w.sheet->ShowAnswers = w.savedShowAnswers;
    w.sheet->layout.drawTypedAnswers = false;
    if (w.own.held) {
        w.sheet->lstQues = std::move(w.own.ques);
        w.sheet->startNumber = w.own.startNumber;
        w.sheet->versionCode.clear();
        w.own = {};
        Relayout(program, *w.sheet);
    }
    w.ink.clear();
    w.score = -1;
    w.sheet = nullptr;
}

int BeginRun(Workspace& program, PracticeWindow& w, RunKind kind) {
    if (!w.sheet) return 0;
    Random& random = program.platform.random;
    int focus = 0;
    if (kind == RunKind::Review) {
        focus = StartReview(w.run);
        if (focus == 0) return 0;
        for (int k = 1; k <= w.run.count; ++k)
            if (w.run.boxes[static_cast<std::size_t>(k)].inRun) dropInkOf(w, k);
    } else {
        focus = StartRun(w.run, kind, pickFrom(random));
        w.ink.clear();
        w.score = -1;
    }
    w.page = PracticePage::Questions;
    w.pad = FractionPad{};
    w.choices = AnswerChoices(w.sheet->KgroupLines,
                              w.input.random ? pickFrom(random) : PickIndex{});
    if (!w.softKeys.empty()) w.softKeys = SoftKeyCaptions(w.sheet->SoftkeyLines, pickFrom(random));
    return focus;
}

void AbandonRun(PracticeWindow& w) {
    const bool review = w.run.kind == RunKind::Review;
    AbortRun(w.run);
    if (!review) {
        w.ink.clear();
        w.score = -1;
    }
    w.page = PracticePage::Questions;
}

InputWay InputWayOf(const PracticeWindow& w) {
    if (w.input.choices && !w.choices.empty()) return InputWay::Choices;
    if (!w.softKeys.empty()) return InputWay::SoftKeys;
    return InputWay::Keypad;
}

void ChooseInputMode(Workspace& program, PracticeWindow& w, InputMode mode) {
    const bool reorder = mode.random != w.input.random;
    w.input = mode;
    if (!w.sheet || !reorder) return;
    if (w.run.phase == RunPhase::Running || !mode.random)
        w.choices = AnswerChoices(w.sheet->KgroupLines,
                                  mode.random ? pickFrom(program.platform.random) : PickIndex{});
}

Lines RunGuidance(RunKind kind, InputWay way) {
    if (kind == RunKind::Test)
        return {J("すべて解答を入力し終えたら、"), J("［採点］ボタンをクリックして採点します。")};
    if (kind == RunKind::Practice && way == InputWay::Keypad)
        return {J("キーボードから解答を入力し、"), J("Enterキーを押します。")};
    return {};
}

int BeginMemorise(PracticeWindow& w) {
    if (!w.sheet) return 0;
    const int first = StartMemorise(w.run);
    w.ink.clear();
    w.score = -1;
    w.pad = FractionPad{};
    w.page = PracticePage::Answers;
    return first;
}

Lines OtherAnswers(const PracticeWindow& w, int box) {
    std::vector<std::string> all = MemoriseAnswers(w.run, box);
    if (all.size() < 2) return {};
    return Lines(all.begin() + 1, all.end());
}

void EndMemorising(PracticeWindow& w) {
    EndMemorise(w.run);
    w.page = PracticePage::Questions;
}

EnterOutcome EnterAnswer(Workspace& program, PracticeWindow& w, int box, std::string_view text) {
    TypeInto(w.run, box, text);
    EnterOutcome out = MarkBox(w.run, box);
    using K = EnterOutcome::Kind;
    if (out.kind != K::Accepted && out.kind != K::Wrong) return out;
    const Color color = w.run.kind == RunKind::Review ? rgb(0, 128, 0) : colors::Red;
    addInk(w, PageInk{box, out.triesBefore, out.fieldText, out.mark, color});
    (void)program;
    return out;
}

MarkOutcome MarkTest(Workspace& program, PracticeWindow& w, const std::vector<std::string>& typed) {
    (void)program;
    if (w.run.phase != RunPhase::Running || w.run.kind != RunKind::Test) return {};
    for (int k = 1; k <= w.run.count && static_cast<std::size_t>(k) < typed.size(); ++k)
        TypeInto(w.run, k, typed[static_cast<std::size_t>(k)]);
    MarkOutcome out = MarkAll(w.run);
    if (out.kind != MarkOutcome::Kind::Marked) return out;
    w.ink.clear();
    for (int k = 1; k <= w.run.count; ++k) {
        const BoxState& b = w.run.boxes[static_cast<std::size_t>(k)];
        if (b.answers.empty()) continue;
        const bool right = b.mark == boxmark::Right;
        w.ink.push_back(PageInk{k, 0, b.firstAnswer.value_or(std::string()),
                                right ? MarkKind::Circle : MarkKind::TestWrong, colors::Red});
    }
    return out;
}

void StampScore(PracticeWindow& w, const RunResult& result) {
    w.score = result.score;
}

bool ShowAnswerSheet(PracticeWindow& w) {
    if (!MarkAnswerSheet(w.run)) return false;
    w.page = PracticePage::AnswerSheet;
    return true;
}

bool ShowCorrectAnswers(PracticeWindow& w) {
    if (!MayShowAllAnswers(w.run)) return false;
    w.page = PracticePage::Answers;
    return true;
}

Rect FieldPlace(const Workspace& program, const PracticeWindow& w, int box) {
    (void)program;
    if (!w.sheet || !inTable(w, box) || box > w.run.count) return {};
    const BoxState& b = w.run.boxes[static_cast<std::size_t>(box)];
    if (b.answers.empty()) return {};
    const BoxStyle style = AnswerBoxStyle(*w.sheet);
    const AnswerPlace place = PlaceAnswer(entryOf(w, box), style);
    return AttemptField(entryField(place, style), w.run.kind == RunKind::Test ? 0 : b.tries,
                        w.sheet->paper.Width);
}

int FieldFontSize(const PracticeWindow& w, int box) {
    if (!inTable(w, box)) return 12;
    const int size = entryOf(w, box).fontSize;
    return size > 0 ? size : 12;
}

void LayOutPracticePage(Workspace& program, PracticeWindow& w, Canvas& canvas) {
    if (!w.sheet) return;
    Worksheet& sheet = *w.sheet;
    SheetLayout& st = sheet.layout;
    const bool typed = st.drawTypedAnswers, shown = sheet.ShowAnswers;
    if (w.page == PracticePage::AnswerSheet) {
        PublishRun(w.run, sheet);
    } else {
        clearTableMarks(sheet);
    }
    st.drawTypedAnswers = w.page == PracticePage::AnswerSheet;
    // On the learner's sheet the answers drawn are the typed ones.
    sheet.ShowAnswers = w.page != PracticePage::Questions;
    BlankPage(canvas);
    // The fields stand where the worksheet's screen page put its boxes, and the learner
    // never sees the stored alternatives.
    LayoutRequest request{false, false, program.sheets.pageOptions};
    request.options.alternatives = false;
    LayOutPage(program, sheet, canvas, request);
    if (w.page == PracticePage::Questions) drawInk(program, w, canvas, scaleOf(sheet, canvas));
    if (w.score >= 0 && w.page != PracticePage::Answers)
        DrawScore(canvas, ScoreRoom(program, sheet, canvas), w.score);
    st.drawTypedAnswers = typed;
    sheet.ShowAnswers = shown;
}

void BeginLearnerSheet(Workspace& program, PracticeWindow& w) {
    (void)program;
    if (!w.sheet) return;
    MarkAnswerSheet(w.run);
    PublishRun(w.run, *w.sheet);
    w.sheet->layout.drawTypedAnswers = true;
    w.sheet->ShowAnswers = true;
}

void EndLearnerSheet(Workspace& program, PracticeWindow& w) {
    (void)program;
    if (!w.sheet) return;
    w.sheet->layout.drawTypedAnswers = false;
    w.sheet->ShowAnswers = w.savedShowAnswers;
    clearTableMarks(*w.sheet);
}
