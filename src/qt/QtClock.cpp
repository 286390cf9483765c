#include "qt/QtClock.h"

#include <QTimeZone>
#include <QtGlobal>

std::optional<QDateTime> QtClock::fixedTime() {
    const QByteArray value = qgetenv("SOURCE_DATE_EPOCH").trimmed();
    if (value.isEmpty()) return std::nullopt;
    bool ok = false;
    const qlonglong seconds = value.toLongLong(&ok);
    if (!ok) return std::nullopt;
    QDateTime t = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    if (!t.isValid()) return std::nullopt;
    return t;
}

DateTime QtClock::fromQDateTime(const QDateTime& t) {
    const QDate d = t.date();
    const QTime tm = t.time();
    return DateTime{d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second()};
}

DateTime QtClock::now() {
    if (auto fixed = fixedTime()) return fromQDateTime(*fixed);
    return fromQDateTime(QDateTime::currentDateTime());
}
