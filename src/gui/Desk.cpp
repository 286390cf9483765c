#include "gui/Desk.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QUrl>

#include "gui/Artwork.h"
#include "gui/MessageBoxPrompter.h"
#include "gui/TfrmDummy.h"
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
#include "gui/TfrmVersion.h"
#include "gui/TfrmZenTangen.h"
#include "gui/UiParts.h"
#include "qt/Fonts.h"
#include "shell/Startup.h"

#if __has_include("gui/WorksheetWindows.h")
#include "gui/WorksheetWindows.h"
#define VELMIX_HAS_WORKSHEET_WINDOWS 1
#endif

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
    qt_ = std::make_unique<QtPlatform>(prompter_);
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
    if (!help) help = new TfrmHelp(main);
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
#ifdef VELMIX_HAS_WORKSHEET_WINDOWS
    InstallWorksheetWindows(*this);
#endif
}
