#pragma once
// The windows' side of the worksheets: every worksheet the core creates gets its TfrmPrint
// in the main window's frame, a relayout lands in its window, activating a window in the
// frame activates its worksheet (which then shows its values in the main window and the
// settings dialog), and a closed worksheet takes its window with it.

#include <QObject>

class Desk;
class QMdiSubWindow;
class TfrmPrint;
class Worksheet;

class WorksheetWindows : public QObject {
    Q_OBJECT
  public:
    // Installs the core's worksheet hooks; lives as long as the main window.
    explicit WorksheetWindows(Desk& desk);
    ~WorksheetWindows() override;

    // The window of sheet, or null.
    TfrmPrint* windowOf(const Worksheet& sheet) const;

  private:
    void created(Worksheet& sheet);
    void activated(Worksheet& sheet);
    void closing(Worksheet& sheet);
    void frameActivated(QMdiSubWindow* frame);

    Desk& desk_;
    bool creating_ = false;  // a new window is being put into the frame
    bool fromFrame_ = false; // the frame activated the window (a click, tiling)
    bool bringingFront_ = false;
};
