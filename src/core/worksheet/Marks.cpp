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

MarkPlace BoxMarkPlace(const KranEntry& entry, int fieldHeight, int kranW, int kranH,
                       int charSize) {
    MarkPlace p;
    const double h = 2.0 * charSize + kranH - 10;
    p.fieldLeft = clampi(L(entry.x) + 6);
    p.fieldTop = clampi(L(entry.y) + roundi(0.3 * h));
    p.fieldWidth = clampi(5 * (L(kranW) + 5));
    p.fieldHeight = fieldHeight;
    p.boxX = entry.x;
    p.boxY = entry.y;
    p.kranW = kranW;
    p.kranH = kranH;
    return p;
}

Rect MarkRectA(const MarkPlace& p, double s, double f) {
    Rect r;
    r.left = clampi(L(roundi(s * p.fieldLeft * f)) - roundi(9 * s));
    r.top = clampi(L(roundi(s * p.fieldTop)) + roundi(3 * s));
    r.right = clampi(L(r.left) + roundi(s * p.fieldWidth) + roundi(6 * s));
    r.bottom = clampi(L(r.top) + roundi(s * p.fieldHeight));
    return r;
}

Rect MarkRectC(const MarkPlace& p, double s, double f) {
    Rect r;
    r.left = roundi(s * p.fieldLeft * f);
    r.top = clampi(L(roundi(s * p.fieldTop)) + roundi(3 * s));
    r.right = clampi(L(r.left) + roundi(s * p.fieldWidth) - roundi(3 * s));
    r.bottom = clampi(L(r.top) + roundi(s * p.fieldHeight));
    return r;
}

Rect MarkRectB(const MarkPlace& p, double s, double f) {
    const int g = roundi(s * (static_cast<double>(p.kranW) + 5));
    const int kh = roundi(s * p.kranH);
    const int t0 = clampi(L(roundi(s * p.boxY)) + roundi(3 * s));
    Rect r;
    r.left = roundi(s * p.boxX * f);
    r.right = clampi(L(r.left) + 5 * L(g));
    r.top = clampi(L(t0) - roundi(kh / 2.0));
    r.bottom = clampi(L(t0) + roundi(s * p.fieldHeight) + kh);
    return r;
}

void DrawMark(Canvas& canvas, MarkKind kind, const MarkPlace& p, double s, double f, Color color) {
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenColor(color);
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenWidth(std::max(1, roundi(2 * s)));
    const double ws = static_cast<double>(p.fieldWidth) * s;
    switch (kind) {
    case MarkKind::Circle: {
        const Rect a = MarkRectA(p, s, f);
        canvas.ellipse(Rect{roundi(a.left - 0.1 * ws), roundi(a.top - 0.2 * ws),
                            roundi(a.right + 0.1 * ws), roundi(a.bottom + 0.2 * ws)});
        break;
    }
    case MarkKind::DoubleCircle: {
        const Rect a = MarkRectA(p, s, f);
        for (int m = 1; m <= 2; ++m) {
            const double g = m * 0.09 * ws;
            canvas.ellipse(Rect{roundi(a.left - g), roundi(a.top - g), roundi(a.right + g),
                                roundi(a.bottom + g)});
        }
        break;
    }
    case MarkKind::Slash: {
        const Rect a = MarkRectA(p, s, f);
        canvas.moveTo(roundi(a.right + 0.1 * ws), roundi(a.top - 0.2 * ws));
        canvas.lineTo(roundi(a.left - 0.1 * ws), roundi(a.bottom + 0.2 * ws));
        break;
    }
    case MarkKind::TestWrong: {
        const Rect b = MarkRectB(p, s, f);
        const double o = 0.05 * ws;
        canvas.moveTo(roundi(b.right - o), roundi(b.top - o));
        canvas.lineTo(roundi(b.left + o), roundi(b.bottom + o));
        break;
    }
    case MarkKind::Triangle: {
        const Rect c = MarkRectC(p, s, f);
        canvas.setPenWidth(3);
        const Point apex{clampi(L(c.left) + (L(c.right) - c.left) / 2), clampi(L(c.top) - 15)};
        canvas.moveTo(apex.x, apex.y);
        canvas.lineTo(clampi(L(c.left) - 30), clampi(L(c.bottom) + 5));
        canvas.lineTo(clampi(L(c.right) + 10), clampi(L(c.bottom) + 5));
        canvas.lineTo(apex.x, apex.y);
        break;
    }
    }
    canvas.setPenWidth(1);
    canvas.setPenColor(colors::Black);
}

void DrawBoxMark(Canvas& canvas, int mark, const MarkPlace& p, double s, double f) {
    switch (mark) {
    case 1:
        DrawMark(canvas, MarkKind::Circle, p, s, f, colors::Red);
        break;
    case 0:
        DrawMark(canvas, MarkKind::TestWrong, p, s, f, colors::Red);
        break;
    case -2:
        DrawMark(canvas, MarkKind::Triangle, p, s, f, colors::Red);
        break;
    default:
        break;
    }
}
