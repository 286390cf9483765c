#include "gui/Desk.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QScreen>
#include <QUrl>

#include "gui/Artwork.h"
#include "gui/MessageBoxPrompter.h"
#include "gui/TfrmBMP.h"
#include "gui/TfrmDummy.h"
#include "gui/TfrmEditIndex.h"
#include "gui/TfrmEditQues.h"
#include "gui/TfrmEditSource.h"
#include "gui/TfrmHelp.h"
#include "gui/TfrmInputName.h"
#include "gui/TfrmInputText.h"
#include "gui/TfrmJuku.h"
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
#include "gui/UiParts.h"
#include "gui/WorksheetWindows.h"
#include "qt/Fonts.h"
#include "shell/EditorSteps.h"
#include "shell/Startup.h"
#include "worksheet/WorksheetSetters.h"

Desk::Desk(const QString& masterFolder) : Desk(masterFolder, Seams{}) {}

Desk::Desk(const QString& masterFolder, Seams seams) {
    // The master folder is the working directory, as the course's relative names expect.
    if (!masterFolder.isEmpty()) QDir::setCurrent(masterFolder);
    if (seams.prompter) {
        prompter_ = seams.prompter;
    } else {
        ownPrompter_ = std::make_unique<MessageBoxPrompter>();
        prompter_ = ownPrompter_.get();
    }
    if (seams.fileDialogs) {
        fileDialogs_ = seams.fileDialogs;
    } else {
        ownFileDialogs_ = std::make_unique<RealFileDialogs>();
        fileDialogs_ = ownFileDialogs_.get();
    }
    if (seams.printDialogs) {
        printDialogs_ = seams.printDialogs;
    } else {
        ownPrintDialogs_ = std::make_unique<RealPrintDialogs>();
        printDialogs_ = ownPrintDialogs_.get();
    }
    runModal_ = seams.runModal;
    openUrl_ = seams.openUrl;
    registerFontSubstitutions();
    // One Japanese face for every window, message box and menu of the program.
    QApplication::setFont(uiFont("ＭＳ Ｐゴシック", 12));
    qt_ = std::make_unique<QtPlatform>(prompter_, seams.platform);
    program_ = std::make_unique<Program>(qt_->platform());
    program_->course.masterFolder = MasterFolderOf(qt_->platform().workingDir);
    program_->sheets.defaultFontFace = J("ＭＳ 明朝");
    settings_ = std::make_unique<Settings>(qt_->registry(), *prompter_);
}

Desk::~Desk() {
    delete main;
}

int Desk::runModal(QDialog& dialog) {
    if (runModal_) return runModal_(dialog);
    return dialog.exec();
}

bool Desk::openUrl(const QUrl& url) {
    if (openUrl_) return openUrl_(url);
    return QDesktopServices::openUrl(url);
}

void Desk::showHelp(int topic) {
    helpWindow().showTopic(topic);
}

TfrmHelp& Desk::helpWindow() {
    // The help window belongs to the modal dialog the user works in, when there is one: a
    // window of any other would be blocked by the dialog and kept behind it by the window
    // manager until the dialog closed. A dialog's own window stays in front of it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = main;
    if (!help) {
        help = new TfrmHelp(owner);
    } else if (help->parentWidget() != owner) {
        const QRect place = help->geometry();
        const bool placed = help->testAttribute(Qt::WA_Moved);
        help->setParent(owner, help->windowFlags());
        if (placed) help->setGeometry(place);
    }
    return *help;
}

void Desk::createWindows() {
    // The main window's creation registers the cursors and takes the child size.
    cursors_ = std::make_unique<CursorTable>();
    main = new TfrmMain(*this);
    menu = new TfrmMenu(*this, main);
    version = new TfrmVersion(*this, main);
    settei = new TfrmSettei(*this, main);
    openPrp = new TfrmOpenPRP(*this, main);
    printMode = new TfrmPrintMode(*this, main);
    setPaper = new TfrmSetPaper(*this, main);
    printOk = new TfrmPrintOk(*this, main);
    readUnit = new TfrmReadUnit(*this, main);
    dummy = new TfrmDummy(*this);
    zenTangen = new TfrmZenTangen(*this, main);
    juku = new TfrmJuku(*this, main);
    createLearnerWindows();
    editQues = new TfrmEditQues(*this, main);
    bmp = new TfrmBMP(*this, editQues);
    editIndex = new TfrmEditIndex(*this, main);
    editSource = new TfrmEditSource(*this, main);
    inputText = new TfrmInputText(*this, main);
    renshu = new TfrmRenshu(*this, main);
    zenSeikai = new TfrmZenSeikai(*this, renshu);
    later.practice = [this](Worksheet& sheet) { renshu->study(sheet); };
    InstallWorksheetWindows(*this);
    installEditors();
}

void Desk::installEditors() {
    later.questionEditor = [this] {
        Worksheet* sheet = program_->sheets.current;
        if (!sheet) return false;
        const UnitTitleNames names{sheet->lessonName, sheet->sectionName, sheet->unitName};
        const std::optional<UnitRef> edited = editQues->editWorksheet(*sheet);
        if (!edited) return false;
        ReopenEditedUnit(*program_, *edited, names,
                         [this](Worksheet& s) { return main->closeWorksheet(s); });
        main->refreshControls();
        return true;
    };
    later.newUnitEditor = [this] { return editQues->editNewUnit(); };
    later.indexEditor = [this] { editIndex->editIndex(); };
}

void Desk::showPicture(const QImage& picture, const QString& name) {
    if (bmp) bmp->showPicture(picture, name);
}

std::optional<Lines> Desk::editSourceLines(const std::string& fileName, int helpTopic,
                                           const Lines& lines) {
    if (!editSource) return std::nullopt;
    return editSource->editSource(fileName, helpTopic, lines);
}

std::optional<std::string> Desk::askText(const QString& mode, const std::string& start) {
    if (!inputText) return std::nullopt;
    return inputText->askText(mode, start);
}

void Desk::createLearnerWindows() {
    inputName = new TfrmInputName(*this, main);
    password = new TfrmPassword(*this, main);
    kiroku = new TfrmKiroku(*this, main);
    later.logOn = [this] { inputName->logOn(); };
    // 記録表示: somebody logs on first when nobody is; true when the counts changed.
    later.records = [this] {
        bool changed = false;
        if (program_->session.learnerName.empty()) {
            changed = inputName->logOn();
            if (program_->session.learnerName.empty()) return changed;
        }
        return kiroku->showRecords() || changed;
    };
}

TfrmPrint* Desk::windowOf(const Worksheet& sheet) const {
    return worksheetWindows ? worksheetWindows->windowOf(sheet) : nullptr;
}

TfrmPrint* Desk::activeWindow() const {
    const Worksheet* sheet = program_->sheets.current;
    return sheet ? windowOf(*sheet) : nullptr;
}

void Desk::run(Command command) {
    if (!main) return;
    switch (command) {
    case Command::OpenUnit:
        main->btnOpenMasterClick();
        break;
    case Command::SaveOver:
        main->btnSaveMasterClick();
        break;
    case Command::SaveCopy:
        main->btnSaveCopyClick();
        break;
    case Command::Print:
        main->btnStartPrintClick();
        break;
    case Command::Exit:
        main->mnuExitClick();
        break;
    case Command::MakeIndex:
        main->mnuIndexClick();
        break;
    case Command::SchoolName:
        main->mnuSchoolClick();
        break;
    case Command::EditChoices:
        main->btnEditClick();
        break;
    case Command::PrintMode:
        main->mnuPrintModeClick();
        break;
    case Command::LayoutSettings:
        main->btnKranClick();
        break;
    case Command::PaperSettings:
        main->mnuSetPaperClick();
        break;
    }
}

void Desk::toggleAnswers() {
    ToggleShowAnswers(*program_);
    if (main) main->showAnswerGlyph();
}

void Desk::showAnswers() {
    const Worksheet* sheet = program_->sheets.current;
    if (sheet && !sheet->ShowAnswers) toggleAnswers();
}

bool Desk::answersSwitchable() const {
    return !main || main->answersSwitchable();
}

void Desk::toggleReducedView() {
    if (!program_->sheets.current) return;
    bool& reduced = program_->controls.reducedView;
    reduced = !reduced;
    if (TfrmPrint* window = activeWindow()) window->setReduced(reduced);
    if (main) main->refreshControls();
}

QString Desk::reducedViewCaption() const {
    if (main) return main->reducedViewCaption();
    return program_->controls.reducedView ? QStringLiteral("拡大") : QStringLiteral("縮小");
}

void Desk::scrollPage() {
    if (TfrmPrint* window = activeWindow()) window->toggleScroll();
}

void Desk::regionMarked(bool marked) {
    if (main) main->setRegionMarked(marked);
}

bool Desk::programKey(QKeyEvent* event) {
    return main && main->handleKey(event);
}

void Desk::showWorksheetValues() {
    if (main) main->refreshControls();
}

void Desk::showLearner() {
    if (main) main->showLearner();
}

void Desk::worksheetLaidOut(const Worksheet& sheet) {
    if (settei && settei->isVisible() && program_->sheets.current == &sheet)
        settei->refreshWarnings();
}

QRect Desk::commandPanelArea() const {
    if (!main) return {};
    QRect area = main->commandPanelArea();
    if (const QScreen* screen = main->screen())
        area.setHeight(std::min(area.height(), screen->availableGeometry().bottom() - area.y()));
    return area;
}

QRect Desk::mainGeometry() const {
    return main ? main->geometry() : QRect();
}

QString Desk::programTitle() const {
    return main ? main->windowTitle() : QString();
}

QMdiArea* Desk::frame() const {
    return main ? main->mdiArea() : nullptr;
}

QSize Desk::childSize() const {
    return main ? main->childSize() : QSize();
}
