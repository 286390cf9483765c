// The keyboard's walk through the main window. Tab and Shift+Tab go round the command
// panel (an open pop-up's buttons right after the button that opened it, the tips panel's
// buttons first while it is shown) and the worksheet in front, and back to the panel. The
// title window and the worksheets behind are never entered, so the focus moving on (a
// pressed button that hides or is disabled, a closed panel) never brings another window
// to the front.
#include <QApplication>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"

namespace {

bool takesTab(const QWidget* w) {
    return w && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
}

// The tab stops among the descendants of root, in the window's focus order.
QList<QWidget*> stopsIn(QWidget* root) {
    QList<QWidget*> out;
    for (QWidget* w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        if (!root->isAncestorOf(w)) continue;
        if (out.contains(w)) break;
        // A spin box's own edit field hands its focus to the spin box.
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) out << w;
    }
    return out;
}

} // namespace

QList<QWidget*> TfrmMain::tabStops() const {
    QList<QWidget*> stops;
    if (grbDoYouKnow->isVisible()) stops << stopsIn(grbDoYouKnow);
    const QList<QWidget*> panel = stopsIn(pnlMain);
    const QList<QWidget*> save = stopsIn(pnlSave);
    const QList<QWidget*> edit = stopsIn(pnlEdit);
    for (QWidget* w : panel) {
        stops << w;
        if (w == btnSave) stops << save;
        if (w == btnEdit) stops << edit;
    }
    if (QWidget* sheet = activeWorksheetWindow()) {
        auto* frame = qobject_cast<QMdiSubWindow*>(sheet->parentWidget());
        if (frame && !frame->isMinimized()) {
            if (sheet->focusPolicy() & Qt::TabFocus) stops << sheet;
            stops << stopsIn(sheet);
        }
    }
    return stops;
}

bool TfrmMain::focusNextPrevChild(bool next) {
    return cycleFocus(next);
}

bool TfrmMain::cycleFocus(bool next) {
    const QList<QWidget*> stops = tabStops();
    QWidget* from = QApplication::focusWidget();
    // A pop-up or panel that is going away hands the focus back where it came from.
    auto goneFrom = [&](QWidget* panel) {
        return from && panel->isAncestorOf(from) && !panel->isVisible();
    };
    QWidget* back = nullptr;
    if (goneFrom(pnlSave)) back = btnSave;
    if (goneFrom(pnlEdit)) back = btnEdit;
    if (goneFrom(grbDoYouKnow) || goneFrom(pnlCopy)) {
        back = activeWorksheetWindow();
        if (!takesTab(back)) back = btnTest;
    }
    const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    if (takesTab(back)) {
        back->setFocus(reason);
        return true;
    }
    if (stops.isEmpty()) return false;
    qsizetype at = -1;
    for (qsizetype i = 0; i < stops.size() && at < 0; ++i)
        if (stops[i] == from || (from && stops[i]->isAncestorOf(from))) at = i;
    const qsizetype n = stops.size();
    if (at < 0) at = next ? -1 : n;
    for (qsizetype step = 1; step <= n; ++step) {
        QWidget* w = stops[((at + (next ? step : -step)) % n + n) % n];
        if (takesTab(w)) {
            w->setFocus(reason);
            return true;
        }
    }
    return false;
}
