// The main window's start-up, the student/teacher lock, the key handler, the tips panel
// and the refresh of its controls from the program state.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmPrintMode.h"
#include "gui/UiText.h"
#include "qt/CanvasImages.h"
#include "shell/Commands.h"
#include "shell/Startup.h"

namespace {

// A key that types a character: it goes on to the focused control.
bool typesText(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        return true;
    const QString text = e->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (started_) return;
    started_ = true;
    formShow();
}

void TfrmMain::formShow() {
    Program& p = desk_.program();
    StartupOutcome out = RunStartup(p, desk_.settings());
    if (out.end == StartupOutcome::End::NoCourse) {
        // Without a course index the program ends.
        ended_ = true;
        desk_.setExitCode(1);
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    desk_.setTitlePicture(pictureAtRatio(out.titlePicture, devicePixelRatioF()));
    btnKaitou->setEnabled(true);
    showAnswerGlyph();
    chkNextTime->setChecked(p.shell.showDoYouKnow);
    grbDoYouKnow->hide();
    desk_.selectPrintMode(p.sheets.printerResolution);
    refreshControls();
    // The tips panel stands in the middle of the frame, in pale green.
    const int top = (height() - grbDoYouKnow->height() - 80) / 2;
    const int left =
        (width() - pnlMain->width() - grbDoYouKnow->width() - 10) / 2 + pnlMain->width();
    grbDoYouKnow->move(left, std::max(top, 0));
    QPalette green = grbDoYouKnow->palette();
    green.setColor(QPalette::Window, QColor(192, 255, 192));
    grbDoYouKnow->setPalette(green);
    desk_.showTitle();
    showLearner();
    applyLock(p.session.keyLock);
    btnTest->setFocus();
}

void TfrmMain::applyLock(bool locked) {
    ApplyKeyLock(desk_.program(), desk_.settings(), locked);
    btnLock->setText(locked ? QStringLiteral("生徒用") : QStringLiteral("先生用"));
    btnLock->setIcon(glyph(locked ? "lockshut" : "lockopen", 20, devicePixelRatioF()));
    QWidget* const editing[] = {btnFpClose, btnOpenMaster, btnSave,   btnStartPrint, btnEdit,
                                btnKran,    chkBekkai,     btnKaitou, spnGyouSpace,  spnMojiSize,
                                pnlCopy,    lblGyouSpace,  lblMoji,   lblSize};
    for (QWidget* w : editing)
        w->setVisible(!locked);
    for (QMenu* m : {mnuFile, mnuEditMenu, mnuMainWin})
        m->menuAction()->setVisible(!locked);
    mnuDoYouKnow->setVisible(!locked);
    for (QMdiSubWindow* frame : mdi_->subWindowList())
        if (auto* sheet = qobject_cast<TfrmPrint*>(frame->widget())) sheet->applyLock(locked);
    showAnswerGlyph(); // locking turned the answers off
    hidePopups();
    if (locked) grbDoYouKnow->hide();
}

bool TfrmMain::handleKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnTestClick();
        return true;
    case Qt::Key_Escape:
        if (mods == Qt::ShiftModifier) {
            mnuExitClick();
        } else if (pnlSave->isVisible() || pnlEdit->isVisible()) {
            hidePopups(); // an open pop-up goes first
        } else {
            btnFpCloseClick();
        }
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab stays the frame's walk through its windows.
        if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
        return cycleFocus(e->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        btnScrollClick();
        return true;
    case Qt::Key_C:
        if (mods == Qt::ControlModifier && btnCopy->isEnabled()) {
            btnCopyClick();
            return true;
        }
        break;
    default:
        break;
    }
    // Every other key-down is consumed too (arrows never step the spins); typed
    // characters still reach the focused control.
    return !typesText(e);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // In every window, a spin that loses the focus drops its selection (a dialog that
    // closes with one selected would show it beside the focused control next time).
    if (event->type() == QEvent::FocusOut)
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(watched))
            if (auto* edit = spin->findChild<QLineEdit*>()) edit->deselect();
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && isVisible() && !ended_)
            return handleKey(static_cast<QKeyEvent*>(event));
        return false;
    }
    const bool movedOnPanel = event->type() == QEvent::MouseMove && watched == pnlMain;
    if (event->type() == QEvent::Enter || movedOnPanel) {
        // The mouse moving on over the panel (anywhere but the button that opened the
        // pop-up) or over the frame's free area closes the pop-ups.
        auto* w = qobject_cast<QWidget*>(watched);
        const bool onPanel = w && (w == pnlMain || pnlMain->isAncestorOf(w));
        if ((onPanel && w != btnSave && w != btnEdit) || watched == mdi_->viewport()) hidePopups();
        if (watched == btnSaveCopy || watched == btnEditMaster || watched == btnEditCopy ||
            (watched == btnSaveMaster && btnSaveMaster->isEnabled()))
            static_cast<QWidget*>(watched)->setFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QMainWindow::keyPressEvent(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Every worksheet is asked to close first; one the user keeps open keeps the program.
    if (!ended_) mnuCloseAllClick();
    if (desk_.program().sheets.count > 0) {
        event->ignore();
        return;
    }
    qApp->removeEventFilter(this);
    event->accept();
}

void TfrmMain::hidePopups() {
    pnlSave->hide();
    pnlEdit->hide();
}

void TfrmMain::showAnswerGlyph() {
    btnKaitou->setIcon(
        glyph(desk_.program().sheets.answersShown ? "red" : "dred", 20, devicePixelRatioF()));
}

void TfrmMain::refreshControls() {
    const Program& p = desk_.program();
    const WorksheetState& sheets = p.sheets;
    QSignalBlocker b1(spnGyouSpace), b2(spnMojiSize), b3(spnGyoukanSub), b4(spnKranWX),
        b5(chkBekkai), b6(cmbRetsuX), b7(radB5), b8(radA4), b9(radB4), b10(radA3);
    // The spins show the worksheet in front; without one they keep what they showed.
    if (const Worksheet* sheet = sheets.current) {
        spnGyouSpace->setValue(sheet->LineSpace);
        spnMojiSize->setValue(sheet->FontSize);
        const KranSettings& kran = sheet->kranSettings();
        spnGyoukanSub->setValue(kran.secondarySpacing);
        spnKranWX->setValue(kran.width);
        cmbRetsuX->setCurrentIndex(std::clamp(kran.columns, 0, 2));
    }
    chkBekkai->setChecked(sheets.pageOptions.alternatives);
    QRadioButton* paper = sheets.paperChoice == 546   ? radB5
                          : sheets.paperChoice == 771 ? radB4
                          : sheets.paperChoice == 891 ? radA3
                                                      : radA4;
    paper->setChecked(true);
    btnShukusho->setText(sheets.reducedView ? QStringLiteral("拡大") : QStringLiteral("縮小"));
    btnShukusho->setIcon(glyph(sheets.reducedView ? "marugr" : "maruyl", 20, devicePixelRatioF()));
    showAnswerGlyph();
    refreshWindowList();
}

void TfrmMain::setRegionMarked(bool marked) {
    btnCopy->setEnabled(marked);
    btnCancel->setEnabled(marked);
}

bool TfrmMain::answersSwitchable() const {
    return btnKaitou->isEnabled();
}

QString TfrmMain::reducedViewCaption() const {
    return btnShukusho->text();
}

QRect TfrmMain::commandPanelArea() const {
    return QRect(pnlMain->mapToGlobal(QPoint(0, 0)), pnlMain->size());
}

void TfrmMain::refreshWindowList() {
    lstWindow->clear();
    for (const std::string& key : desk_.program().sheets.windowList)
        lstWindow->addItem(qs(key));
}

void TfrmMain::refreshWindowMenu() {
    const bool any = desk_.program().sheets.count > 0;
    for (QAction* a : windowItems_)
        a->setEnabled(any);
    // Below the four items: every child window, the active one checked.
    const QList<QAction*> actions = mnuMainWin->actions();
    for (int i = windowItems_.size(); i < actions.size(); ++i) {
        mnuMainWin->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> subs = mdi_->subWindowList();
    if (!subs.isEmpty()) mnuMainWin->addSeparator();
    int n = 1;
    for (QMdiSubWindow* sub : subs) {
        const QString text =
            n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(sub->windowTitle()) : sub->windowTitle();
        QAction* a =
            mnuMainWin->addAction(text, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
        a->setCheckable(true);
        a->setChecked(sub == mdi_->activeSubWindow());
        ++n;
    }
}

void TfrmMain::mnuDoYouKnowClick() {
    grbDoYouKnow->show();
    grbDoYouKnow->raise();
    btnCloseTips->setFocus();
}

void TfrmMain::btnCloseTipsClick() {
    desk_.settings().setShowDoYouKnow(chkNextTime->isChecked());
    grbDoYouKnow->hide();
    if (desk_.program().sheets.count == 0) desk_.showTitleButton();
}

void TfrmMain::tipClicked(int topic) {
    desk_.showHelp(topic);
}
