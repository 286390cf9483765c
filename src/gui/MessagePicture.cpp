#include "gui/MessagePicture.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/UiParts.h"

MessagePicture::MessagePicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MessagePicture::line(int n, const QString& t, int points, const QColor& color, int x) {
    if (n == 0) clear();
    text(x, n * 24, t, points, color);
}

void MessagePicture::text(int x, int y, const QString& t, int points, const QColor& color,
                          bool bold) {
    items_.push_back(Item{x, y, t, points, color, bold});
    setAccessibleDescription(writtenText());
    update();
}

void MessagePicture::clear() {
    items_.clear();
    picture_ = QPixmap();
    setAccessibleDescription(QString());
    update();
}

void MessagePicture::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

QString MessagePicture::writtenText() const {
    QStringList lines;
    for (const Item& i : items_)
        if (!i.text.isEmpty()) lines << i.text;
    return lines.join(QLatin1Char('\n'));
}

void MessagePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    int bottom = 0;
    for (const Item& i : items_) {
        // Points as on a 96 dpi screen; a line wider than the picture is drawn smaller, so
        // that it shows whole in a narrow panel.
        int pixels = (i.points * 4 + 1) / 3;
        QFont font = uiFont("ＭＳ Ｐゴシック", pixels, i.bold);
        while (pixels > 8 && QFontMetrics(font).horizontalAdvance(i.text) > width() - i.x - 8)
            font = uiFont("ＭＳ Ｐゴシック", --pixels, i.bold);
        p.setFont(font);
        p.setPen(i.color);
        const QFontMetrics m(font);
        p.drawText(QPoint(i.x + 4, i.y + 2 + m.ascent()), i.text);
        bottom = std::max(bottom, i.y + 2 + m.height());
    }
    if (!picture_.isNull()) {
        const QSize size = picture_.deviceIndependentSize().toSize();
        // Right under the text, so that a tall area never pushes it out of sight.
        const int top = bottom + 8;
        p.drawPixmap(QPoint((width() - size.width()) / 2, top), picture_);
    }
}

void MessagePicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}
