// The program's commands and the verbs the windows ask of each other. Each command hands
// its work to the core and has the windows show the result; the main window's panel and
// menus, the worksheet menus and the keys all come here.
#include <QMdiSubWindow>
#include <QUrl>

#include "gui/Desk.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmEditIndex.h"
#include "gui/TfrmEditQues.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmInputName.h"
#include "gui/TfrmJuku.h"
#include "gui/TfrmClass.h"
#include "gui/TfrmKiroku.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmMenu.h"
#include "gui/TfrmOpenPRP.h"
#include "gui/TfrmPassword.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmPrintMode.h"
#include "gui/TfrmPrintOk.h"
#include "gui/TfrmReadUnit.h"
#include "gui/TfrmRenshu.h"
#include "gui/TfrmSetPaper.h"
#include "gui/TfrmSettei.h"
#include "gui/TfrmVersion.h"
#include "gui/TfrmZenSeikai.h"
#include "gui/TfrmZenTangen.h"
#include "gui/UiText.h"
#include "qt/QtFiles.h"
#include "shell/Commands.h"
#include "shell/EditorSteps.h"
#include "shell/OpenFlows.h"
#include "shell/Prompts.h"
#include "shell/SaveName.h"
#include "shell/SaveSteps.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"

void Desk::run(Command command) {
    if (!main_) return;
    Worksheet* sheet = program_->sheets.current;
    switch (command) {
    case Command::OpenUnit:
        main_->hidePopups();
        if (openUnit() && program_->sheets.current) program_->sheets.current->Modified = false;
        break;
    case Command::OpenCopy:
        openCopy();
        break;
    case Command::AddUnits:
        addUnits();
        break;
    case Command::SaveOver:
        main_->hidePopups();
        if (sheet) saveOver(*sheet);
        break;
    case Command::SaveCopy:
        main_->hidePopups();
        if (sheet) saveCopy(*sheet);
        break;
    case Command::Print:
        if (!sheet) break;
        printActive();
        break;
    case Command::Exit:
        main_->close();
        break;
    case Command::MakeIndex:
        makeIndex();
        break;
    case Command::SchoolName:
        made(juku_, main_).showDialog();
        break;
    case Command::EditChoices:
        main_->showEditChoices();
        break;
    case Command::EditUnit:
        main_->hidePopups();
        editUnit();
        break;
    case Command::EditCopy:
        editCopy();
        break;
    case Command::Study:
        study();
        break;
    case Command::LogOn:
        logOn();
        break;
    case Command::PrintMode:
        made(printMode_, main_).openForActive();
        break;
    case Command::LayoutSettings:
        main_->hidePopups();
        made(settei_, main_).openForActive();
        break;
    case Command::PaperSettings:
        made(setPaper_, main_).openForActive();
        break;
    case Command::CourseNotes:
        courseNotes();
        break;
    case Command::Version:
        made(version_, main_).showBox();
        break;
    case Command::UnitOverview:
        made(zenTangen_, main_).showOverview();
        break;
    case Command::Records:
        showRecords();
        break;
    case Command::ClassRecords:
        showClass();
        break;
    }
}

bool Desk::openUnit() {
    OpenMasterHooks hooks;
    hooks.showMenu = [this] { return chooseUnits(); };
    hooks.newUnitEditor = [this] { return editNewUnit(); };
    const bool opened = OpenMaster(*program_, hooks);
    main_->refreshControls();
    return opened;
}

void Desk::openCopy() {
    main_->hidePopups();
    OpenCopy(*program_, [this] { return made(openPrp_, main_).choose(); });
    main_->refreshControls();
}

void Desk::addUnits() {
    AddUnits(*program_, [this] { return chooseUnits(); });
    if (Worksheet* sheet = program_->sheets.current) retitle(*sheet);
}

bool Desk::chooseUnits() {
    return menu_->execMenu();
}

bool Desk::editNewUnit() {
    return made(editQues_, main_).editNewUnit();
}

bool Desk::editUnit() {
    Worksheet* sheet = program_->sheets.current;
    if (!sheet) return false;
    const UnitTitleNames names{sheet->lessonName, sheet->sectionName, sheet->unitName};
    const std::optional<UnitRef> edited = made(editQues_, main_).editWorksheet(*sheet);
    if (!edited) return false;
    ReopenEditedUnit(*program_, *edited, names, [this](Worksheet& s) { return closeWorksheet(s); });
    main_->refreshControls();
    return true;
}

void Desk::editCopy() {
    main_->hidePopups();
    Worksheet* sheet = program_->sheets.current;
    if (sheet && made(readUnit_, main_).editCopy(*sheet)) retitle(*sheet);
}

void Desk::study() {
    StudyHooks hooks;
    hooks.openMaster = [this] {
        main_->hidePopups();
        return openUnit();
    };
    hooks.scrollToTop = [this](Worksheet& s) { scrollToTop(s); };
    hooks.practice = [this](Worksheet& s) { practice(s); };
    hooks.closeSheet = [this](Worksheet& s) { closeWorksheet(s); };
    hooks.answersChanged = [this] { main_->showAnswerGlyph(); };
    RunStudy(*program_, hooks);
}

void Desk::practice(Worksheet& sheet) {
    made(renshu_, main_).study(sheet);
}

bool Desk::logOn() {
    return inputName_->logOn();
}

bool Desk::askPassword(const PasswordPrompt& prompt) {
    return password_->ask(prompt);
}

bool Desk::showRecords() {
    // Somebody logs on first when nobody is; true when the counts changed.
    bool changed = false;
    if (program_->session.learnerName.empty()) {
        changed = logOn();
        if (program_->session.learnerName.empty()) return changed;
    }
    return kiroku_->showRecords() || changed;
}

void Desk::showClass() {
    // Pupils see their own records only.
    if (program_->session.keyLock) return;
    classRecords_->showClass();
}

void Desk::makeIndex() {
    if (RefuseWhileWorksheetsOpen(*program_)) return;
    made(editIndex_, main_).editIndex();
}

void Desk::courseNotes() {
    Program& p = *program_;
    const std::string path = p.course.masterFolder + "hosoku.htm";
    if (!FileExistsOrSay(p, path)) return;
    // The course's notes are Shift-JIS: decoded here and shown in the help window.
    std::string bytes;
    if (p.platform.files.read(path, bytes) != ReadStatus::Ok) {
        p.platform.prompter.message(ReadErrorText(path));
        return;
    }
    showDocument(qs(bytes), QUrl::fromLocalFile(QtFiles::toNative(p.course.masterFolder)));
}

void Desk::congratulate() {
    made(zenSeikai_, &made(renshu_, main_)).congratulate();
}

void Desk::printPage(PageImageSource page) {
    made(printOk_, main_).openWithPage(std::move(page));
}

void Desk::printActive() {
    if (!PreparePrint(*program_)) return;
    printPage([this]() -> Bitmap {
        const TfrmPrint* window = activeWindow();
        return window ? window->pageBitmap() : Bitmap();
    });
}

void Desk::selectPrintMode(bool printer) {
    made(printMode_, main_).selectMode(printer);
}

void Desk::setTitlePicture(const QImage& picture) {
    dummy_->setTitlePicture(picture);
}

void Desk::showTitle() {
    dummy_->showInFrame();
}

void Desk::showTitleButton() {
    dummy_->showTitleButton();
}

void Desk::retitle(Worksheet& sheet) {
    if (TfrmPrint* window = windowOf(sheet)) window->refreshCaption();
    main_->refreshWindowList();
}

void Desk::scrollToTop(Worksheet& sheet) {
    if (TfrmPrint* window = windowOf(sheet)) window->scrollToTop();
}

void Desk::copyMarkedRegion() {
    TfrmPrint* window = activeWindow();
    if (window && window->hasMarkedRegion()) window->copyMarkedRegion();
    regionMarked(false);
}

void Desk::dropMark() {
    if (TfrmPrint* window = activeWindow()) window->dropMark();
    regionMarked(false);
}

QWidget* Desk::frontWorksheetWindow() const {
    return activeWindow();
}

bool Desk::closeWorksheet(Worksheet& sheet) {
    if (TfrmPrint* window = windowOf(sheet)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        return sub ? sub->close() : window->close();
    }
    // A worksheet without a window of its own closes through the same question.
    const bool closed = TryCloseWorksheet(*program_, sheet, [this](Worksheet& s) {
        return s.masterFlag ? saveOver(s) : saveCopy(s);
    });
    main_->refreshWindowList();
    return closed;
}

bool Desk::saveOver(Worksheet& sheet) {
    if (!sheet.masterFlag) return false;
    return OverwriteUnit(*program_, sheet);
}

bool Desk::saveCopy(Worksheet& sheet) {
    Program& p = *program_;
    const std::string proposed = ProposedSaveName(sheet);
    auto choose = [this, &p, &proposed](const std::string& start) -> std::optional<std::string> {
        for (;;) {
            std::optional<QString> chosen = fileDialogs_->saveFileName(
                main_, QStringLiteral("名前を付けて保存"), QtFiles::toNative(start + proposed),
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
