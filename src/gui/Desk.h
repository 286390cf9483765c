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
#include <utility>

#include "Program.h"
#include "gui/Seams.h"
#include "qt/QtPlatform.h"
#include "shell/Settings.h"
#include "text/Lines.h"
#include "worksheet/PrintJob.h"

class CursorTable;
struct PasswordPrompt;
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
class TfrmClass;
class TfrmPrint;
class TfrmEditQues;
class TfrmEditIndex;
class TfrmEditSource;
class TfrmInputText;
class TfrmBMP;
class QImage;
class QWidget;
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
    // The course notes (Shift-JIS HTML) in the help window, links from the course folder.
    void showDocument(const QString& html, const QUrl& base);

    // Creates every long-lived window in the program's order (the main window first, the
    // title window among them). The main window's first showing runs the start-up.
    void createWindows();
    // Shows the main window, whose first showing runs the start-up; false when the
    // start-up ended the program.
    bool showMainWindow();

    // The process's exit status once the main window has closed: 0, or 1 when the
    // program ended because its course could not be read.
    int exitCode() const { return exitCode_; }
    void setExitCode(int code) { exitCode_ = code; }

    // What the windows ask of each other. The windows themselves are private to the desk:
    // a window reaches another one only through these verbs, never through its pointer,
    // its controls, its handlers or findChild. A reach-in does not compile.

    // The program's commands. The main window's panel and menus, the worksheet menus and
    // the keys all run them through here; each hands its work to the core and has the
    // windows show the result (DeskCommands.cpp).
    enum class Command {
        OpenUnit,       // 開く
        OpenCopy,       // a worksheet file of the user's
        AddUnits,       // 追加: more units into the active worksheet
        SaveOver,       // 上書き保存 of the active worksheet
        SaveCopy,       // 名前を付けて保存 of the active worksheet
        Print,          // 印刷
        Exit,           // 終了
        MakeIndex,      // 目次作成
        SchoolName,     // 学校名・塾名
        EditChoices,    // 編集: the course unit or the copy
        EditUnit,       // マスターファイルを編集: the question editor on the course unit
        EditCopy,       // コピーファイルを編集
        Study,          // 学習
        LogOn,          // 学習者
        PrintMode,      // 印字モードの設定
        LayoutSettings, // 解答欄の設定
        PaperSettings,  // 用紙サイズとオプションの設定
        CourseNotes,    // 補足: the course's notes for teachers
        Version,        // バージョン
        UnitOverview,   // 全単元: every unit of the course at a glance
        Records,        // 記録表示 (somebody logs on first when nobody is)
        ClassRecords,   // クラスの記録: every learner of the lesson, for the teacher
    };
    void run(Command command);
    // 記録表示 as the practice and menu windows ask for it: true when the records changed
    // (erased, or a learner logged on to see them).
    bool showRecords();
    // クラスの記録: the class overview of the current lesson; nothing in student mode.
    void showClass();
    // The learner log-on; true when the learner changed.
    bool logOn();
    // The password question of the log-on: true when the right one was given.
    bool askPassword(const PasswordPrompt& prompt);
    // The practice window on a worksheet, modal.
    void practice(Worksheet& sheet);
    // The course menu: the unit chosen, as the menu window returns it.
    bool chooseUnits();
    // The question editor on a unit that does not exist yet; true when one was made.
    bool editNewUnit();
    // 全問正解: the practice's congratulation.
    void congratulate();
    // The print dialog on a page the caller draws (the practice's page), or on the
    // active worksheet's page.
    void printPage(PageImageSource page);
    void printActive();
    // The print-mode choice as the settings hold it, set once at start.
    void selectPrintMode(bool printer);
    // The title window: its picture, shown in the frame, and its button shown again.
    void setTitlePicture(const QImage& picture);
    void showTitle();
    void showTitleButton();
    // The worksheet in front: its window's caption after a rename, its page to the top,
    // its marked region copied or dropped, its window as a place for the focus.
    void retitle(Worksheet& sheet);
    void scrollToTop(Worksheet& sheet);
    void copyMarkedRegion();
    void dropMark();
    QWidget* frontWorksheetWindow() const;
    // Closes a worksheet through its window's close query; true when it closed.
    bool closeWorksheet(Worksheet& sheet);
    // The save commands for one worksheet; true when it was saved (the close query uses
    // them: 上書き保存 while the worksheet is an unedited course unit, else 名前を付けて保存).
    bool saveOver(Worksheet& sheet);
    bool saveCopy(Worksheet& sheet);

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
    // The desk's own files: the worksheet windows' keeper, and the window tests' probe.
    friend class WorksheetWindows;
    friend struct DeskProbe;

    // The help window, made on first use, owned by the modal dialog in front.
    TfrmHelp& helpWindow();
    // The worksheet window that shows sheet, or the active worksheet's; null when none.
    TfrmPrint* windowOf(const Worksheet& sheet) const;
    TfrmPrint* activeWindow() const;
    // The log-on, password and records windows.
    void createLearnerWindows();
    // A window made when it is first asked for, as a child of parent: the start makes only
    // the windows it shows, and the others cost nothing until they are used.
    // It is made as at the start, with no worksheet in front, so that filling its controls
    // with their first values writes nothing into the worksheet the user has open.
    template <class Window> Window& made(Window*& slot, QWidget* parent) {
        if (!slot) {
            Worksheet* const front = std::exchange(program_->sheets.current, nullptr);
            slot = new Window(*this, parent);
            program_->sheets.current = front;
        }
        return *slot;
    }
    // The commands' bodies (DeskCommands.cpp).
    bool openUnit();
    void openCopy();
    void addUnits();
    void study();
    bool editUnit();
    void editCopy();
    void makeIndex();
    void courseNotes();

    // The long-lived windows (owned by the main window through Qt's parent chain); all but
    // the main window, the unit menu, the learners' windows and the dummy are made on first
    // use (made()), so a null one has never been shown.
    TfrmMain* main_ = nullptr;
    TfrmMenu* menu_ = nullptr;
    TfrmVersion* version_ = nullptr;
    TfrmSettei* settei_ = nullptr;
    TfrmOpenPRP* openPrp_ = nullptr;
    TfrmPrintMode* printMode_ = nullptr;
    TfrmSetPaper* setPaper_ = nullptr;
    TfrmPrintOk* printOk_ = nullptr;
    TfrmReadUnit* readUnit_ = nullptr;
    TfrmDummy* dummy_ = nullptr;
    TfrmZenTangen* zenTangen_ = nullptr;
    TfrmJuku* juku_ = nullptr;
    // The help window belongs to the window it was last opened over (a modal editor
    // holds it while it is open), so it is watched rather than owned.
    QPointer<TfrmHelp> help_;
    TfrmInputName* inputName_ = nullptr;
    TfrmPassword* password_ = nullptr;
    TfrmKiroku* kiroku_ = nullptr;
    TfrmClass* classRecords_ = nullptr;
    TfrmEditQues* editQues_ = nullptr;
    TfrmEditIndex* editIndex_ = nullptr;
    TfrmEditSource* editSource_ = nullptr;
    TfrmInputText* inputText_ = nullptr;
    TfrmBMP* bmp_ = nullptr;
    TfrmRenshu* renshu_ = nullptr;
    TfrmZenSeikai* zenSeikai_ = nullptr;
    // The worksheet windows, made with the main window.
    WorksheetWindows* worksheetWindows_ = nullptr;

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
