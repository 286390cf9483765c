#include "worksheet/KeyBookletPages.h"

#include <algorithm>

#include "platform/Printer.h"
#include "text/Sjis.h"

namespace {

constexpr int TitlePoints = 12;
constexpr int TablePoints = 10;

// The title's first line: a unit title runs "lesson//title§part"; the booklet names it all.
std::string titleLine(const std::string& title, std::uint64_t seed, std::size_t page,
                      std::size_t pages) {
    return J("解答一覧　") + title + "  V" + std::to_string(seed) + "-  (" +
           std::to_string(page + 1) + "/" + std::to_string(pages) + ")";
}

std::size_t pageCount(const KeyBooklet& booklet, const BookletPlan& plan) {
    const std::size_t per = static_cast<std::size_t>(std::max(1, plan.rowsPerPage));
    return std::max<std::size_t>(1, (booklet.rows.size() + per - 1) / per);
}

void cell(Canvas& c, int x, int y, int w, int h, const std::string& text) {
    c.rectangle(Rect{x, y, x + w, y + h});
    const int tw = c.textWidth(text), th = c.textHeight(text);
    c.textOut(x + std::max(0, (w - tw) / 2), y + std::max(0, (h - th) / 2), text);
}

} // namespace

BookletPlan PlanBooklet(Canvas& canvas, const KeyBooklet& booklet) {
    BookletPlan plan;
    const int W = canvas.deviceWidth(), H = canvas.deviceHeight();
    plan.margin = W / 16;
    canvas.setFontSize(TitlePoints);
    const int titleHeight = canvas.textHeight(J("解答一覧"));
    plan.top = plan.margin + titleHeight * 2;
    canvas.setFontSize(TablePoints);
    const int pad = std::max(1, canvas.textWidth("00"));
    plan.rowHeight = canvas.textHeight("0") * 8 / 5 + 1;
    plan.numberWidth = canvas.textWidth(J("№")) + pad;
    for (const KeyBooklet::Row& r : booklet.rows)
        plan.numberWidth = std::max(plan.numberWidth, canvas.textWidth(std::to_string(r.copy)) + pad);
    plan.widths.resize(booklet.heads.size());
    for (std::size_t k = 0; k < booklet.heads.size(); ++k) {
        int w = canvas.textWidth(booklet.heads[k]);
        for (const KeyBooklet::Row& r : booklet.rows)
            if (k < r.keys.size()) w = std::max(w, canvas.textWidth(r.keys[k]));
        plan.widths[k] = w + pad;
    }
    const int across = W - 2 * plan.margin - plan.numberWidth;
    for (std::size_t first = 0; first < plan.widths.size();) {
        std::size_t last = first + 1;
        int used = plan.widths[first];
        while (last < plan.widths.size() && used + plan.widths[last] <= across)
            used += plan.widths[last++];
        plan.bands.emplace_back(first, last);
        first = last;
    }
    if (plan.bands.empty()) plan.bands.emplace_back(0, 0);
    // Each band takes a head row, its copies' rows and a row's gap below.
    const int bands = static_cast<int>(plan.bands.size());
    const int rows = (H - plan.margin - plan.top) / std::max(1, plan.rowHeight);
    plan.rowsPerPage = std::max(1, rows / bands - 2);
    return plan;
}

void DrawBookletPage(Canvas& c, const KeyBooklet& booklet, const BookletPlan& plan,
                     std::size_t page, const std::string& title, std::uint64_t seed) {
    const std::size_t per = static_cast<std::size_t>(plan.rowsPerPage);
    const std::size_t from = page * per, to = std::min(booklet.rows.size(), from + per);
    c.setFontColor(colors::Black);
    c.setPenColor(colors::Black);
    c.setPenWidth(std::max(1, c.deviceWidth() / 2000));
    c.setBrushStyle(BrushStyle::Clear);
    c.setFontSize(TitlePoints);
    c.textOut(plan.margin, plan.margin, titleLine(title, seed, page, pageCount(booklet, plan)));
    c.setFontSize(TablePoints);
    int y = plan.top;
    const int h = plan.rowHeight;
    for (const auto& [first, last] : plan.bands) {
        int x = plan.margin;
        cell(c, x, y, plan.numberWidth, h, J("№"));
        x += plan.numberWidth;
        for (std::size_t k = first; k < last; ++k) {
            cell(c, x, y, plan.widths[k], h, booklet.heads[k]);
            x += plan.widths[k];
        }
        y += h;
        for (std::size_t r = from; r < to; ++r) {
            const KeyBooklet::Row& row = booklet.rows[r];
            x = plan.margin;
            cell(c, x, y, plan.numberWidth, h, std::to_string(row.copy));
            x += plan.numberWidth;
            for (std::size_t k = first; k < last; ++k) {
                cell(c, x, y, plan.widths[k], h, k < row.keys.size() ? row.keys[k] : "");
                x += plan.widths[k];
            }
            y += h;
        }
        y += h;
    }
}

bool PrintKeyBooklet(Printer& printer, const KeyBooklet& booklet, const std::string& title,
                     std::uint64_t seed) {
    BookletPlan plan;
    for (std::size_t page = 0;; ++page) {
        if (!printer.beginDoc()) return false;
        Canvas& c = printer.canvas();
        if (page == 0) plan = PlanBooklet(c, booklet);
        DrawBookletPage(c, booklet, plan, page, title, seed);
        if (!printer.endDoc()) return false;
        if (page + 1 >= pageCount(booklet, plan)) return true;
    }
}
