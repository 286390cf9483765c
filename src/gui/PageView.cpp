#include "gui/PageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "worksheet/GraphDrag.h"
#include "worksheet/Worksheet.h"

namespace {

// A dotted outline that shows on white and on black: white under black dots.
void drawOutline(QPainter& p, const QRect& r) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 0, Qt::SolidLine));
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.drawRect(r);
}

// A stroked QRect of w × h covers w + 1 × h + 1 pixels: the outline runs through both corners.
QRect outlineRect(Point a, Point b) {
    return QRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x), std::abs(a.y - b.y));
}

} // namespace

PageView::PageView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("imgPage"));
    setAccessibleName(QStringLiteral("ワークシートのページ"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void PageView::showImage(const QImage* image, bool editable) {
    image_ = image;
    if (editable_ && !editable) drag_ = Drag::None;
    editable_ = editable;
    const QSize size =
        image_ && !image_->isNull() ? image_->deviceIndependentSize().toSize() : QSize(0, 0);
    if (size != this->size()) setFixedSize(size);
    update();
}

void PageView::setMark(std::optional<Mark> mark) {
    const bool changed = mark_.has_value() != mark.has_value();
    mark_ = mark;
    update();
    if (changed) emit markChanged(mark_.has_value());
}

void PageView::setFocusShown(bool shown) {
    if (focusShown_ == shown) return;
    focusShown_ = shown;
    update();
}

QSizeF PageView::scale() const {
    // The page's size in units is the worksheet's paper; without one the image is the page.
    if (!sheet_ || sheet_->paper.Width < 1 || sheet_->paper.Height < 1 || width() < 1 ||
        height() < 1)
        return QSizeF(1.0, 1.0);
    return QSizeF(static_cast<double>(width()) / sheet_->paper.Width,
                  static_cast<double>(height()) / sheet_->paper.Height);
}

QPoint PageView::toView(Point page) const {
    const QSizeF s = scale();
    return QPoint(static_cast<int>(std::lrint(page.x * s.width())),
                  static_cast<int>(std::lrint(page.y * s.height())));
}

QRect PageView::toView(const Rect& page) const {
    const QPoint a = toView(Point{page.left, page.top});
    const QPoint b = toView(Point{page.right, page.bottom});
    return QRect(a, QSize(b.x() - a.x(), b.y() - a.y()));
}

Point PageView::toPage(QPoint view) const {
    const QSizeF s = scale();
    return Point{static_cast<int>(std::lrint(view.x() / s.width())),
                 static_cast<int>(std::lrint(view.y() / s.height()))};
}

Point PageView::pagePoint(QPoint pos) const {
    // Dragging beyond the page stops at its edge.
    const Point p = toPage(pos);
    const Point end = toPage(QPoint(std::max(0, width() - 1), std::max(0, height() - 1)));
    return Point{std::clamp(p.x, 0, end.x), std::clamp(p.y, 0, end.y)};
}

QRect PageView::outlineOfGraph() const {
    if (!sheet_ || graph_ < 0 || graph_ >= MaxGraphs) return {};
    const Worksheet::Placed& g = sheet_->graphPlaced[graph_];
    // One pixel outside the picture at its would-be place.
    return QRect(g.left - 1 + at_.x - pressedAt_.x, g.top - 1 + at_.y - pressedAt_.y, g.width + 1,
                 g.height + 1);
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_ && !image_->isNull()) p.drawImage(QPoint(0, 0), *image_);
    if (focusShown_) {
        // Over the picture only, never into the page image.
        p.setPen(QPen(palette().color(QPalette::Highlight), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (!editable_) return;
    if (drag_ == Drag::Graph)
        drawOutline(p, outlineOfGraph());
    else if (drag_ == Drag::Region)
        drawOutline(p, outlineRect(pressedAt_, at_));
    else if (mark_)
        drawOutline(p, outlineRect(mark_->a, mark_->b));
}

void PageView::mousePressEvent(QMouseEvent* event) {
    if (!editable_ || drag_ != Drag::None) return;
    const Point at = pagePoint(event->position().toPoint());
    const int graph = sheet_ ? GraphAt(*sheet_, at) : -1;
    if (event->button() == Qt::RightButton) {
        if (graph < 0) return;
        const Rect r = GraphSelection(*sheet_, graph);
        setMark(Mark{{r.left, r.top}, {r.right, r.bottom}});
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    // A press on the page drops an open selection, as キャンセル does.
    setMark(std::nullopt);
    pressedAt_ = at_ = at;
    graph_ = graph;
    drag_ = graph >= 0 ? Drag::Graph : Drag::Region;
    if (drag_ == Drag::Graph) setCursor(Qt::ClosedHandCursor);
    update();
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
    if (!editable_) return;
    const QPoint pos = event->position().toPoint();
    if (drag_ == Drag::None) {
        const bool overGraph = sheet_ && GraphAt(*sheet_, pagePoint(pos)) >= 0;
        setCursor(overGraph ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    // A graph may be dragged partly off the page; a region stays on it.
    at_ = drag_ == Drag::Graph ? toPage(pos) : pagePoint(pos);
    emit dragging(pos);
    update();
}

void PageView::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ == Drag::None || event->button() != Qt::LeftButton) return;
    const Drag drag = std::exchange(drag_, Drag::None);
    unsetCursor();
    update();
    if (drag == Drag::Graph) {
        const int dx = at_.x - pressedAt_.x, dy = at_.y - pressedAt_.y;
        // A click without movement leaves the graph (and the worksheet) as they are.
        if ((dx != 0 || dy != 0) && sheet_) {
            const Worksheet::Placed& g = sheet_->graphPlaced[graph_];
            emit graphDropped(graph_, QPoint(g.left + dx, g.top + dy));
        }
        return;
    }
    // A click without an area marks nothing.
    if (at_.x != pressedAt_.x && at_.y != pressedAt_.y) setMark(Mark{pressedAt_, at_});
}
