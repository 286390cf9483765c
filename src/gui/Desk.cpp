#include "gui/Desk.h"

#include <QDialog>

#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"
#include "qt/ConsolePrompter.h"

Desk::Desk(const QString& masterFolder) : Desk(masterFolder, Seams{}) {}

Desk::Desk(const QString& masterFolder, Seams seams) {
    (void)masterFolder; // the start-up takes the master folder (to be built)
    if (seams.prompter) {
        prompter_ = seams.prompter;
    } else {
        ownPrompter_ = std::make_unique<ConsolePrompter>();
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
    qt_ = std::make_unique<QtPlatform>(prompter_);
    program_ = std::make_unique<Program>(qt_->platform());
    settings_ = std::make_unique<Settings>(qt_->registry(), *prompter_);
}

Desk::~Desk() {
    delete main;
}

int Desk::runModal(QDialog& dialog) {
    if (runModal_) return runModal_(dialog);
    return dialog.exec();
}

void Desk::createWindows() {
    main = new TfrmMain(*this);
}

TfrmPrint* Desk::windowOf(const Worksheet&) const {
    return nullptr;
}
