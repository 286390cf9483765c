// The main window's side of the worksheet windows: adding them to the frame, the active
// one, and forgetting a closed one.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"
#include "shell/Program.h"

void TfrmMain::addWorksheetWindow(TfrmPrint* window) {
    window->applyLock(desk_.program().shell.keyLock);
    QMdiSubWindow* frame = mdi_->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setGeometry(QRect(QPoint(0, 0), childSize()));
    frame->show();
}

void TfrmMain::worksheetWindowClosed(TfrmPrint*) {
    // The window has dropped its marked region already.
    refreshControls();
}

TfrmPrint* TfrmMain::activeWorksheetWindow() const {
    const Worksheet* sheet = desk_.program().sheets.current;
    return sheet ? desk_.windowOf(*sheet) : nullptr;
}
