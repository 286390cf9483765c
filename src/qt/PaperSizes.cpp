#include "qt/PaperSizes.h"

#include <cmath>

QPageSize paperPageSize(int paperWidth) {
    switch (paperWidth) {
    case 546:
        return QPageSize(QPageSize::JisB5);
    case 771:
        return QPageSize(QPageSize::JisB4);
    case 891:
        return QPageSize(QPageSize::A3);
    default:
        return QPageSize(QPageSize::A4);
    }
}

int paperDots(double millimetres, int dpi) {
    // The small allowance keeps exact products (a whole number of dots) from dropping one.
    return static_cast<int>(std::floor(millimetres * dpi / 25.4 + 1e-6));
}

int paperUnits(double millimetres) {
    return static_cast<int>(std::lround(millimetres * 3));
}
