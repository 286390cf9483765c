#include "worksheet/AnswerBoxes.h"

#include <algorithm>

#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/Marks.h"
#include "worksheet/Worksheet.h"

using layoutmath::roundi;

int AnswerFieldHeight(int fontSizePoints) {
    // An edit field sized to its font: the cell height of the font at 96 dpi (points × 4/3,
    // halves up) and four pixels of border and margin above and below.
    const long long pt = layoutmath::fontSize(fontSizePoints);
    return static_cast<int>((pt * 8 + 3) / 6) + 8;
}

int AnswerBoxKind(const Worksheet& sheet) {
    if (sheet.lstKranX.empty() || sheet.lstKranX[0].empty()) return 0;
    const char c = sheet.lstKranX[0][0];
    return (c >= '1' && c <= '5') ? c - '0' : 0;
}

Rect AnswerBaseRect(const KranEntry& entry, int fieldHeight, double s, bool printing) {
    const double f = printing ? 1.03 : 1.0;
    Rect r;
    r.left = roundi(entry.x * s * f);
    r.top = layoutmath::clampi(static_cast<long long>(roundi(entry.y * s)) + roundi(3 * s));
    r.right = layoutmath::clampi(static_cast<long long>(r.left) + roundi(entry.width * s) -
                                 roundi(3 * s));
    r.bottom = layoutmath::clampi(static_cast<long long>(r.top) + roundi(fieldHeight * s));
    return r;
}

Rect AnswerBoxRect(const Rect& base, int widthSetting, int heightSetting, double s) {
    const int ew = roundi(s * (static_cast<double>(widthSetting) + 5));
    const int eh = roundi(heightSetting * s);
    Rect r = base;
    r.top = layoutmath::clampi(static_cast<long long>(base.top) - roundi(eh * 0.5));
    r.right = ew < 0 ? layoutmath::clampi(static_cast<long long>(base.right) - ew)
                     : layoutmath::clampi(static_cast<long long>(base.left) + 5LL * ew);
    r.bottom = layoutmath::clampi(static_cast<long long>(base.bottom) + eh);
    return r;
}

void DrawAnswerBox(Canvas& canvas, const BoxStyle& style, const KranEntry& entry, int fieldHeight,
                   double s, bool printing) {
    if (style.kind < 1 || style.kind > 5) return;
    const Rect base = AnswerBaseRect(entry, fieldHeight, s, printing);
    const Rect box = AnswerBoxRect(base, style.widthSetting, style.heightSetting, s);
    const int penWidth = std::max(1, roundi(s));
    canvas.setPenColor(colors::Black);
    switch (style.kind) {
    case 1:
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.setPenWidth(penWidth);
        canvas.rectangle(box);
        break;
    case 2:
    case 3: {
        static const std::string& open2 = J("［");
        static const std::string& close2 = J("］");
        static const std::string& open3 = J("【");
        static const std::string& close3 = J("】");
        canvas.setFontSize(layoutmath::fontSize(entry.fontSize));
        canvas.setFontColor(colors::Black);
        canvas.textOut(base.left, base.top, style.kind == 2 ? open2 : open3);
        canvas.textOut(base.right, base.top, style.kind == 2 ? close2 : close3);
        break;
    }
    case 4: {
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.setPenWidth(penWidth);
        const int y =
            layoutmath::clampi(static_cast<long long>(box.bottom) - roundi(0.2 * box.height()));
        canvas.moveTo(box.left, y);
        canvas.lineTo(box.right, y);
        break;
    }
    case 5: {
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.setPenWidth(penWidth);
        const double d = (2.0 * style.charSize + static_cast<double>(style.heightSetting) - 10) * s;
        const int e = roundi(0.8 * d);
        const int top = layoutmath::clampi(static_cast<long long>(box.top) + e / 5);
        const int bottom = roundi(top + d + roundi(0.5 * e));
        canvas.roundRect(Rect{box.left, top, box.right, bottom}, e, e);
        break;
    }
    }
    canvas.setPenWidth(1);
}

void DrawAnswerBoxes(Program& program, const Worksheet& sheet, Canvas& canvas, double s,
                     bool printing) {
    WorksheetState& st = program.sheets;
    BoxStyle style;
    style.kind = AnswerBoxKind(sheet);
    style.widthSetting = sheet.kran(1);
    style.heightSetting = sheet.kran(2);
    style.charSize = program.controls.spnMojiSize;
    const double f = printing ? 1.03 : 1.0;
    const int count = std::clamp(st.kranCount, 0, MaxKran);
    for (int k = 1; k <= count; ++k) {
        const KranEntry& entry = st.KranTable[k];
        const int h = st.answerFieldHeight[k];
        DrawAnswerBox(canvas, style, entry, h, s, printing);
        if (entry.mark == 1 || entry.mark == 0 || entry.mark == -2) {
            const MarkPlace place =
                BoxMarkPlace(entry, h, style.widthSetting, style.heightSetting, style.charSize);
            DrawBoxMark(canvas, entry.mark, place, s, f);
        }
    }
}
