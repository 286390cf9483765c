#include "text/DateTexts.h"

#include "text/Sjis.h"

std::string TwoDigits(int n) {
    return (n <= 9 ? "0" : "") + std::to_string(n);
}

std::string TimeText(const DateTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

std::string TimeText(Clock& clock) {
    return TimeText(clock.now());
}

std::string DateTextJa(Clock& clock) {
    DateTime t = clock.now();
    return TwoDigits(t.year) + J("年") + TwoDigits(t.month) + J("月") + TwoDigits(t.day) + J("日");
}

std::string DateTextDots(const DateTime& t) {
    return std::to_string(t.year) + "." + TwoDigits(t.month) + "." + TwoDigits(t.day);
}

std::string DateTextDots(Clock& clock) {
    return DateTextDots(clock.now());
}
