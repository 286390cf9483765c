#include "learners/ScoreHistory.h"

#include <algorithm>
#include <array>

#include "learners/RecordLine.h"

namespace {

constexpr long MinutesPerDay = 24 * 60;

// Days since 1970-01-01 of a civil date (the well-known era computation).
long daysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateTime civilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    DateTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    return t;
}

const long Epoch = daysFromCivil(2000, 1, 1);

long floorDiv(long a, long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::string dayLabel(const DateTime& t, bool withYear) {
    std::string s = std::to_string(t.month) + "/" + std::to_string(t.day);
    return withYear ? std::to_string(t.year) + "/" + s : s;
}

std::string hourLabel(const DateTime& t) {
    return (t.hour < 10 ? "0" : "") + std::to_string(t.hour) + ":00";
}

} // namespace

long MinuteOf(const DateTime& t) {
    return (daysFromCivil(t.year, t.month, t.day) - Epoch) * MinutesPerDay + t.hour * 60L +
           t.minute;
}

DateTime DateTimeOf(long minute) {
    const long day = floorDiv(minute, MinutesPerDay);
    DateTime t = civilFromDays(day + Epoch);
    const long rest = minute - day * MinutesPerDay;
    t.hour = static_cast<int>(rest / 60);
    t.minute = static_cast<int>(rest % 60);
    return t;
}

std::vector<ScorePoint> ScoreHistory(const std::vector<Record>& records) {
    std::vector<ScorePoint> out;
    for (const Record& r : records)
        if (auto f = ParseRecordLine(r.line)) out.push_back({MinuteOf(f->when), f->score});
    std::stable_sort(out.begin(), out.end(),
                     [](const ScorePoint& a, const ScorePoint& b) { return a.minute < b.minute; });
    return out;
}

std::vector<TimeTick> TimeTicks(long first, long last, int maxTicks) {
    std::vector<TimeTick> out;
    if (maxTicks < 1 || last < first) return out;
    if (last - first < 2 * MinutesPerDay) {
        static constexpr std::array<long, 6> hours = {1, 2, 3, 6, 12, 24};
        long step = hours.back();
        for (long h : hours)
            if ((last - first) / (h * 60) + 1 <= maxTicks) {
                step = h;
                break;
            }
        for (long m = floorDiv(first + step * 60 - 1, step * 60) * step * 60; m <= last;
             m += step * 60)
            out.push_back({m, hourLabel(DateTimeOf(m))});
        return out;
    }
    const DateTime a = DateTimeOf(first), b = DateTimeOf(last);
    const bool withYear = a.year != b.year;
    const long firstDay = floorDiv(first + MinutesPerDay - 1, MinutesPerDay);
    const long lastDay = floorDiv(last, MinutesPerDay);
    for (long d : {1L, 2L, 7L})
        if ((lastDay - firstDay) / d + 1 <= maxTicks) {
            for (long day = firstDay; day <= lastDay; day += d)
                out.push_back(
                    {day * MinutesPerDay, dayLabel(DateTimeOf(day * MinutesPerDay), withYear)});
            return out;
        }
    // Months: the first day of every step-th month in the span.
    const long months = (b.year - a.year) * 12L + (b.month - a.month);
    long step = 12;
    for (long m : {1L, 2L, 3L, 6L, 12L})
        if (months / m + 1 <= maxTicks) {
            step = m;
            break;
        }
    while (months / step + 1 > maxTicks)
        step += 12;
    DateTime t{a.year, a.month, 1, 0, 0, 0};
    for (long i = 0; i <= months + 1; ++i) {
        const long m = MinuteOf(t);
        const long index = (t.year - a.year) * 12L + (t.month - 1);
        if (m >= first && m <= last && index % step == 0) out.push_back({m, dayLabel(t, withYear)});
        if (++t.month > 12) {
            t.month = 1;
            ++t.year;
        }
    }
    return out;
}
