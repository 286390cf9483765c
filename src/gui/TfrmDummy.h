#pragma once
// The title window: a child of the frame that shows the course's title picture on one
// large button while no worksheet covers it.

#include <QWidget>

class Desk;
class QMdiSubWindow;
class QPushButton;

class TfrmDummy : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmDummy(Desk& desk);

    // The title picture ("Title.BMP"; a null image leaves the button empty): the button
    // takes the picture's size plus a margin and stands in the middle of the frame.
    void setTitlePicture(const QImage& picture);
    // Puts the window into the main window's frame (once) and shows it.
    void showInFrame();
    void showTitleButton();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Each activation gives the window the child size and its caption.
    void activated(QMdiSubWindow* sub);

    Desk& desk_;
    QPushButton* btnTitle = nullptr;
    QMdiSubWindow* sub_ = nullptr;
};
