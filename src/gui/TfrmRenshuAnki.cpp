// The practice window's memorise run (暗記): the page shows the answers, and the pupil steps
// through the boxes, erasing the answers learnt (an empty field over the box) or keeping
// them. Nothing is marked or recorded.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/MessagePicture.h"
#include "gui/TfrmRenshu.h"
#include "gui/UiText.h"
#include "platform/Timer.h"

namespace {
const QColor Blue(0, 0, 255), Black(0, 0, 0);
// The feedback area holds the hint and the other answers of a box while memorising.
constexpr int MemoriseFeedbackHeight = 200;
} // namespace

void TfrmRenshu::btnAnkiClick() {
    const int first = BeginMemorise(w_);
    if (w_.run.phase != RunPhase::Running) return;
    stopClock();
    for (int k = 1; k <= MaxKran; ++k) {
        QLineEdit* f = fields_[static_cast<std::size_t>(k)];
        f->clear();
        f->setReadOnly(true);
        // Tab goes to the memorise buttons, not from box to box.
        f->setFocusPolicy(Qt::ClickFocus);
    }
    pnlKiroku->hide();
    pnlRenshu->hide();
    grbTest->hide();
    showInputWay();
    pnlAnki->show();
    showAnswerPanel();
    btnSeikai->setEnabled(false);
    btnTouan->setEnabled(false);
    btnFukushu->setEnabled(false);
    imgMessXX->setFixedHeight(MemoriseFeedbackHeight);
    imgMessXX->clear();
    drawHint();
    scroll_->verticalScrollBar()->setValue(0);
    relayoutPage();
    showMemorised(first);
    if (!first) btnClose->setFocus();
}

void TfrmRenshu::showMemorised(int box) {
    for (int k = 1; k <= MaxKran; ++k) {
        QLineEdit* f = fields_[static_cast<std::size_t>(k)];
        f->setText(k <= w_.run.count ? qs(w_.run.boxes[static_cast<std::size_t>(k)].typed)
                                     : QString());
    }
    placeFields();
    QLineEdit* f = field(box);
    if (!f || f->isHidden()) return;
    focusField(box);
    f->setCursorPosition(0);
    listOtherAnswers(box);
}

void TfrmRenshu::listOtherAnswers(int box) {
    const Lines others = OtherAnswers(w_, box);
    if (others.empty()) {
        // A box with one answer: the list of the box before it must not stay.
        if (!drawHint()) imgMessXX->clear();
        return;
    }
    imgMessXX->line(0, QStringLiteral("別解は"), 14, Black);
    for (std::size_t i = 0; i < others.size(); ++i)
        imgMessXX->line(static_cast<int>(i) + 1, qs(others[i]), 14, Blue);
}

void TfrmRenshu::btnNextAClick() {
    MemoriseAt(w_.run, curKran_);
    showMemorised(MemoriseNext(w_.run, true));
}

void TfrmRenshu::btnNextBClick() {
    MemoriseAt(w_.run, curKran_);
    showMemorised(MemoriseNext(w_.run, false));
}

void TfrmRenshu::btnShowClick() {
    // Every field put away: the page shows every answer.
    MemoriseShowAll(w_.run);
    showMemorised(0);
    curKran_ = w_.run.curKran;
    if (!drawHint()) imgMessXX->clear();
}

void TfrmRenshu::btnAllClearClick() {
    showMemorised(MemoriseClearAll(w_.run));
}

void TfrmRenshu::btnCloseClick() {
    if (w_.run.kind != RunKind::Memorise) return;
    EndMemorising(w_);
    showBetweenRuns();
    relayoutPage();
    imgMess->clear();
    imgMess->line(0, QStringLiteral("　次は［練習です］"), 14, Blue);
    btnRenshu->setFocus();
}
