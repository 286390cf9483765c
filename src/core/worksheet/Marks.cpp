#include "worksheet/Marks.h"

#include <algorithm>

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
    return MarkPlace{place.field, place.box};
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

void DrawMark(Canvas& canvas, MarkKind kind, const MarkPlace& p, double s, Color color) {
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenColor(color);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenWidth(std::max(1, roundi(2 * s)));
    const double ws = static_cast<double>(p.field.width()) * s;
    switch (kind) {
    case MarkKind::Circle: {
        const Rect a = MarkRectA(p, s);
        canvas.ellipse(Rect{roundi(a.left - 0.1 * ws), roundi(a.top - 0.2 * ws),
                            roundi(a.right + 0.1 * ws), roundi(a.bottom + 0.2 * ws)});
        break;
    }
    case MarkKind::DoubleCircle: {
        const Rect a = MarkRectA(p, s);
        for (int m = 1; m <= 2; ++m) {
            const double g = m * 0.09 * ws;
            canvas.ellipse(Rect{roundi(a.left - g), roundi(a.top - g), roundi(a.right + g),
                                roundi(a.bottom + g)});
        }
        break;
    }
    case MarkKind::Slash: {
        const Rect a = MarkRectA(p, s);
        canvas.moveTo(roundi(a.right + 0.1 * ws), roundi(a.top - 0.2 * ws));
        canvas.lineTo(roundi(a.left - 0.1 * ws), roundi(a.bottom + 0.2 * ws));
        break;
    }
    case MarkKind::TestWrong: {
        const Rect b = MarkRectB(p, s);
        const double o = 0.05 * ws;
        canvas.moveTo(roundi(b.right - o), roundi(b.top - o));
        canvas.lineTo(roundi(b.left + o), roundi(b.bottom + o));
        break;
    }
    case MarkKind::Triangle: {
        const Rect c = MarkRectC(p, s);
        canvas.setPenWidth(std::max(1, roundi(3 * s)));
        const int below = clampi(L(c.bottom) + roundi(5 * s));
        const Point apex{clampi(L(c.left) + (L(c.right) - c.left) / 2),
                         clampi(L(c.top) - roundi(15 * s))};
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
