#include "practice/ScoreStamp.h"

#include <algorithm>
#include <string>

#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/PageGeometry.h"
#include "worksheet/Worksheet.h"
#include "worksheet/Workspace.h"

using layoutmath::clampi;
using layoutmath::roundi;

namespace {

constexpr int LargestSize = 38;
constexpr int SmallestSize = 10;

// The size of "点" beside a number of size n (24 beside 38).
int tenSize(int n) {
    return std::max(1, roundi(n * 24.0 / 38));
}

struct Fit {
    int size = 0;
    long long numberWidth = 0, tenWidth = 0, height = 0, tenHeight = 0;
};

// The largest size at which the score fits room: its digits' ink lies within 5 % and 90 % of
// the text cell's height.
Fit fitIn(Canvas& canvas, const Rect& room, const std::string& number, int largest = LargestSize) {
    Fit f;
    for (int n = largest; n >= SmallestSize; --n) {
        canvas.setFontSize(tenSize(n));
        f.tenWidth = canvas.textWidth(J("点"));
        f.tenHeight = canvas.textHeight(J("点"));
        canvas.setFontSize(n);
        f.numberWidth = canvas.textWidth(number);
        f.height = canvas.textHeight(number);
        const bool fits = f.numberWidth + f.tenWidth <= room.width() &&
                          roundi(0.85 * static_cast<double>(f.height)) <= room.height();
        if (fits) {
            f.size = n;
            return f;
        }
    }
    return f;
}

} // namespace

HeaderRoom ScoreRoom(const Workspace& program, const Worksheet& sheet, Canvas& canvas) {
    const int W = canvas.deviceWidth();
    const double s = static_cast<double>(W) /
                     (sheet.paper.Width > 0 ? sheet.paper.Width : page::DefaultPaperWidth);
    const long long x0 = roundi(sheet.LeftMargin * page::SettingStep * s);
    const long long textRight =
        W - static_cast<long long>(roundi(sheet.RightMargin * page::SettingStep * s));
    const long long gap = roundi(6 * s);
    if (!sheet.strMainFont.empty()) canvas.setFontFace(sheet.strMainFont);
    canvas.setFontStyle(0);

    // The title: one line, or cut at its first "§" into two when it is long.
    canvas.setFontSize(page::TitleFontSize);
    long long tx = x0;
    if (sheet.Options & 1) tx += roundi((sheet.classFlag.width + page::ClassFlagGap) * s);
    const std::string& t = sheet.strTangen;
    long long titleRight = tx, titleBottom = roundi(page::TitleTop * s);
    auto titleLine = [&](std::string_view text, int y) {
        titleRight = std::max(titleRight, tx + canvas.textWidth(text));
        titleBottom = std::max(titleBottom, static_cast<long long>(y) + canvas.textHeight(text));
    };
    if (t.size() < page::LongTitleBytes) {
        titleLine(t, roundi(page::TitleTop * s));
    } else {
        const std::size_t cut = sjis::findText(t, J("§"));
        const std::size_t at = cut == std::string::npos ? 0 : cut;
        titleLine(std::string_view(t).substr(0, at), roundi(page::TitleTop * s));
        titleLine(J("　　") + t.substr(at), roundi(page::TitleSecondLineTop * s));
    }

    // The name line, with the learner's name on a learner's sheet.
    canvas.setFontSize(page::NameFontSize);
    std::string name;
    const std::string& learner = program.session.learnerName;
    if (sheet.PrintLearner && learner != "noname" && learner != J("公開") && learner != J("共通"))
        name = learner + " ";
    const std::string& school = program.session.schoolName;
    name += school.empty() ? J("　　　　　　　　氏名") : school + J("　　氏名");
    const long long nameRight = roundi(page::NameFromLeft * s) + x0 + canvas.textWidth(name);

    // Between the header rules, clear of them and of their width.
    constexpr int clear = 3;
    const long long top = roundi((page::TopRule + clear) * s);
    const long long bottom = roundi((page::BottomRule - clear) * s);
    const long long right = textRight - roundi(5 * s);
    HeaderRoom room;
    room.header = Rect{clampi(x0), clampi(top), clampi(right), clampi(bottom)};
    const long long besideLeft = std::max(titleRight, nameRight) + gap;
    if (besideLeft < right)
        room.besideTitle = Rect{clampi(besideLeft), clampi(top), clampi(right), clampi(bottom)};
    const long long belowTop = titleBottom + roundi(2 * s);
    if (nameRight + gap < right && belowTop < bottom)
        room.belowTitle =
            Rect{clampi(nameRight + gap), clampi(belowTop), clampi(right), clampi(bottom)};
    return room;
}

void DrawScore(Canvas& canvas, const HeaderRoom& room, int score) {
    const std::string number = std::to_string(score);
    const Fit beside = fitIn(canvas, room.besideTitle, number);
    const Fit below = fitIn(canvas, room.belowTitle, number);
    const bool useBeside = beside.size >= below.size;
    Fit f = useBeside ? beside : below;
    Rect r = useBeside ? room.besideTitle : room.belowTitle;
    if (f.size == 0) {
        // No room: the smallest score at the header's right end.
        r = room.header;
        f = fitIn(canvas, Rect{r.left, r.top, r.left + (1 << 20), r.bottom}, number, SmallestSize);
    }
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFontStyle(0);
    canvas.setFontColor(colors::Red);
    canvas.setFontSize(f.size);
    const long long x = r.right - f.numberWidth - f.tenWidth;
    // The digits' ink centred in the room's height.
    const long long y = r.top + (r.height() - roundi(0.85 * static_cast<double>(f.height))) / 2 -
                        roundi(0.05 * static_cast<double>(f.height));
    canvas.textOut(clampi(x), clampi(y), number);
    canvas.setFontSize(tenSize(f.size));
    // "点" stands on the number's line: their cells' bottoms nearly level.
    canvas.textOut(clampi(x + f.numberWidth), clampi(y + roundi(0.8 * (f.height - f.tenHeight))),
                   J("点"));
}
