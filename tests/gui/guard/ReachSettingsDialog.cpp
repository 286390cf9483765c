// Must not compile: a window finds a control inside the layout settings dialog.
#include <QWidget>

#include "gui/Desk.h"
#include "gui/TfrmSettei.h"

void pressEnlarge(Desk& desk) {
    desk.settei_->findChild<QWidget*>(QStringLiteral("btnKakudai"));
}
