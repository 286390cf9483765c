#include "worksheet/Worksheet.h"

#include <charconv>

#include "formats/LayoutBounds.h"
#include "text/Sjis.h"

int DecimalOr(const std::string& text, int fallback) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return fallback;
    const char* first = text.data() + b;
    const char* last = text.data() + text.find_last_not_of(' ') + 1;
    if (*first == '+') ++first;
    int v = 0;
    auto r = std::from_chars(first, last, v);
    return (r.ec == std::errc() && r.ptr == last) ? v : fallback;
}

int Worksheet::kran(int line) const {
    if (line < 0 || line >= static_cast<int>(lstKranX.size())) return 0;
    // The box kind, column mode and reserved line are no layout distances.
    if (line == 0 || line == 3 || line == 9) return DecimalOr(lstKranX[line], 0);
    return BoundedNumber(lstKranX[line], 0, layoutbounds::KranSetting);
}

std::string TooManyGraphsText(int count) {
    return std::to_string(count) + J(":問題のグラフが多すぎます");
}
