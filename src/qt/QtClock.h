#pragma once
// Local date and time; the time named by SOURCE_DATE_EPOCH (seconds since 1970, taken
// as UTC) when that variable is set, so that generated output can be reproduced.

#include <optional>

#include <QDateTime>

#include "platform/Clock.h"

class QtClock : public Clock {
  public:
    DateTime now() override;
    // The fixed time from SOURCE_DATE_EPOCH, or nothing when unset or not a number.
    static std::optional<QDateTime> fixedTime();
    static DateTime fromQDateTime(const QDateTime& t);
};
