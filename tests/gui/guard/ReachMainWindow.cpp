// Must not compile: a window takes the main window from the desk and works its controls.
#include "gui/Desk.h"
#include "gui/TfrmMain.h"

void refreshTheMainWindow(Desk& desk) {
    desk.main_->refreshControls();
    desk.main_->btnKaitouClick();
}
