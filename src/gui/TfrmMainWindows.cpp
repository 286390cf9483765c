// The main window's side of the worksheet windows: adding them to the frame, the active
// one, and forgetting a closed one.
#include <QMdiArea>

#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"

void TfrmMain::addWorksheetWindow(TfrmPrint*) {}
void TfrmMain::worksheetWindowClosed(TfrmPrint*) {}
TfrmPrint* TfrmMain::activeWorksheetWindow() const {
    return nullptr;
}
