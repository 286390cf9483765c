#include "qt/QtTimer.h"

#include <algorithm>

QtTimer::QtTimer() {
    // A clock counts seconds: a coarse timer is late by less than 5 %, which is plenty.
    timer_.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (tick_) tick_();
    });
}

void QtTimer::start(int intervalMs, std::function<void()> tick) {
    tick_ = std::move(tick);
    timer_.start(std::max(intervalMs, 0));
}

void QtTimer::stop() {
    timer_.stop();
}

bool QtTimer::running() const {
    return timer_.isActive();
}
