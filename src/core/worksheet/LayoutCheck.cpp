#include "worksheet/LayoutCheck.h"

#include <algorithm>

#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"
#include "worksheet/Workspace.h"

namespace {

// The area an answer's box takes on the page: the box itself, the room between the
// brackets, or the answer alone when no box is drawn.
Rect areaOf(const AnswerPlace& place, BoxKind kind) {
    if (FollowsBoxSize(kind)) return place.box;
    if (IsBracket(kind)) return place.base;
    return place.answer;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The question line (0-based) of every answer box, by the "#" pairs of the lines.
std::vector<int> boxLines(const Worksheet& sheet) {
    std::vector<int> lines{-1};
    std::vector<std::string_view> parts;
    for (std::size_t i = 0; i < sheet.lstQues.size() && lines.size() <= MaxKran; ++i) {
        if (sheet.lstQues[i].empty()) continue;
        const int m = SplitAtHash(std::string_view(sheet.lstQues[i]), parts) / 2;
        lines.insert(lines.end(), static_cast<std::size_t>(m), static_cast<int>(i));
    }
    return lines;
}

} // namespace

std::vector<LayoutProblem> CheckLayout(Workspace& program, Worksheet& sheet, Canvas& canvas) {
    WorksheetState& st = program.sheets;
    const bool enabled = st.layoutEnabled, typed = sheet.layout.drawTypedAnswers;
    st.layoutEnabled = true;
    sheet.layout.drawTypedAnswers = false;
    LayOutPage(program, sheet, canvas, LayoutRequest{false, true, st.pageOptions});
    st.layoutEnabled = enabled;
    sheet.layout.drawTypedAnswers = typed;
    return LayoutProblemsOf(sheet);
}

std::vector<LayoutProblem> LayoutProblemsOf(const Worksheet& sheet) {
    const SheetLayout& st = sheet.layout;
    const BoxStyle style = AnswerBoxStyle(sheet);
    const std::vector<int> lines = boxLines(sheet);
    const int count = std::clamp(st.kranCount, 0, MaxKran);
    std::vector<AnswerPlace> places;
    places.reserve(static_cast<std::size_t>(count) + 1);
    places.emplace_back();
    for (int k = 1; k <= count; ++k)
        places.push_back(PlaceAnswer(st.KranTable[static_cast<std::size_t>(k)], style));

    std::vector<LayoutProblem> problems;
    std::vector<std::string_view> alts;
    for (int k = 1; k <= count; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        const int line = ku < lines.size() ? lines[ku] : 0;
        const AnswerPlace& place = places[ku];
        // A box's right side stays clear of the answer's last glyph; an underline reaches as
        // far as its ink (a glyph's cell ends a little right of its ink).
        const int inkRight = st.KranTable[ku].inkRight;
        const bool tooWide = (HasSides(style.kind) && inkRight + 1 >= place.box.right) ||
                             (style.kind == BoxKind::Underline && inkRight - 3 > place.box.right);
        if (tooWide) {
            SplitAtSemicolon(std::string_view(st.KranTable[ku].answerText), alts);
            problems.push_back({line, k,
                                J("解答欄") + std::to_string(k) + J("の答え「") +
                                    std::string(alts[0]) +
                                    J("」が欄の幅に入りません（解答欄の幅を広げてください）")});
        }
        const Rect area = areaOf(place, style.kind);
        for (int j = 1; j < k; ++j) {
            if (!overlap(area, areaOf(places[static_cast<std::size_t>(j)], style.kind))) continue;
            problems.push_back({line, k,
                                J("解答欄") + std::to_string(k) + J("が解答欄") +
                                    std::to_string(j) +
                                    J("と重なります（主行間・文字サイズ・解答欄の大きさを見直"
                                      "してください）")});
        }
    }
    return problems;
}
