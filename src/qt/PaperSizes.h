#pragma once
// Paper sizes of the worksheet and their page size in printer dots.

#include <QPageSize>

// The page size for a paper width in layout units (B5 546, A4 630, B4 771, A3 891); any
// other width selects A4. B5 and B4 are the Japanese sizes (182 × 257, 257 × 364 mm).
QPageSize paperPageSize(int paperWidth);

// Page width or height in dots: millimetres × resolution / 25.4, cut to whole dots (A4 at
// 600 dpi is 4960 × 7015).
int paperDots(double millimetres, int dpi);

// Page width or height in layout units (1/3 mm), to the nearest unit (A4 is 630 × 891).
int paperUnits(double millimetres);
