#pragma once
// The scores of one item's runs over time, as the records window charts them: x the date
// and time of each run, y its score from 0 to 100.

#include <string>
#include <vector>

#include "learners/Records.h"
#include "platform/Clock.h"

struct ScorePoint {
    long minute = 0; // minutes since 2000-01-01 00:00
    int score = 0;
};

// The runs of the records that read as record lines, oldest first; damaged lines are left
// out.
std::vector<ScorePoint> ScoreHistory(const std::vector<Record>& records);

// Minutes since 2000-01-01 00:00 for a date and time of day (the proleptic Gregorian
// calendar; earlier dates give negative numbers).
long MinuteOf(const DateTime& t);
DateTime DateTimeOf(long minute);

struct TimeTick {
    long minute = 0;
    std::string label; // ASCII: "3/7", "2005/3/7" or "09:30"
};
// Ticks for a time axis from first to last (minutes): at whole days, a step of 1, 2 or 7
// days or 1, 2, 3, 6 or 12 months, so that at most maxTicks fit; at whole hours when the
// span is under two days. Labels are month/day, with the year when the span crosses one.
std::vector<TimeTick> TimeTicks(long first, long last, int maxTicks);
