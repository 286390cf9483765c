// The main window's commands: each hands its work to the core and shows the result.
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QUrl>

#include "formats/CourseIndex.h"
#include "gui/Desk.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmJuku.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmMenu.h"
#include "gui/TfrmOpenPRP.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmPrintMode.h"
#include "gui/TfrmPrintOk.h"
#include "gui/TfrmReadUnit.h"
#include "gui/TfrmSetPaper.h"
#include "gui/TfrmSettei.h"
#include "gui/UiText.h"
#include "qt/QtFiles.h"
#include "shell/Commands.h"
#include "shell/OpenFlows.h"
#include "shell/Prompts.h"
#include "shell/SaveName.h"
#include "shell/SaveSteps.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

Worksheet* TfrmMain::activeSheet() const {
    return desk_.program().sheets.current;
}

void TfrmMain::retitle(Worksheet& sheet) {
    if (TfrmPrint* window = desk_.windowOf(sheet)) window->refreshCaption();
    refreshWindowList();
}

bool TfrmMain::closeWorksheet(Worksheet& sheet) {
    if (TfrmPrint* window = desk_.windowOf(sheet)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        return sub ? sub->close() : window->close();
    }
    // A worksheet without a window of its own closes through the same question.
    const bool closed = TryCloseWorksheet(desk_.program(), sheet, [this](Worksheet& s) {
        return s.masterFlag ? overwriteSave(s) : saveAs(s);
    });
    refreshWindowList();
    return closed;
}

bool TfrmMain::overwriteSave(Worksheet& sheet) {
    if (!sheet.masterFlag) return false;
    return OverwriteUnit(desk_.program(), sheet);
}

bool TfrmMain::saveAs(Worksheet& sheet) {
    Program& p = desk_.program();
    const std::string proposed = ProposedSaveName(sheet);
    auto choose = [this, &p, &proposed](const std::string& start) -> std::optional<std::string> {
        for (;;) {
            std::optional<QString> chosen = desk_.fileDialogs().saveFileName(
                this, QStringLiteral("名前を付けて保存"), QtFiles::toNative(start + proposed),
                QStringLiteral("ワークシート (*.prp)"));
            if (!chosen) return std::nullopt;
            if (std::optional<std::string> core = QtFiles::toCorePath(*chosen)) return core;
            p.platform.prompter.message(sj(*chosen) + J(" は使えない文字を含むため使えません"));
        }
    };
    const bool saved = SaveWorksheetAs(p, sheet, choose);
    retitle(sheet);
    return saved;
}

bool TfrmMain::openMaster() {
    Program& p = desk_.program();
    OpenMasterHooks hooks;
    hooks.showMenu = [this] { return desk_.menu->execMenu(); };
    hooks.newUnitEditor = desk_.later.newUnitEditor;
    const bool opened = OpenMaster(p, hooks);
    refreshControls();
    return opened;
}

void TfrmMain::btnFpCloseClick() {
    if (Worksheet* sheet = activeSheet()) closeWorksheet(*sheet);
}

void TfrmMain::btnOpenMasterClick() {
    hidePopups();
    if (openMaster() && activeSheet()) activeSheet()->Modified = false;
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
    hidePopups();
    if (Worksheet* sheet = activeSheet()) overwriteSave(*sheet);
}

void TfrmMain::btnSaveCopyClick() {
    hidePopups();
    if (Worksheet* sheet = activeSheet()) saveAs(*sheet);
}

void TfrmMain::btnStartPrintClick() {
    if (!activeSheet()) return;
    desk_.printOk->openForActive();
}

void TfrmMain::btnEditClick() {
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
    hidePopups();
    Worksheet* sheet = activeSheet();
    if (sheet && desk_.readUnit->editCopy(*sheet)) retitle(*sheet);
}

void TfrmMain::btnTestClick() {
    StudyHooks hooks;
    hooks.openMaster = [this] {
        hidePopups();
        return openMaster();
    };
    hooks.scrollToTop = [this](Worksheet& s) {
        if (TfrmPrint* window = desk_.windowOf(s)) window->scrollToTop();
    };
    hooks.practice = desk_.later.practice;
    hooks.closeSheet = [this](Worksheet& s) { closeWorksheet(s); };
    hooks.answersChanged = [this] { showAnswerGlyph(); };
    RunStudy(desk_.program(), hooks);
}

void TfrmMain::btnLogOnClick() {
    if (desk_.later.logOn)
        desk_.later.logOn();
    else
        SayNotInThisVersion(desk_.program(), "学習者の登録");
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
    hidePopups();
    desk_.settei->openForActive();
}

void TfrmMain::btnCopyClick() {
    TfrmPrint* window = activeWorksheetWindow();
    if (!window || !activeSheet()) return;
    if (window->hasMarkedRegion()) window->copyMarkedRegion();
    setRegionMarked(false);
}

void TfrmMain::btnCancelClick() {
    if (TfrmPrint* window = activeWorksheetWindow()) window->dropMark();
    setRegionMarked(false);
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
    if (RefuseWhileWorksheetsOpen(desk_.program())) return;
    if (desk_.later.indexEditor) desk_.later.indexEditor();
}

void TfrmMain::mnuSchoolClick() {
    desk_.juku->showDialog();
}

void TfrmMain::mnuPrintModeClick() {
    desk_.printMode->openForActive();
}

void TfrmMain::mnuSetPaperClick() {
    desk_.setPaper->openForActive();
}

void TfrmMain::mnuCloseAllClick() {
    CloseAllWorksheets(desk_.program(), [this](Worksheet& s) { return closeWorksheet(s); });
    refreshWindowList();
}

void TfrmMain::mnuExitClick() {
    close();
}

void TfrmMain::btnOpenCopyClick() {
    hidePopups();
    OpenCopy(desk_.program(), [this] { return desk_.openPrp->choose(); });
    refreshControls();
}

void TfrmMain::btnAddClick() {
    AddUnits(desk_.program(), [this] { return desk_.menu->execMenu(); });
    if (Worksheet* sheet = activeSheet()) retitle(*sheet);
}

void TfrmMain::mnuHosokuClick() {
    Program& p = desk_.program();
    const std::string path = p.course.masterFolder + "hosoku.htm";
    if (!FileExistsOrSay(p, path)) return;
    // The course's notes are Shift-JIS: decoded here and shown in the help window.
    std::string bytes;
    if (p.platform.files.read(path, bytes) != ReadStatus::Ok) {
        p.platform.prompter.message(ReadErrorText(path));
        return;
    }
    desk_.helpWindow().showDocument(qs(bytes),
                                    QUrl::fromLocalFile(QtFiles::toNative(p.course.masterFolder)));
}
