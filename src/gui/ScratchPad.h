#pragma once
// The scratch pad of the practice window: the learner draws with the left button in red
// and erases with any other button; a double click clears it. It keeps its drawing through
// the runs and is never saved or printed.

#include <QImage>
#include <QPoint>
#include <QWidget>

class CursorTable;

class ScratchPad : public QWidget {
    Q_OBJECT
  public:
    ScratchPad(const CursorTable& cursors, QWidget* parent = nullptr);
    // A blank pad with the instructions on it.
    void reset();
    // The pad's picture (at the screen's pixel ratio).
    const QImage& picture() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // A blank picture of the pad's size with the first instruction line, and the others
    // when full.
    void blank(bool full);
    void strokeTo(QPoint to);

    const CursorTable& cursors_;
    QImage image_;
    bool drawing_ = false;
    bool erasing_ = false;
    bool fresh_ = true; // nothing drawn since the pad was last made blank
    QPoint last_;
};
