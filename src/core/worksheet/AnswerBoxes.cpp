#include "worksheet/AnswerBoxes.h"

#include <algorithm>

#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/Marks.h"
#include "worksheet/PageGeometry.h"
#include "worksheet/Worksheet.h"
#include "worksheet/Workspace.h"

using layoutmath::clampi;
using layoutmath::roundi;

namespace {
long long L(int v) {
    return v;
}
} // namespace

BoxKind AnswerBoxKind(const Worksheet& sheet) {
    return sheet.kranSettings().kind;
}

BoxStyle AnswerBoxStyle(const Worksheet& sheet) {
    BoxStyle style;
    const KranSettings& kran = sheet.kranSettings();
    style.kind = kran.kind;
    style.widthSetting = kran.width;
    style.heightSetting = kran.height;
    return style;
}

AnswerPlace PlaceAnswer(const KranEntry& entry, const BoxStyle& style) {
    AnswerPlace p;
    int top = entry.answerTop;
    int bottom = entry.answerBottom;
    if (bottom <= top) {
        // Never laid out: one line of text of the entry's size, where the layout puts
        // glyph tops (two vertical units below the line top) and 4/3 pixel per point.
        top = clampi(L(entry.y) + 2 * page::VerticalUnit);
        bottom = clampi(L(top) +
                        (L(std::clamp(entry.fontSize, 1, layoutmath::MaxFontSize)) * 8 + 3) / 6);
    }
    p.answer = Rect{entry.x, top, clampi(L(entry.x) + entry.width), bottom};

    p.base.left = entry.x;
    p.base.right = clampi(L(entry.x) + entry.width - 3);
    p.base.top = clampi(L(top) - AnswerRoom);
    p.base.bottom = clampi(L(bottom) + AnswerRoom);

    // 幅: a setting w ≥ −5 makes the box 5 (w + 5) wide; below that the box ends −(w + 5)
    // right of the base. 高さ adds half above and the whole below; it never takes room
    // from the answer.
    const long long ew = L(style.widthSetting) + 5;
    const int eh = std::max(0, style.heightSetting);
    p.box = p.base;
    p.box.right = ew < 0 ? clampi(L(p.base.right) - ew) : clampi(L(p.base.left) + 5 * ew);
    p.box.top = clampi(L(p.base.top) - roundi(eh * 0.5));
    p.box.bottom = clampi(L(p.base.bottom) + eh);

    p.field = Rect{p.box.left, p.base.top, p.box.right, p.base.bottom};
    return p;
}

Rect ScaleRect(const Rect& r, double s) {
    return Rect{roundi(r.left * s), roundi(r.top * s), roundi(r.right * s), roundi(r.bottom * s)};
}

void DrawAnswerBox(Canvas& canvas, const BoxStyle& style, const KranEntry& entry, double s) {
    if (style.kind == BoxKind::None) return;
    const AnswerPlace place = PlaceAnswer(entry, style);
    const Rect box = ScaleRect(place.box, s);
    const int pen = std::max(1, roundi(s));
    canvas.setPenColor(colors::Black);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Copy);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenWidth(pen);
    switch (style.kind) {
    case BoxKind::None:
        break;
    case BoxKind::Square:
        canvas.rectangle(box);
        break;
    case BoxKind::SquareBrackets:
    case BoxKind::LenticularBrackets: {
        static const std::string& open2 = J("［");
        static const std::string& close2 = J("］");
        static const std::string& open3 = J("【");
        static const std::string& close3 = J("】");
        const std::string& open = style.kind == BoxKind::SquareBrackets ? open2 : open3;
        const std::string& close = style.kind == BoxKind::SquareBrackets ? close2 : close3;
        const Rect base = ScaleRect(place.base, s);
        canvas.setFontSize(layoutmath::fontSize(entry.fontSize));
        canvas.setFontColor(colors::Black);
        // Full-width brackets carry their ink on the side of what they enclose: the
        // opening one stands half its width left of the base, centred on the answer's
        // height, the closing one at the base's right edge.
        const int top = clampi((L(base.top) + base.bottom - canvas.textHeight(open)) / 2);
        canvas.textOut(clampi(L(base.left) - canvas.textWidth(open) / 2), top, open);
        canvas.textOut(base.right, top, close);
        break;
    }
    case BoxKind::Underline: {
        // Under the answer with half the room kept below it, and the height setting's.
        const int y = clampi(L(box.bottom) - (pen + 1) / 2 - roundi(AnswerRoom / 2 * s));
        canvas.moveTo(box.left, y);
        canvas.lineTo(box.right, y);
        break;
    }
    case BoxKind::RoundedSquare: {
        // Corners round off at most 8 units: a corner that cut deeper would reach an
        // answer that ends a few units short of the box's side.
        const int e = std::min(roundi(0.5 * std::min(box.width(), box.height())), roundi(16 * s));
        canvas.roundRect(box, e, e);
        break;
    }
    }
    canvas.setPenWidth(1);
}

void DrawAnswerBoxes(const Worksheet& sheet, Canvas& canvas, double s) {
    const SheetLayout& st = sheet.layout;
    const BoxStyle style = AnswerBoxStyle(sheet);
    const int count = std::clamp(st.kranCount, 0, MaxKran);
    for (int k = 1; k <= count; ++k) {
        const KranEntry& entry = st.KranTable[k];
        DrawAnswerBox(canvas, style, entry, s);
        if (entry.mark == 1 || entry.mark == 0 || entry.mark == -2)
            DrawBoxMark(canvas, entry.mark, BoxMarkPlace(entry, style), s);
    }
}
