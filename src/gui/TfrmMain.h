#pragma once
// The main window: a multiple-document frame whose children are the worksheet windows and
// the title window, with the command panel on the left, the pop-up save and edit panels,
// the menus, the tips panel and the student/teacher lock. Its first showing is the
// program's start-up. Commands compute nothing themselves: they call the core.

#include <QMainWindow>

class Desk;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QKeyEvent;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TfrmPrint;
class Worksheet;

class TfrmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmMain(Desk& desk);
    ~TfrmMain() override;

    QMdiArea* mdiArea() const { return mdi_; }

    // Size every child window gets (ChildWidth × ChildHeight).
    QSize childSize() const;

    // The main window's key handler; worksheet windows, the title window and dialogs
    // with key preview forward their key-downs here. Returns true when the key was consumed.
    bool handleKey(QKeyEvent* event);

    // A worksheet window was created (shown as a child of the frame) or is closing.
    void addWorksheetWindow(TfrmPrint* window);
    void worksheetWindowClosed(TfrmPrint* window);
    // The active worksheet's window, or null.
    QWidget* activeWorksheetWindow() const;
    // After a worksheet's values were pushed into Program::controls (activation, paper
    // dialog, settings dialog), shows them in the main window's controls.
    void refreshControls();
    // edtLogOnName shows the learner logged on.
    void showLearner();
    // A region of the page was marked (or the mark dropped): enables or disables
    // コピー and キャンセル.
    void setRegionMarked(bool marked);
    // 解答表示 shows the answer display's state, and whether it can be used now.
    void showAnswerGlyph();
    bool answersSwitchable() const;
    // The caption of 縮小 / 拡大 as the view is now.
    QString reducedViewCaption() const;
    // The command panel on the screen.
    QRect commandPanelArea() const;

    // Hides the save and edit choices and the tips panel.
    void hidePopups();
    // The 編集 choices: the course unit or this copy of it.
    void showEditChoices();
    // The window list and the window menu follow the open worksheets.
    void refreshWindowList();
    // Student mode on or off: hides or shows every editing, saving and printing control.
    void applyLock(bool locked);
    // The start-up ended the program ("Main.ind" missing).
    bool startupEnded() const { return ended_; }

  public slots:
    // Commands (each also reached from a worksheet window's menu where it has one).
    void btnFpCloseClick();    // 閉じる: close the active worksheet window
    void btnOpenMasterClick(); // 開く
    void btnSaveClick();       // 保存: the save choices
    void btnSaveMasterClick(); // 上書き保存
    void btnSaveCopyClick();   // 名前を付けて保存
    void btnStartPrintClick(); // 印刷
    void btnEditClick();       // 編集
    void btnTestClick();       // 学習
    void btnLogOnClick();      // 学習者
    void btnKaitouClick();     // 解答表示
    void chkBekkaiClick();     // 別解表示
    void btnKranClick();       // 解答欄: the layout settings dialog
    void btnCopyClick();       // コピー
    void btnCancelClick();     // キャンセル
    void btnShukushoClick();   // 縮小 / 拡大
    void btnScrollClick();     // page top / bottom
    void btnLockClick();       // 先生用 / 生徒用
    void mnuIndexClick();      // 目次作成
    void mnuSchoolClick();     // 学校名・塾名
    void mnuClassClick();      // クラスの記録
    void mnuCascadeClick();    // カスケード表示
    void mnuCloseAllClick();   // すべて閉じる
    void mnuExitClick();       // 終了
    void btnOpenCopyClick();   // open a worksheet file (hidden button)
    void btnAddClick();        // 追加: add units (hidden button)
    void btnEditCopyClick();   // コピーファイルを編集
    void mnuDoYouKnowClick();  // ご存じですか
    void mnuHosokuClick();     // 補足

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab, and the focus moving on from a control that hides or is disabled,
    // go round the command panel and the worksheet in front (TfrmMainFocus.cpp).
    bool focusNextPrevChild(bool next) override;

  private:
    bool cycleFocus(bool next);
    QList<QWidget*> tabStops() const;
    // Construction (TfrmMain.cpp).
    void buildPanel();
    void buildHiddenControls();
    void buildPopups();
    void buildTips();
    void buildMenus();
    void placeOnScreen();
    // Start-up and the window side of the commands (TfrmMainStartup.cpp).
    void formShow();
    void refreshWindowMenu();
    void tipClicked(int topic);
    void btnCloseTipsClick();
    Worksheet* activeSheet() const;

    Desk& desk_;
    QMdiArea* mdi_ = nullptr;
    bool started_ = false;
    bool ended_ = false;
    bool reduced_ = false;

    QFrame* pnlMain = nullptr;
    QPushButton* btnLock = nullptr;
    QPushButton* btnFpClose = nullptr;
    QPushButton* btnOpenMaster = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnStartPrint = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnTest = nullptr;
    QPushButton* btnLogOn = nullptr;
    QLineEdit* edtLogOnName = nullptr;
    QPushButton* btnKaitou = nullptr;
    QCheckBox* chkBekkai = nullptr;
    QPushButton* btnKran = nullptr;
    QLabel* lblGyouSpace = nullptr;
    QSpinBox* spnGyouSpace = nullptr;
    QLabel* lblMoji = nullptr;
    QLabel* lblSize = nullptr;
    QSpinBox* spnMojiSize = nullptr;
    QFrame* pnlCopy = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnCancel = nullptr;

    QFrame* pnlSave = nullptr;
    QPushButton* btnSaveMaster = nullptr;
    QPushButton* btnSaveCopy = nullptr;
    QFrame* pnlEdit = nullptr;
    QPushButton* btnEditMaster = nullptr;
    QPushButton* btnEditCopy = nullptr;

    QFrame* pnlSize = nullptr;
    QRadioButton* radB5 = nullptr;
    QRadioButton* radA4 = nullptr;
    QRadioButton* radB4 = nullptr;
    QRadioButton* radA3 = nullptr;
    QComboBox* cmbRetsuX = nullptr;
    QSpinBox* spnKranWX = nullptr;
    QSpinBox* spnGyoukanSub = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnShukusho = nullptr;
    QPushButton* btnScroll = nullptr;
    QPushButton* btnOpenCopy = nullptr;
    QListWidget* lstWindow = nullptr;
    QListWidget* lstDummyX = nullptr;
    QListWidget* lstDefaultData = nullptr;

    QFrame* grbDoYouKnow = nullptr;
    QPushButton* btnCloseTips = nullptr;
    QCheckBox* chkNextTime = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuEditMenu = nullptr;
    QMenu* mnuMainWin = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuDoYouKnow = nullptr;
    QList<QAction*> windowItems_; // 最大表示, タイル表示, カスケード表示, すべて閉じる
};
