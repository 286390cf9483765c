#pragma once
// The range of every number that the "<<value", "<<font" and "<<kran" blocks give the
// layout. A value outside its range is taken at the nearest end when it is read, so that
// no sum, product or scaling of layout values can overflow; the course check reports it.
// The ranges hold every value the program's own controls can set, and far more.

#include <optional>
#include <string>
#include <string_view>

struct NumberRange {
    int lo = 0;
    int hi = 0;
    int clamp(int v) const { return v < lo ? lo : v > hi ? hi : v; }
    bool contains(int v) const { return v >= lo && v <= hi; }
};

namespace layoutbounds {

constexpr NumberRange FontSize{1, 200};       // points
constexpr NumberRange LineSpace{-1000, 1000}; // layout units
constexpr NumberRange Margin{-100, 100};      // tens of layout units
constexpr NumberRange StartNo{-99999, 99999};
constexpr NumberRange Options{0, 15};
constexpr NumberRange KranSetting{-1000, 1000}; // widths, heights, places, offsets

// The range of content line n (from 1) of a block ("<<value", "<<font", "<<kran"), or
// nothing when that line is not a bounded number (a face name, a flag, the box kind).
std::optional<NumberRange> RangeOfBlockLine(std::string_view keyword, int n);

} // namespace layoutbounds

// The decimal number text holds (blanks around it allowed), taken into range; fallback
// when it holds none.
int BoundedNumber(const std::string& text, int fallback, NumberRange range);
