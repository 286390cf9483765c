#pragma once
// The page picture of a worksheet window: shows the page image (full size or reduced) and,
// on the full-size page, lets the teacher drag graph pictures and mark a region. Outlines
// (the dragged graph, the region) are drawn over the picture with a dotted pen and never
// into the page image itself.

#include <QImage>
#include <QWidget>
#include <optional>

#include "platform/Canvas.h"

class Worksheet;

class PageView : public QWidget {
    Q_OBJECT
  public:
    explicit PageView(QWidget* parent = nullptr);

    // The worksheet whose graph places the mouse hits (null: no graphs).
    void setSheet(const Worksheet* sheet) { sheet_ = sheet; }
    // Shows image (which must outlive the view or be replaced first); editable: graphs can
    // be dragged and regions marked (the full-size page, not the reduced one).
    void showImage(const QImage* image, bool editable);

    // The marked region's corners in page units, as dragged (any order).
    struct Mark {
        Point a, b;
    };
    std::optional<Mark> mark() const { return mark_; }
    // Marks a region (a graph selected with the right button) or drops the mark.
    void setMark(std::optional<Mark> mark);
    // The worksheet window has the keyboard focus: a frame around the page shows it.
    void setFocusShown(bool shown);

    // Page units (the screen page's layout units) and the view's own pixels, for the page
    // shown now: one unit a pixel on the full-size page, fewer on the reduced one. Fields
    // laid over the answers take their places from here.
    QPoint toView(Point page) const;
    QRect toView(const Rect& page) const;
    Point toPage(QPoint view) const;

  signals:
    // A graph was dropped with its top-left at topLeft (page units).
    void graphDropped(int index, QPoint topLeft);
    // A region was marked, or the mark dropped.
    void markChanged(bool marked);
    // The mouse is dragging at pos (the window scrolls it into view).
    void dragging(QPoint pos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    enum class Drag { None, Graph, Region };
    // View pixels per page unit across and down.
    QSizeF scale() const;
    // The page point under pos, kept on the page.
    Point pagePoint(QPoint pos) const;
    QRect outlineOfGraph() const;

    const Worksheet* sheet_ = nullptr;
    const QImage* image_ = nullptr;
    bool editable_ = false;
    bool focusShown_ = false;
    Drag drag_ = Drag::None;
    int graph_ = -1;  // the graph being dragged
    Point pressedAt_; // where the drag started
    Point at_;        // where the mouse is now
    std::optional<Mark> mark_;
};
