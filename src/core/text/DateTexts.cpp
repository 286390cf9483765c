#include "text/DateTexts.h"

std::string TwoDigits(int n) {
    return (n <= 9 ? "0" : "") + std::to_string(n);
}

std::string TimeText(const DateTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

std::string DateTextDots(const DateTime& t) {
    return std::to_string(t.year) + "." + TwoDigits(t.month) + "." + TwoDigits(t.day);
}

std::string DateTextDots(Clock& clock) {
    return DateTextDots(clock.now());
}
