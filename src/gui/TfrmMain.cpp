#include "gui/TfrmMain.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>

#include "gui/Desk.h"
#include "gui/TfrmPrint.h"

TfrmMain::TfrmMain(Desk& desk) : desk_(desk) {
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("Velmix++ 数学問題集２・１次方程式"));
    mdi_ = new QMdiArea(this);
    setCentralWidget(mdi_);
}

TfrmMain::~TfrmMain() = default;

QSize TfrmMain::childSize() const {
    return mdi_->size();
}

bool TfrmMain::handleKey(QKeyEvent*) {
    return false;
}

void TfrmMain::refreshControls() {}
void TfrmMain::setRegionMarked(bool) {}

void TfrmMain::btnFpCloseClick() {}
void TfrmMain::btnOpenMasterClick() {}
void TfrmMain::btnSaveClick() {}
void TfrmMain::btnSaveMasterClick() {}
void TfrmMain::btnSaveCopyClick() {}
void TfrmMain::btnStartPrintClick() {}
void TfrmMain::btnEditClick() {}
void TfrmMain::btnTestClick() {}
void TfrmMain::btnLogOnClick() {}
void TfrmMain::btnKaitouClick() {}
void TfrmMain::chkBekkaiClick() {}
void TfrmMain::btnKranClick() {}
void TfrmMain::btnCopyClick() {}
void TfrmMain::btnCancelClick() {}
void TfrmMain::btnShukushoClick() {}
void TfrmMain::btnScrollClick() {}
void TfrmMain::btnLockClick() {}
void TfrmMain::mnuIndexClick() {}
void TfrmMain::mnuSchoolClick() {}
void TfrmMain::mnuPrintModeClick() {}
void TfrmMain::mnuSetPaperClick() {}
void TfrmMain::mnuCloseAllClick() {}
void TfrmMain::mnuExitClick() {
    close();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    started_ = true;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    event->accept();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QMainWindow::keyPressEvent(event);
}
