#pragma once
// The windowed program: the platform services, the one Program object, the settings
// store, the seams to the user, and every long-lived window, created once at start in
// the program's fixed order and alive until the main window closes. Windows reach each
// other and the program state through the desk; nothing is global.

#include <QString>
#include <memory>

#include "gui/Seams.h"
#include "qt/QtPlatform.h"
#include "shell/Program.h"
#include "shell/Settings.h"

class TfrmMain;
class TfrmMenu;
class TfrmVersion;
class TfrmSettei;
class TfrmOpenPRP;
class TfrmPrintMode;
class TfrmSetPaper;
class TfrmPrintOk;
class TfrmReadUnit;
class TfrmDummy;
class TfrmZenTangen;
class TfrmJuku;
class TfrmPrint;
class Worksheet;

class Desk {
  public:
    // What tests replace. Null members mean the real ones (message boxes, QFileDialog,
    // QPrintDialog, QDialog::exec).
    struct Seams {
        Prompter* prompter = nullptr;
        FileDialogs* fileDialogs = nullptr;
        PrintDialogs* printDialogs = nullptr;
        ModalRunner runModal;
    };

    // masterFolder: the course folder (native path); empty means the working directory.
    explicit Desk(const QString& masterFolder);
    Desk(const QString& masterFolder, Seams seams);
    ~Desk();
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    Program& program() { return *program_; }
    QtPlatform& qt() { return *qt_; }
    Settings& settings() { return *settings_; }
    Prompter& prompter() { return *prompter_; }
    FileDialogs& fileDialogs() { return *fileDialogs_; }
    PrintDialogs& printDialogs() { return *printDialogs_; }
    // Shows one of our dialogs modally through the seam.
    int runModal(QDialog& dialog);

    // Creates every long-lived window in the program's order (the main window first, the
    // title window among them). The main window's first showing runs the start-up.
    void createWindows();

    // The long-lived windows (owned by the main window through Qt's parent chain).
    TfrmMain* main = nullptr;
    TfrmMenu* menu = nullptr;
    TfrmVersion* version = nullptr;
    TfrmSettei* settei = nullptr;
    TfrmOpenPRP* openPrp = nullptr;
    TfrmPrintMode* printMode = nullptr;
    TfrmSetPaper* setPaper = nullptr;
    TfrmPrintOk* printOk = nullptr;
    TfrmReadUnit* readUnit = nullptr;
    TfrmDummy* dummy = nullptr;
    TfrmZenTangen* zenTangen = nullptr;
    TfrmJuku* juku = nullptr;

    // The worksheet window that shows sheet, or null.
    TfrmPrint* windowOf(const Worksheet& sheet) const;

  private:
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    std::unique_ptr<QtPlatform> qt_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    FileDialogs* fileDialogs_ = nullptr;
    std::unique_ptr<PrintDialogs> ownPrintDialogs_;
    PrintDialogs* printDialogs_ = nullptr;
    ModalRunner runModal_;
};
