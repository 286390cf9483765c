#include "gui/ScratchPad.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/Artwork.h"
#include "gui/UiParts.h"

namespace {
constexpr int CrossCursor = 4;
constexpr int ScissorsCursor = 6;
} // namespace

ScratchPad::ScratchPad(const CursorTable& cursors, QWidget* parent)
    : QWidget(parent), cursors_(cursors) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(cursors_.cursor(CrossCursor));
}

void ScratchPad::reset() {
    blank(true);
}

void ScratchPad::blank(bool full) {
    fresh_ = full;
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    const QSize size = this->size().expandedTo(QSize(1, 1));
    image_ = QImage(size * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    auto say = [&](int y, const char* text, int points) {
        const QFont font = uiFont("ＭＳ Ｐゴシック", (points * 4 + 1) / 3);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(10, y + QFontMetrics(font).ascent()), QString::fromUtf8(text));
    };
    say(5, "    マウスで線が描けます", 8);
    if (full) {
        say(33, "左ボタン：描く", 12);
        say(50, "右ボタン：消す", 12);
        say(67, "ダブルクリック：全部消す", 12);
    }
    p.end();
    update();
}

void ScratchPad::strokeTo(QPoint to) {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(erasing_ ? Qt::white : QColor(255, 0, 0), erasing_ ? 10 : 2, Qt::SolidLine,
             Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawLine(last_, to);
    p.end();
    last_ = to;
    update();
}

void ScratchPad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(QPoint(0, 0), image_);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ScratchPad::resizeEvent(QResizeEvent*) {
    // A new size keeps what fits of the drawing; an untouched pad is made again whole.
    const QImage old = image_;
    blank(fresh_ || old.isNull());
    if (fresh_) return;
    QPainter p(&image_);
    p.drawImage(QPoint(0, 0), old);
}

void ScratchPad::mousePressEvent(QMouseEvent* event) {
    erasing_ = event->button() != Qt::LeftButton;
    setCursor(cursors_.cursor(erasing_ ? ScissorsCursor : CrossCursor));
    drawing_ = true;
    fresh_ = false;
    last_ = event->position().toPoint();
    strokeTo(last_);
}

void ScratchPad::mouseMoveEvent(QMouseEvent* event) {
    if (drawing_) strokeTo(event->position().toPoint());
}

void ScratchPad::mouseReleaseEvent(QMouseEvent* event) {
    if (!drawing_) return;
    strokeTo(event->position().toPoint());
    drawing_ = false;
    setCursor(cursors_.cursor(CrossCursor));
}

void ScratchPad::mouseDoubleClickEvent(QMouseEvent*) {
    drawing_ = false;
    blank(false);
}
