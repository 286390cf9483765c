// The main window's side of the worksheet windows: adding them to the frame, the active
// one, and forgetting a closed one.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"

void TfrmMain::addWorksheetWindow(TfrmPrint* window) {
    window->applyLock(desk_.program().session.keyLock);
    QMdiSubWindow* frame = mdi_->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setGeometry(QRect(QPoint(0, 0), childSize()));
    frame->show();
}

void TfrmMain::worksheetWindowClosed(TfrmPrint*) {
    // The window has dropped its marked region already.
    refreshControls();
}

QWidget* TfrmMain::activeWorksheetWindow() const {
    return desk_.frontWorksheetWindow();
}

void TfrmMain::mnuCascadeClick() {
    // The frame's own cascade shrinks every window to its smallest size; each then gets
    // the width that shows its whole page, down to the frame's bottom edge.
    mdi_->cascadeSubWindows();
    const QRect area = mdi_->viewport()->rect();
    for (QMdiSubWindow* frame : mdi_->subWindowList()) {
        if (!frame->isVisible() || frame->isMinimized()) continue;
        QSize wanted = childSize();
        if (auto* sheet = qobject_cast<TfrmPrint*>(frame->widget()))
            wanted = QSize(sheet->widthForPage() + frame->width() - sheet->width(), area.height());
        const QPoint at = frame->pos();
        frame->resize(wanted.boundedTo(QSize(area.width() - at.x(), area.height() - at.y())));
    }
}
