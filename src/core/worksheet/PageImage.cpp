#include "worksheet/PageImage.h"

#include <algorithm>

#include "worksheet/LayoutMath.h"

using layoutmath::clampi;
using layoutmath::roundi;

void BlankPage(Canvas& page) {
    page.fillRect(Rect{0, 0, page.deviceWidth(), page.deviceHeight()}, colors::White);
}

Rect ScreenPictureRect(const Worksheet::Placed& placed) {
    return Rect{placed.left, placed.top, clampi(static_cast<long long>(placed.left) + placed.width),
                clampi(static_cast<long long>(placed.top) + placed.height)};
}

Rect PrinterPictureRect(const Worksheet::Placed& placed, double s) {
    Rect r;
    r.left = roundi(placed.left * s);
    r.top = roundi(placed.top * s);
    r.right = clampi(static_cast<long long>(roundi(placed.width * s)) + r.left);
    r.bottom = clampi(static_cast<long long>(roundi(placed.height * s)) + r.top);
    return r;
}

Bitmap CopyPageRegion(Canvas& page, Point a, Point b) {
    const int x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x);
    const int y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    // A selection without width or height gives an empty bitmap.
    const int left = clampi(static_cast<long long>(x1) + 1);
    const int top = clampi(static_cast<long long>(y1) + 1);
    return page.grab(Rect{left, top, std::max(left, x2), std::max(top, y2)});
}
