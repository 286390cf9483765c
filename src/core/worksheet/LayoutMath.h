#pragma once
// Rounding for page geometry: nearest integer, halves to the even neighbour. Values are
// clamped first, so that huge margins, spins or sizes give far-off coordinates instead of
// overflowing an int.

#include <cmath>

namespace layoutmath {

// Far beyond any page, yet sums of a few such values still fit in an int.
constexpr double Limit = 1 << 26;

inline int clampi(long long v) {
    if (v > static_cast<long long>(Limit)) return static_cast<int>(Limit);
    if (v < -static_cast<long long>(Limit)) return -static_cast<int>(Limit);
    return static_cast<int>(v);
}

inline int roundi(double v) {
    if (!(v == v)) return 0; // NaN
    if (v > Limit) v = Limit;
    if (v < -Limit) v = -Limit;
    return static_cast<int>(std::nearbyint(v));
}

// Font sizes handed to the canvas stay within what a font can have.
constexpr int MaxFontSize = 1000;
inline int fontSize(long long v) {
    if (v < 1) return 1;
    if (v > MaxFontSize) return MaxFontSize;
    return static_cast<int>(v);
}

} // namespace layoutmath
