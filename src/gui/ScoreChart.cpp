#include "gui/ScoreChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

constexpr int Left = 44;
constexpr int Right = 16;
constexpr int Top = 28;
constexpr int Bottom = 48;
// How far apart runs of one minute stand, in pixels, when the plot has the room.
constexpr double MinuteStep = 10.0;

} // namespace

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chtScore"));
    setAccessibleName(QStringLiteral("得点の推移"));
    setMinimumSize(240, 160);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void ScoreChart::setRuns(std::vector<ScorePoint> runs) {
    runs_ = std::move(runs);
    setAccessibleDescription(runs_.empty() ? QStringLiteral("記録なし")
                                           : QString::number(runs_.size()) + QStringLiteral("回"));
    update();
}

QRect ScoreChart::plotArea() const {
    return QRect(Left, Top, std::max(1, width() - Left - Right),
                 std::max(1, height() - Top - Bottom));
}

std::pair<long, long> ScoreChart::span() const {
    if (runs_.empty()) return {0, 60};
    long first = runs_.front().minute;
    long last = runs_.back().minute;
    if (last - first < 60) {
        first -= 60;
        last += 60;
    }
    // A little room either side, so that the first and last runs stand clear of the edges.
    const long pad = std::max(1L, (last - first) / 40);
    return {first - pad, last + pad};
}

QPointF ScoreChart::pointOf(const ScorePoint& run) const {
    const QRect area = plotArea();
    const auto [first, last] = span();
    const double x = area.left() + area.width() * double(run.minute - first) / double(last - first);
    const double score = std::clamp(run.score, 0, 100);
    const double y = area.bottom() - area.height() * score / 100.0;
    return {x, y};
}

QPointF ScoreChart::pointAt(std::size_t i) const {
    QPointF at = pointOf(runs_.at(i));
    std::size_t first = i, last = i;
    while (first > 0 && runs_[first - 1].minute == runs_[i].minute)
        --first;
    while (last + 1 < runs_.size() && runs_[last + 1].minute == runs_[i].minute)
        ++last;
    if (first == last) return at;
    // A step that keeps the dots apart and all of the minute's runs inside the plot.
    const QRect area = plotArea();
    const double count = double(last - first + 1);
    const double step = std::min(MinuteStep, double(area.width() - 1) / count);
    const double spread = step * (count - 1);
    const double start = std::clamp(at.x() - spread / 2, double(area.left()),
                                    std::max(double(area.left()), area.right() - spread));
    at.setX(start + step * double(i - first));
    return at;
}

void ScoreChart::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    const QRect area = plotArea();
    const QFontMetrics fm(font());
    g.setPen(Qt::black);
    g.drawText(QRect(0, 4, width(), Top - 8), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("得点の推移"));
    // The score axis: lines every 20 points.
    for (int s = 0; s <= 100; s += 20) {
        const int y = area.bottom() - area.height() * s / 100;
        g.setPen(QPen(s == 0 ? Qt::black : QColor(220, 220, 220)));
        g.drawLine(area.left(), y, area.right(), y);
        g.setPen(Qt::black);
        g.drawText(QRect(0, y - fm.height() / 2, Left - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(s));
    }
    g.drawLine(area.bottomLeft(), area.topLeft());
    g.drawText(QRect(0, 4, Left + 40, Top - 8), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("（点）"));
    // Within two days the ticks are hours: the axis says which day.
    QString across = QStringLiteral("実施日");
    if (!runs_.empty() && runs_.back().minute - runs_.front().minute < 2 * 24 * 60) {
        const DateTime day = DateTimeOf(runs_.front().minute);
        across = QStringLiteral("%1/%2/%3").arg(day.year).arg(day.month).arg(day.day);
    }
    g.drawText(QRect(area.right() - 120, area.bottom() + 6 + fm.height(), 120, fm.height()),
               Qt::AlignRight, across);
    if (runs_.empty()) {
        g.drawText(area, Qt::AlignCenter, QStringLiteral("グラフにする記録がありません"));
        return;
    }
    // The time axis: ticks at whole days or hours.
    const auto [first, last] = span();
    const int maxTicks = std::max(2, area.width() / 70);
    for (const TimeTick& t : TimeTicks(first, last, maxTicks)) {
        const double x = pointOf({t.minute, 0}).x();
        g.setPen(QColor(220, 220, 220));
        g.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        g.setPen(Qt::black);
        g.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        g.drawText(QRectF(x - 40, area.bottom() + 6, 80, fm.height()), Qt::AlignHCenter,
                   QString::fromStdString(t.label));
    }
    QPainterPath line;
    line.moveTo(pointAt(0));
    for (std::size_t i = 1; i < runs_.size(); ++i)
        line.lineTo(pointAt(i));
    g.setPen(QPen(QColor(0, 0, 160), 2));
    g.drawPath(line);
    g.setBrush(QColor(0, 0, 160));
    for (std::size_t i = 0; i < runs_.size(); ++i)
        g.drawEllipse(pointAt(i), 3.5, 3.5);
}
