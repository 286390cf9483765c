#pragma once
// The windowed program: the platform services, the one Program object, the settings
// store, the seams to the user, and every long-lived window, created once at start in
// the program's fixed order and alive until the main window closes. Windows reach each
// other and the program state through the desk; nothing is global.

#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Program.h"
#include "gui/Seams.h"
#include "qt/QtPlatform.h"
#include "shell/Settings.h"

class CursorTable;
class QKeyEvent;
class QMdiArea;
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
class TfrmInputName;
class TfrmPassword;
class TfrmKiroku;
class TfrmPrint;
class TfrmEditQues;
class TfrmEditIndex;
class TfrmEditSource;
class TfrmInputText;
class TfrmBMP;
class QImage;
class TfrmRenshu;
class TfrmZenSeikai;
class Worksheet;
class WorksheetWindows;

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
        // The run's random numbers, the windows' clocks and the time of day.
        QtPlatform::Overrides platform;
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
    // The help window belongs to the window it was last opened over (a modal editor
    // holds it while it is open), so it is watched rather than owned.
    QPointer<TfrmHelp> help;
    TfrmInputName* inputName = nullptr;
    TfrmPassword* password = nullptr;
    TfrmKiroku* kiroku = nullptr;
    TfrmEditQues* editQues = nullptr;
    TfrmEditIndex* editIndex = nullptr;
    TfrmEditSource* editSource = nullptr;
    TfrmInputText* inputText = nullptr;
    TfrmBMP* bmp = nullptr;
    TfrmRenshu* renshu = nullptr;
    TfrmZenSeikai* zenSeikai = nullptr;

    // The worksheet windows, made with the main window.
    WorksheetWindows* worksheetWindows = nullptr;
    // The worksheet window that shows sheet, or the active worksheet's; null when none.
    TfrmPrint* windowOf(const Worksheet& sheet) const;
    TfrmPrint* activeWindow() const;

    // What the windows ask of each other. A window reaches another one only through these
    // verbs and that window's own entry verb (TfrmSetPaper::openForActive, TfrmMenu::
    // execMenu ...); never through its controls, its handlers or findChild.

    // The program's commands. They belong to the main window (its panel and menus); the
    // worksheet menus and the close query run the same ones through here.
    enum class Command {
        OpenUnit,       // 開く
        SaveOver,       // 上書き保存 of the active worksheet
        SaveCopy,       // 名前を付けて保存 of the active worksheet
        Print,          // 印刷
        Exit,           // 終了
        MakeIndex,      // 目次作成
        SchoolName,     // 学校名・塾名
        EditChoices,    // 編集: the course unit or the copy
        PrintMode,      // 印字モードの設定
        LayoutSettings, // 解答欄の設定
        PaperSettings,  // 用紙サイズとオプションの設定
    };
    void run(Command command);

    // 解答表示: flips the answer display (the main window's button follows).
    void toggleAnswers();
    // Switches the answer display on when the active worksheet hides its answers.
    void showAnswers();
    // Whether 解答表示 can be used now.
    bool answersSwitchable() const;
    // 縮小 / 拡大 of the active worksheet, and the command's caption for the view as it is.
    void toggleReducedView();
    QString reducedViewCaption() const;
    // Page Up / Page Down: the active page between its top and its bottom.
    void scrollPage();
    // A region of the active page was marked or the mark dropped: コピー and キャンセル
    // follow.
    void regionMarked(bool marked);
    // A key-down another window passes on to the program's keys; true when it was used.
    bool programKey(QKeyEvent* event);
    // The active worksheet's values changed outside the main window (paper settings): the
    // main window's controls show them.
    void showWorksheetValues();
    // The learner logged on changed: the main window shows his name.
    void showLearner();
    // A worksheet was laid out again: the layout strip, open on it, tells what changed.
    void worksheetLaidOut(const Worksheet& sheet);

    // The editors' helpers. The picture viewer on a picture, beside the window that asked;
    // the source editor on a file's lines (the edited lines on OK); the text input for the
    // name of a section or unit (the text on OK).
    void showPicture(const QImage& picture, const QString& name);
    std::optional<Lines> editSourceLines(const std::string& fileName, int helpTopic,
                                         const Lines& lines);
    std::optional<std::string> askText(const QString& mode, const std::string& start);

    // Places. The command panel on the screen, cut at the screen's bottom (the layout
    // strip lies over it); null without a main window.
    QRect commandPanelArea() const;
    // The main window on the screen (dialogs that cover the program take it) and its title.
    QRect mainGeometry() const;
    QString programTitle() const;
    // The frame that holds the worksheet windows and the title window, and the size each
    // child gets in it.
    QMdiArea* frame() const;
    QSize childSize() const;

  private:
    // The log-on, password and records windows, and the hooks that open them.
    void createLearnerWindows();
    // Fills the hooks of the question and index editors.
    void installEditors();

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
