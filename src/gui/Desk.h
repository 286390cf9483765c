#pragma once
// The windowed program: the platform services, the one Program object, the settings
// store, the seams to the user, and every long-lived window, created once at start in
// the program's fixed order and alive until the main window closes. Windows reach each
// other and the program state through the desk; nothing is global.

#include <QString>
#include <functional>
#include <memory>

#include "Program.h"
#include "gui/Seams.h"
#include "qt/QtPlatform.h"
#include "shell/Settings.h"

class CursorTable;
class QUrl;
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
class TfrmHelp;
class TfrmPrint;
class Worksheet;

class Desk {
  public:
    // What tests replace. Null members mean the real ones (message boxes, QFileDialog,
    // QPrintDialog, QDialog::exec, the desktop's viewer for web pages).
    struct Seams {
        Prompter* prompter = nullptr;
        FileDialogs* fileDialogs = nullptr;
        PrintDialogs* printDialogs = nullptr;
        ModalRunner runModal;
        std::function<bool(const QUrl&)> openUrl;
    };

    // Windows that later versions of the program bring. While one is empty, the command
    // that opens it tells the user that it is not part of this version.
    struct LaterWindows {
        std::function<void(Worksheet&)> practice; // 学習: the practice window, modal
        std::function<void()> logOn;              // 学習者: the learner log-on
        std::function<bool()> questionEditor;     // 編集: true when it closed with OK
        std::function<bool()> newUnitEditor;      // a unit that does not exist yet
        std::function<void()> indexEditor;        // 目次作成
        std::function<bool()> records;            // 記録表示: true when records were erased
    };

    // masterFolder: the course folder (native path), made the working directory; empty
    // means the working directory as it is.
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
    const CursorTable& cursors() const { return *cursors_; }
    // Shows one of our dialogs modally through the seam.
    int runModal(QDialog& dialog);
    // Opens a web page or file with the desktop's viewer.
    bool openUrl(const QUrl& url);
    // The help window on the contents (topic 0) or on a topic number.
    void showHelp(int topic = 0);
    // The help window, made on first use.
    TfrmHelp& helpWindow();

    // Creates every long-lived window in the program's order (the main window first, the
    // title window among them). The main window's first showing runs the start-up.
    void createWindows();

    // The process's exit status once the main window has closed: 0, or 1 when the
    // program ended because its course could not be read.
    int exitCode() const { return exitCode_; }
    void setExitCode(int code) { exitCode_ = code; }

    LaterWindows later;

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
    TfrmHelp* help = nullptr;

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
    std::function<bool(const QUrl&)> openUrl_;
    std::unique_ptr<CursorTable> cursors_;
    int exitCode_ = 0;
};
