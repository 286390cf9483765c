#pragma once
// One worksheet window: shows the worksheet's page image (full size or reduced), lets the
// teacher drag graphs and mark a region of the page, carries the worksheet menu, and asks
// to save when a modified worksheet is closed. The document itself is core's Worksheet.

#include <QImage>
#include <QWidget>

#include "platform/Bitmap.h"

class Desk;
class PageView;
class QAction;
class QMenuBar;
class QScrollArea;
class Worksheet;

class TfrmPrint : public QWidget {
    Q_OBJECT
  public:
    TfrmPrint(Desk& desk, Worksheet& sheet, QWidget* parent = nullptr);
    ~TfrmPrint() override;

    // The worksheet shown; only while attached (the document is freed when it closes).
    Worksheet& sheet() { return *sheet_; }
    bool attached() const { return sheet_ != nullptr; }
    // The document is about to be freed: the window forgets it and may only close.
    void detach();

    // Lays the worksheet out again on its page image and repaints (the program's relayout
    // hook lands here). The image is made at the screen's pixel ratio, so the page stays
    // crisp on high-density screens.
    void relayout();
    // The page image after the last layout (at the screen's pixel ratio), and the page at
    // one pixel per layout unit as a core bitmap (for printing and the clipboard).
    const QImage& pageImage() const { return page_; }
    Bitmap pageBitmap() const;
    // The window title follows the worksheet's caption (it changes when saved as a file).
    void refreshCaption();

    // The window width that shows the page's whole width (full size or reduced) beside
    // the vertical scroll bar.
    int widthForPage() const;

    // The reduced view (縮小) on or off.
    void setReduced(bool reduced);
    bool isReduced() const { return reducedShown_; }
    // Page Up / Page Down: toggles the scroll position between the top and the bottom.
    void toggleScroll();
    void scrollToTop();

    // The marked region: copies it to the clipboard, or drops it.
    bool hasMarkedRegion() const;
    void copyMarkedRegion();
    void dropMark();
    // ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ: the whole page image.
    void copyPageToClipboard();

    // Student mode: the window's menu (saving, printing, settings) is hidden and unusable.
    void applyLock(bool locked);

    // Runs the close query ("…を保存しますか？"); true when the window may close.
    bool closeQuery();
    // The window is closing (its close query said yes).
    bool isClosing() const { return closing_; }

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu();
    void showView();
    QImage unitPage() const;
    bool putOnClipboard(const QImage& image);
    bool saveForClose(Worksheet& sheet);

    Desk& desk_;
    Worksheet* sheet_;
    QMenuBar* menu_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QAction* mnuKaitou = nullptr;
    QImage page_;
    QImage reduced_;
    bool reducedShown_ = false;
    bool closing_ = false;
    bool asking_ = false;
    bool frameClosing_ = false; // the frame's close is under way
};
