#include "worksheet/Marks.h"

#include <algorithm>
#include <cmath>

#include "worksheet/LayoutMath.h"

using layoutmath::clampi;
using layoutmath::roundi;

namespace {
long long L(int v) {
    return v;
}
} // namespace

MarkPlace BoxMarkPlace(const KranEntry& entry, const BoxStyle& style) {
    const AnswerPlace place = PlaceAnswer(entry, style);
    MarkPlace p{place.field, place.box, place.answer};
    if (entry.linePitch > 0) {
        const long long height = std::max<long long>(entry.linePitch, place.box.height());
        p.bandTop = clampi((L(place.box.top) + place.box.bottom - height) / 2);
        p.bandBottom = clampi(L(p.bandTop) + height);
    }
    return p;
}

MarkPlace FieldMarkPlace(const KranEntry& entry, const BoxStyle& style, const Rect& ownField,
                         const Rect& field) {
    MarkPlace p = BoxMarkPlace(entry, style);
    const long long shift = L(field.left) - ownField.left;
    p.answer.left = clampi(p.answer.left + shift);
    p.answer.right = clampi(p.answer.right + shift);
    p.field = field;
    return p;
}

Rect MarkRectA(const MarkPlace& p, double s) {
    Rect r = ScaleRect(p.field, s);
    const int g = roundi(3 * s);
    r.left = clampi(L(r.left) - g);
    r.right = clampi(L(r.right) + g);
    return r;
}

Rect MarkRectB(const MarkPlace& p, double s) {
    return ScaleRect(p.box, s);
}

Rect MarkRectC(const MarkPlace& p, double s) {
    Rect r = ScaleRect(p.field, s);
    r.left = clampi(L(r.left) + roundi(6 * s));
    r.right = clampi(L(r.right) + roundi(3 * s));
    return r;
}

namespace {

// The rows a mark drawn with a pen of width pen may reach on a target of scale s: the line
// band less the pen's overhang (how far the pen inks beyond the path's ends and corners).
struct Rows {
    bool bounded = false;
    int top = 0, bottom = 0;
    int clamp(double y) const {
        const int v = roundi(y);
        return bounded ? std::clamp(v, top, std::max(top, bottom)) : v;
    }
};

Rows rowsFor(const MarkPlace& p, double s, int overhang) {
    Rows r;
    if (p.bandBottom <= p.bandTop) return r;
    r.bounded = true;
    r.top = clampi(L(roundi(p.bandTop * s)) + overhang);
    r.bottom = clampi(L(roundi(p.bandBottom * s)) - 1 - overhang);
    if (r.bottom < r.top) r.top = r.bottom = clampi((L(r.top) + r.bottom) / 2);
    return r;
}

// The ellipse a circle draws: centred on rectangle A, grown by grow × ws around it as far as
// the rows allow, and wide enough that the answer's ink stays inside its ring with room
// for the pen.
Rect circleAround(const MarkPlace& p, double s, double growX, double growY, const Rows& rows,
                  int pen) {
    const Rect a = MarkRectA(p, s);
    const double cx = (static_cast<double>(a.left) + a.right) / 2;
    const double cy = (static_cast<double>(a.top) + a.bottom) / 2;
    double rx = (static_cast<double>(a.right) - a.left) / 2 + growX;
    double ry = (static_cast<double>(a.bottom) - a.top) / 2 + growY;
    if (rows.bounded) ry = std::max(1.0, std::min({ry, cy - rows.top, rows.bottom - cy}));
    if (p.answer.right > p.answer.left && p.answer.bottom > p.answer.top) {
        // The answer's corners, seen from the centre, with half the pen and a pixel's gap.
        const double room = pen / 2.0 + 1.5 * s;
        const double ax = std::max(std::abs(p.answer.left * s - cx),
                                   std::abs(p.answer.right * s - cx)) + room;
        const double ay = std::max(std::abs(p.answer.top * s - cy),
                                   std::abs(p.answer.bottom * s - cy)) + room;
        // (ax / rx)² + (ay / ry)² ≤ 1 holds the corners inside; a band too low for that
        // widens the ring at most threefold.
        const double q = ay / ry;
        const double need = q < 0.95 ? ax / std::sqrt(1 - q * q) : 3 * ax;
        rx = std::max(rx, std::min(need, 3 * ax));
    }
    return Rect{roundi(cx - rx), roundi(cy - ry), roundi(cx + rx), roundi(cy + ry)};
}

} // namespace

void DrawMark(Canvas& canvas, MarkKind kind, const MarkPlace& p, double s, Color color) {
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenColor(color);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Copy);
    const int pen = std::max(1, roundi(2 * s));
    canvas.setPenWidth(pen);
    const double ws = static_cast<double>(p.field.width()) * s;
    // A round-ended pen inks half its width beyond a path; a mitred corner up to twice that.
    const Rows rows = rowsFor(p, s, (pen + 1) / 2);
    switch (kind) {
    case MarkKind::Circle:
        canvas.ellipse(circleAround(p, s, 0.1 * ws, 0.2 * ws, rows, pen));
        break;
    case MarkKind::DoubleCircle:
        for (int m = 1; m <= 2; ++m)
            canvas.ellipse(circleAround(p, s, m * 0.09 * ws, m * 0.09 * ws, rows, pen));
        break;
    case MarkKind::Slash: {
        const Rect a = MarkRectA(p, s);
        canvas.moveTo(roundi(a.right + 0.1 * ws), rows.clamp(a.top - 0.2 * ws));
        canvas.lineTo(roundi(a.left - 0.1 * ws), rows.clamp(a.bottom + 0.2 * ws));
        break;
    }
    case MarkKind::TestWrong: {
        const Rect b = MarkRectB(p, s);
        const double o = 0.05 * ws;
        canvas.moveTo(roundi(b.right - o), rows.clamp(b.top - o));
        canvas.lineTo(roundi(b.left + o), rows.clamp(b.bottom + o));
        break;
    }
    case MarkKind::Triangle: {
        const Rect c = MarkRectC(p, s);
        const int wide = std::max(1, roundi(3 * s));
        canvas.setPenWidth(wide);
        const Rows corners = rowsFor(p, s, wide * 2);
        const int below = corners.clamp(L(c.bottom) + roundi(5 * s));
        const Point apex{clampi(L(c.left) + (L(c.right) - c.left) / 2),
                         corners.clamp(L(c.top) - roundi(15 * s))};
        canvas.moveTo(apex.x, apex.y);
        canvas.lineTo(clampi(L(c.left) - roundi(30 * s)), below);
        canvas.lineTo(clampi(L(c.right) + roundi(10 * s)), below);
        canvas.lineTo(apex.x, apex.y);
        break;
    }
    }
    canvas.setPenWidth(1);
    canvas.setPenColor(colors::Black);
}

void DrawBoxMark(Canvas& canvas, int mark, const MarkPlace& p, double s) {
    switch (mark) {
    case 1:
        DrawMark(canvas, MarkKind::Circle, p, s, colors::Red);
        break;
    case 0:
        DrawMark(canvas, MarkKind::TestWrong, p, s, colors::Red);
        break;
    case -2:
        DrawMark(canvas, MarkKind::Triangle, p, s, colors::Red);
        break;
    default:
        break;
    }
}
