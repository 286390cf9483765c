// The main window's commands: each is a desk command (DeskCommands.cpp), run from the
// command panel, the menus and the keys alike; the save and edit choices are the main
// window's own pop-up panels.
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/UiText.h"
#include "shell/Commands.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

Worksheet* TfrmMain::activeSheet() const {
    return desk_.program().sheets.current;
}

void TfrmMain::btnFpCloseClick() {
    if (Worksheet* sheet = activeSheet()) desk_.closeWorksheet(*sheet);
}

void TfrmMain::btnOpenMasterClick() {
    desk_.run(Desk::Command::OpenUnit);
}

void TfrmMain::btnSaveClick() {
    Worksheet* sheet = activeSheet();
    if (!sheet) return;
    btnSaveMaster->setEnabled(sheet->masterFlag);
    pnlSave->move(btnSave->x() + btnSave->width() - 30, btnSave->y() - 5);
    pnlSave->show();
    pnlSave->raise();
    // Pressed from the keyboard: the choices take the focus.
    if (btnSave->hasFocus()) (sheet->masterFlag ? btnSaveMaster : btnSaveCopy)->setFocus();
}

void TfrmMain::btnSaveMasterClick() {
    desk_.run(Desk::Command::SaveOver);
}

void TfrmMain::btnSaveCopyClick() {
    desk_.run(Desk::Command::SaveCopy);
}

void TfrmMain::btnStartPrintClick() {
    desk_.run(Desk::Command::Print);
}

void TfrmMain::btnEditClick() {
    desk_.run(Desk::Command::EditChoices);
}

void TfrmMain::showEditChoices() {
    Worksheet* sheet = activeSheet();
    if (!sheet) return;
    // The choice between the course unit (question editor) and this copy of it.
    btnEditMaster->setEnabled(sheet->unitRef.Section >= 1);
    pnlEdit->move(btnEdit->x() + btnEdit->width() - 30, btnEdit->y() - 5);
    pnlEdit->show();
    pnlEdit->raise();
    if (btnEdit->hasFocus()) (btnEditMaster->isEnabled() ? btnEditMaster : btnEditCopy)->setFocus();
}

void TfrmMain::btnEditCopyClick() {
    desk_.run(Desk::Command::EditCopy);
}

void TfrmMain::btnTestClick() {
    desk_.run(Desk::Command::Study);
}

void TfrmMain::btnLogOnClick() {
    desk_.run(Desk::Command::LogOn);
}

void TfrmMain::showLearner() {
    edtLogOnName->setText(qs(desk_.program().session.learnerName));
}

void TfrmMain::btnKaitouClick() {
    desk_.toggleAnswers();
}

void TfrmMain::chkBekkaiClick() {
    SetBekkai(desk_.program(), chkBekkai->isChecked());
}

void TfrmMain::btnKranClick() {
    desk_.run(Desk::Command::LayoutSettings);
}

void TfrmMain::btnCopyClick() {
    desk_.copyMarkedRegion();
}

void TfrmMain::btnCancelClick() {
    desk_.dropMark();
}

void TfrmMain::btnShukushoClick() {
    desk_.toggleReducedView();
}

void TfrmMain::btnScrollClick() {
    desk_.scrollPage();
}

void TfrmMain::btnLockClick() {
    applyLock(!desk_.program().session.keyLock);
}

void TfrmMain::mnuIndexClick() {
    desk_.run(Desk::Command::MakeIndex);
}

void TfrmMain::mnuClassClick() {
    desk_.run(Desk::Command::ClassRecords);
}

void TfrmMain::mnuSchoolClick() {
    desk_.run(Desk::Command::SchoolName);
}

void TfrmMain::mnuCloseAllClick() {
    CloseAllWorksheets(desk_.program(), [this](Worksheet& s) { return desk_.closeWorksheet(s); });
    refreshWindowList();
}

void TfrmMain::mnuExitClick() {
    close();
}

void TfrmMain::btnOpenCopyClick() {
    desk_.run(Desk::Command::OpenCopy);
}

void TfrmMain::btnAddClick() {
    desk_.run(Desk::Command::AddUnits);
}

void TfrmMain::mnuHosokuClick() {
    desk_.run(Desk::Command::CourseNotes);
}
