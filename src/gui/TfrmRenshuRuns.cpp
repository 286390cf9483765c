// The practice window's runs: starting them, Enter in an answer field, 採点, the end of a
// run, and the buttons between runs.
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "Program.h"
#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/KeypadPanel.h"
#include "gui/MessagePicture.h"
#include "gui/ScratchPad.h"
#include "gui/SoftKeyboard.h"
#include "gui/TfrmPrintOk.h"
#include "gui/TfrmRenshu.h"
#include "gui/TfrmZenSeikai.h"
#include "gui/UiText.h"
#include "platform/Timer.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "shell/Commands.h"
#include "shell/PracticeRecords.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDocument.h"

namespace {
const QColor Red(255, 0, 0), Blue(0, 0, 255), Black(0, 0, 0);
constexpr int Yes = 6;
} // namespace

void TfrmRenshu::study(Worksheet& sheet) {
    Program& p = desk_.program();
    if (p.sheets.current != &sheet || !OpenPractice(p, w_)) return;
    open_ = true;
    setWindowTitle(qs(sheet.strTangen));
    const QRect area = desk_.mainGeometry();
    if (area.isValid()) setGeometry(area);
    curKran_ = 0;
    imgMessXX->clear();
    imgMess->clear();
    showGuidance();
    showBetweenRuns();
    relayoutPage();
    btnRenshu->setFocus();
    clock_ = p.platform.timers.make();
    imgMemo->reset();
    desk_.runModal(*this);
    finish();
}

void TfrmRenshu::finish() {
    if (!open_) return;
    open_ = false;
    stopClock();
    clock_.reset();
    // Whatever run was under way ends here without a record.
    ClosePractice(desk_.program(), w_);
    for (int k = 1; k <= MaxKran; ++k)
        fields_[static_cast<std::size_t>(k)]->hide();
}

void TfrmRenshu::stopClock() {
    if (clock_) clock_->stop();
}

void TfrmRenshu::startRun(RunKind kind) {
    const int focus = BeginRun(desk_.program(), w_, kind);
    if (w_.run.phase != RunPhase::Running) return;
    const bool test = w_.run.kind == RunKind::Test;
    for (int k = 1; k <= MaxKran; ++k) {
        QLineEdit* f = fields_[static_cast<std::size_t>(k)];
        f->clear();
        f->setReadOnly(false);
        f->setFocusPolicy(Qt::StrongFocus);
    }
    showInputWay();
    // Past scores and records stay out of sight while the pupil answers.
    pnlKiroku->hide();
    pnlRenshu->hide();
    pnlAnki->hide();
    grbTest->show();
    showAnswerPanel();
    btnAnswer->setVisible(!test);
    btnHint->setVisible(!test);
    btnHint->setEnabled(!w_.hint.empty());
    btnSaiten->setVisible(test);
    btnSeikai->setEnabled(false);
    btnTouan->setEnabled(false);
    btnFukushu->setEnabled(false);
    imgMessXX->clear();
    imgMessXX->setFixedHeight(FeedbackHeight);
    // How to answer, where the run's feedback will stand.
    const Lines guidance = RunGuidance(w_.run.kind, InputWayOf(w_));
    for (std::size_t i = 0; i < guidance.size(); ++i)
        imgMessXX->line(static_cast<int>(i), qs(guidance[i]), 12, Black);
    scroll_->verticalScrollBar()->setValue(0);
    relayoutPage();
    if (clock_ && kind != RunKind::Review) clock_->start(1000, [this] { Tick(w_.run); });
    if (focus)
        focusField(focus);
    else if (test)
        btnSaiten->setFocus();
}

void TfrmRenshu::btnRenshuClick() {
    startRun(RunKind::Practice);
}

void TfrmRenshu::btnTestClick() {
    startRun(RunKind::Test);
}

void TfrmRenshu::btnFukushuClick() {
    startRun(RunKind::Review);
}

void TfrmRenshu::answerEnter(int box) {
    QLineEdit* f = field(box);
    if (!f || f->isHidden() || f->isReadOnly()) return;
    curKran_ = box;
    const EnterOutcome out = EnterAnswer(desk_.program(), w_, box, sj(f->text()));
    using K = EnterOutcome::Kind;
    switch (out.kind) {
    case K::Ignored:
        return;
    case K::Stored:
        f->setText(qs(out.fieldText));
        if (out.next)
            focusField(out.next);
        else
            btnSaiten->setFocus();
        return;
    case K::AskShowAnswer:
        f->clear();
        if (desk_.prompter().askYesNo(out.notice) == Yes)
            revealAnswer(box, ShowAnswer(w_.run, box));
        focusField(box);
        return;
    case K::Wrong:
        wrongAnswer(box, out);
        return;
    case K::Accepted:
        acceptedAnswer(out);
        return;
    }
}

void TfrmRenshu::wrongAnswer(int box, const EnterOutcome& out) {
    QLineEdit* f = field(box);
    relayoutPage();
    f->setText(qs(out.fieldText));
    if (!out.shownAnswers.empty()) {
        // The answer stays in view beside the next attempt.
        revealAnswer(box, out.shownAnswers);
        desk_.prompter().message(out.notice);
    } else {
        imgMessXX->line(0, qs(out.feedback), 14, Blue);
    }
    focusField(box);
    f->selectAll();
}

void TfrmRenshu::acceptedAnswer(const EnterOutcome& out) {
    relayoutPage();
    if (out.mark != MarkKind::Triangle) imgMessXX->line(0, qs(out.feedback), 18, Red);
    if (out.result) {
        runMarked(*out.result);
    } else if (out.reviewEnded) {
        reviewEnded();
    } else if (out.next) {
        focusField(out.next);
    }
}

void TfrmRenshu::btnSaitenClick() {
    std::vector<std::string> typed(static_cast<std::size_t>(MaxKran) + 1);
    for (int k = 1; k <= MaxKran; ++k)
        typed[static_cast<std::size_t>(k)] = sj(fields_[static_cast<std::size_t>(k)]->text());
    const MarkOutcome out = MarkTest(desk_.program(), w_, typed);
    if (out.kind == MarkOutcome::Kind::NothingTyped) {
        desk_.prompter().message(out.notice);
        focusField(curKran_ ? curKran_ : NextEmptyInTestOrder(w_.run));
        return;
    }
    if (out.result) runMarked(*out.result);
}

void TfrmRenshu::runMarked(const RunResult& result) {
    stopClock();
    const RecordedRun record = RecordRun(desk_.program(), *w_.sheet, result);
    if (!record.written) desk_.prompter().message(record.message);
    StampScore(w_, result);
    showBetweenRuns();
    relayoutPage();
    Random& random = desk_.program().platform.random;
    const Reaction reaction =
        ReactionFor(result.score, [&random](int n) { return random.below(n); });
    imgMess->clear();
    imgMess->setPicture(reactionPicture(reaction, devicePixelRatioF()));
    imgMess->setAccessibleDescription(QStringLiteral("%1点").arg(result.score));
    if (result.allCorrect) {
        desk_.congratulate();
        btnEnd->setFocus();
    } else {
        desk_.prompter().message(EndMessageText(result.kind));
        (btnFukushu->isEnabled() ? btnFukushu : btnEnd)->setFocus();
    }
}

void TfrmRenshu::reviewEnded() {
    showBetweenRuns();
    relayoutPage();
    desk_.prompter().message(EndMessageText(RunKind::Review));
    (btnFukushu->isEnabled() ? btnFukushu : btnEnd)->setFocus();
}

void TfrmRenshu::revealAnswer(int box, const std::vector<std::string>& answers) {
    if (answers.empty()) return;
    imgMessXX->line(0, QStringLiteral("正解は"), 18, Black);
    for (std::size_t i = 0; i < answers.size(); ++i)
        imgMessXX->line(static_cast<int>(i) + 2, qs(answers[i]), 18, Black);
    focusField(box);
}

void TfrmRenshu::btnAnswerClick() {
    revealAnswer(curKran_, ShowAnswer(w_.run, curKran_));
    focusField(curKran_);
}

void TfrmRenshu::btnHintClick() {
    drawHint();
    focusField(curKran_);
}

bool TfrmRenshu::drawHint() {
    if (w_.hint.empty()) return false;
    // Every line of the hint in view, as far as the panel has room.
    const int lines = static_cast<int>(w_.hint.size());
    imgMessXX->setFixedHeight(
        std::clamp(40 + 20 * lines, imgMessXX->height(), 3 * FeedbackHeight));
    imgMessXX->clear();
    imgMessXX->text(0, 0, QStringLiteral("学習のポイント"), 20, Black);
    for (std::size_t i = 0; i < w_.hint.size(); ++i)
        imgMessXX->text(0, 30 + 20 * static_cast<int>(i), qs(w_.hint[i]), 12, Black);
    return true;
}

void TfrmRenshu::btnAbortClick() {
    stopClock();
    AbandonRun(w_);
    showBetweenRuns();
    relayoutPage();
    imgMess->line(0, QStringLiteral("中止しました。"), 12, Black);
    btnRenshu->setFocus();
}

void TfrmRenshu::btnTouanClick() {
    if (ShowAnswerSheet(w_)) relayoutPage();
}

void TfrmRenshu::btnSeikaiClick() {
    if (ShowCorrectAnswers(w_)) relayoutPage();
}

void TfrmRenshu::btnStartPrintClick() {
    if (!w_.sheet || w_.run.phase == RunPhase::Running) return;
    Program& p = desk_.program();
    BeginLearnerSheet(p, w_);
    desk_.printPage([this]() -> Bitmap {
        // The learner's sheet at one pixel per layout unit, with the score.
        const PracticePage shown = w_.page;
        w_.page = PracticePage::AnswerSheet;
        QImage sheet =
            makePageImage(std::max(1, w_.sheet->paper.Width), std::max(1, w_.sheet->paper.Height));
        {
            QtCanvas canvas(sheet);
            LayOutPracticePage(desk_.program(), w_, canvas);
        }
        w_.page = shown;
        return canvasBitmapOf(sheet, sheet.rect());
    });
    EndLearnerSheet(p, w_);
    // The worksheet's own page shows its questions again.
    Relayout(p, *w_.sheet);
    relayoutPage();
}

void TfrmRenshu::btnShowRecordClick() {
    desk_.showRecords();
    showRecords();
}

void TfrmRenshu::btnEndClick() {
    scroll_->verticalScrollBar()->setValue(0);
    close();
}

void TfrmRenshu::lstKgroupClick() {
    QListWidgetItem* item = lstKgroup->currentItem();
    if (!item || !currentField()) return;
    setFieldText(item->text());
}

void TfrmRenshu::btnNext2Click() {
    answerEnter(curKran_);
}

void TfrmRenshu::btnClear2Click() {
    setFieldText(QString());
}

void TfrmRenshu::chkInputModeClick() {
    ChooseInputMode(desk_.program(), w_,
                    InputMode{chkKaitou->isChecked(), chkRandom->isChecked()});
    if (w_.run.phase == RunPhase::Running && w_.run.kind != RunKind::Memorise) showInputWay();
    if (QLineEdit* f = currentField()) f->setFocus();
}

void TfrmRenshu::imgMessClick() {
    if (w_.score >= 0) imgMess->setPicture(reactionPicture(Reaction::Gaoh, devicePixelRatioF()));
}

void TfrmRenshu::setFieldText(const QString& text, bool atEnd) {
    QLineEdit* f = currentField();
    if (!f) return;
    f->setText(text);
    if (atEnd) f->end(false);
    f->setFocus();
}

void TfrmRenshu::padChanged() {
    pnlBunsu->showPad(w_.pad);
    if (QLineEdit* f = currentField()) f->setFocus();
}

bool TfrmRenshu::eventFilter(QObject* watched, QEvent* event) {
    // Enter presses the button that has the focus (採点 after a test's last answer); a key
    // held down presses it once.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Memorising from the keyboard: Enter in a box erases it and goes on.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            w_.run.phase == RunPhase::Running && w_.run.kind == RunKind::Memorise &&
            qobject_cast<QLineEdit*>(watched)) {
            if (!key->isAutoRepeat()) btnNextAClick();
            return true;
        }
        auto* b = qobject_cast<QPushButton*>(watched);
        if (b && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (!key->isAutoRepeat() && b->isEnabled()) b->click();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn)
        for (int k = 1; k <= MaxKran; ++k)
            if (watched == fields_[static_cast<std::size_t>(k)]) curKran_ = k;
    return QDialog::eventFilter(watched, event);
}

void TfrmRenshu::keyPressEvent(QKeyEvent* event) {
    // Escape closes the window between runs; during a run it would lose the answers.
    if (event->key() == Qt::Key_Escape && w_.run.phase == RunPhase::Running) {
        event->accept();
        return;
    }
    // Enter never presses a button the learner did not choose.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
