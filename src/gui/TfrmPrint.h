#pragma once
// One worksheet window: shows the worksheet's page image (full size or reduced), lets the
// teacher drag graphs and mark a region of the page, carries the worksheet menu, and asks
// to save when a modified worksheet is closed. The document itself is core's Worksheet.

#include <QImage>
#include <QWidget>

#include "platform/Bitmap.h"

class Desk;
class Worksheet;

class TfrmPrint : public QWidget {
    Q_OBJECT
  public:
    TfrmPrint(Desk& desk, Worksheet& sheet, QWidget* parent = nullptr);
    ~TfrmPrint() override;

    Worksheet& sheet() { return sheet_; }

    // Lays the worksheet out again on its page image and repaints (the program's relayout
    // hook lands here).
    void relayout();
    // The full-size page image after the last layout, and as a core bitmap for printing.
    const QImage& pageImage() const { return page_; }
    Bitmap pageBitmap() const;

    // The reduced view (縮小) on or off.
    void setReduced(bool reduced);
    // Page Up / Page Down: toggles the scroll position between the top and the bottom.
    void toggleScroll();
    void scrollToTop();

    // The marked region: copies it to the clipboard, or drops it.
    bool hasMarkedRegion() const;
    void copyMarkedRegion();
    void dropMark();
    // ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ: the whole page image.
    void copyPageToClipboard();

    // Runs the close query ("…を保存しますか？"); true when the window may close.
    bool closeQuery();

  private:
    Desk& desk_;
    Worksheet& sheet_;
    QImage page_;
};
