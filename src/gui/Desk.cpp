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
    // One Japanese face for every window, message box and menu_ of the program.
    QApplication::setFont(uiFont("ＭＳ Ｐゴシック", 12));
    qt_ = std::make_unique<QtPlatform>(prompter_, seams.platform);
    program_ = std::make_unique<Program>(qt_->platform());
    program_->course.masterFolder = MasterFolderOf(qt_->platform().workingDir);
    program_->sheets.defaultFontFace = J("ＭＳ 明朝");
    settings_ = std::make_unique<Settings>(qt_->registry(), *prompter_);
}

Desk::~Desk() {
    delete main_;
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
    if (!owner) owner = main_;
    if (!help_) {
        help_ = new TfrmHelp(owner);
    } else if (help_->parentWidget() != owner) {
        const QRect place = help_->geometry();
        const bool placed = help_->testAttribute(Qt::WA_Moved);
        help_->setParent(owner, help_->windowFlags());
        if (placed) help_->setGeometry(place);
    }
    return *help_;
}

void Desk::createWindows() {
    // The main window's creation registers the cursors and takes the child size.
    cursors_ = std::make_unique<CursorTable>();
    main_ = new TfrmMain(*this);
    menu_ = new TfrmMenu(*this, main_);
    dummy_ = new TfrmDummy(*this);
    createLearnerWindows();
    worksheetWindows_ = new WorksheetWindows(*this);
}

bool Desk::showMainWindow() {
    if (!main_) return false;
    main_->show();
    return !main_->startupEnded();
}

void Desk::showDocument(const QString& html, const QUrl& base) {
    helpWindow().showDocument(html, base);
}

void Desk::showPicture(const QImage& picture, const QString& name) {
    if (main_) made(bmp_, &made(editQues_, main_)).showPicture(picture, name);
}

std::optional<Lines> Desk::editSourceLines(const std::string& fileName, int helpTopic,
                                           const Lines& lines) {
    if (!main_) return std::nullopt;
    return made(editSource_, main_).editSource(fileName, helpTopic, lines);
}

std::optional<std::string> Desk::askText(const QString& mode, const std::string& start) {
    if (!main_) return std::nullopt;
    return made(inputText_, main_).askText(mode, start);
}

void Desk::createLearnerWindows() {
    inputName_ = new TfrmInputName(*this, main_);
    password_ = new TfrmPassword(*this, main_);
    kiroku_ = new TfrmKiroku(*this, main_);
    classRecords_ = new TfrmClass(*this, main_);
}

TfrmPrint* Desk::windowOf(const Worksheet& sheet) const {
    return worksheetWindows_ ? worksheetWindows_->windowOf(sheet) : nullptr;
}

TfrmPrint* Desk::activeWindow() const {
    const Worksheet* sheet = program_->sheets.current;
    return sheet ? windowOf(*sheet) : nullptr;
}

void Desk::toggleAnswers() {
    ToggleShowAnswers(*program_);
    if (main_) main_->showAnswerGlyph();
}

void Desk::showAnswers() {
    const Worksheet* sheet = program_->sheets.current;
    if (sheet && !sheet->ShowAnswers) toggleAnswers();
}

bool Desk::answersSwitchable() const {
    return !main_ || main_->answersSwitchable();
}

void Desk::toggleReducedView() {
    if (!program_->sheets.current) return;
    bool& reduced = program_->sheets.reducedView;
    reduced = !reduced;
    if (TfrmPrint* window = activeWindow()) window->setReduced(reduced);
    if (main_) main_->refreshControls();
}

QString Desk::reducedViewCaption() const {
    if (main_) return main_->reducedViewCaption();
    return program_->sheets.reducedView ? QStringLiteral("拡大") : QStringLiteral("縮小");
}

void Desk::scrollPage() {
    if (TfrmPrint* window = activeWindow()) window->toggleScroll();
}

void Desk::regionMarked(bool marked) {
    if (main_) main_->setRegionMarked(marked);
}

bool Desk::programKey(QKeyEvent* event) {
    return main_ && main_->handleKey(event);
}

void Desk::showWorksheetValues() {
    if (main_) main_->refreshControls();
}

void Desk::showLearner() {
    if (main_) main_->showLearner();
}

void Desk::worksheetLaidOut(const Worksheet& sheet) {
    if (settei_ && settei_->isVisible() && program_->sheets.current == &sheet)
        settei_->refreshWarnings();
}

QRect Desk::commandPanelArea() const {
    if (!main_) return {};
    QRect area = main_->commandPanelArea();
    if (const QScreen* screen = main_->screen())
        area.setHeight(std::min(area.height(), screen->availableGeometry().bottom() - area.y()));
    return area;
}

QRect Desk::mainGeometry() const {
    return main_ ? main_->geometry() : QRect();
}

QString Desk::programTitle() const {
    return main_ ? main_->windowTitle() : QString();
}

QMdiArea* Desk::frame() const {
    return main_ ? main_->mdiArea() : nullptr;
}

QSize Desk::childSize() const {
    return main_ ? main_->childSize() : QSize();
}
