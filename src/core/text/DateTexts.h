#pragma once
// Dates and times as the page header and the records write them.

#include <string>

#include "platform/Clock.h"

// n in decimal, with a leading "0" when n <= 9.
std::string TwoDigits(int n);
// "hh:mm".
std::string TimeText(const DateTime& t);
// "2005.06.22".
std::string DateTextDots(Clock& clock);
std::string DateTextDots(const DateTime& t);
