#include "formats/LayoutBounds.h"

#include "text/TextCuts.h"

namespace layoutbounds {

std::optional<NumberRange> RangeOfBlockLine(std::string_view keyword, int n) {
    if (keyword == "<<value") {
        switch (n) {
        case 3:
            return LineSpace;
        case 4:
        case 5:
            return Margin;
        case 6:
            return StartNo;
        default:
            return std::nullopt; // paper width (read as a paper), flags
        }
    }
    if (keyword == "<<font") return n == 1 ? std::optional(FontSize) : std::nullopt;
    // Kran line 1 is the box kind (its first character counts), 4 the column mode,
    // 10 is kept only.
    if (keyword == "<<kran" && n >= 2 && n <= 9 && n != 4) return KranSetting;
    return std::nullopt;
}

} // namespace layoutbounds

int BoundedNumber(const std::string& text, int fallback, NumberRange range) {
    return range.clamp(DecimalOr(text, fallback));
}
