#pragma once
// The main window: a multiple-document frame whose children are the worksheet windows and
// the title window, with the command panel on the left, the pop-up save and edit panels,
// the menus, the tips panel and the student/teacher lock. Its first showing is the
// program's start-up. Commands compute nothing themselves: they call the core.

#include <QMainWindow>

class Desk;
class QMdiArea;
class QMdiSubWindow;
class QKeyEvent;
class TfrmPrint;
class Worksheet;

class TfrmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfrmMain(Desk& desk);
    ~TfrmMain() override;

    Desk& desk() { return desk_; }
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
    TfrmPrint* activeWorksheetWindow() const;
    // After a worksheet's values were pushed into Program::controls (activation, paper
    // dialog, settings dialog), shows them in the main window's controls.
    void refreshControls();
    // A region of the page was marked (or the mark dropped): enables or disables
    // コピー and キャンセル.
    void setRegionMarked(bool marked);

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
    void mnuPrintModeClick();  // 印字モードの設定
    void mnuSetPaperClick();   // 用紙サイズとオプションの設定
    void mnuCloseAllClick();   // すべて閉じる
    void mnuExitClick();       // 終了

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Desk& desk_;
    QMdiArea* mdi_ = nullptr;
    bool started_ = false;
};
