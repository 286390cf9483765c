// Answers clear of every line: for every box kind, character size, answer shape and box
// setting, laid out on the screen page and on a printer page, the cells of the typeset answer
// lie inside the square or rounded box, above the underline, between the brackets, and no
// box line runs through them; the printed page is the screen page scaled.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "LayoutSheet.h"
#include "text/Sjis.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

using Kind = RecordingCanvas::Kind;
using Record = RecordingCanvas::Record;

// Answers as a careful author writes them: a leading blank; inside brackets a blank on
// each side.
struct Shape {
    const char* name;
    const char* answer;
};
const Shape kShapes[] = {
    {"digit", " 7"},
    {"negative", " -5"},
    {"fraction", " 3/4"},
    {"expression", " 2x+1"},
    {"signed fraction", " -3/5x+18"},
    {"exponent", " x^2-1"},
    {"alternative", " 3;x=3"},
};
const int kSizes[] = {8, 9, 10, 12, 14, 16, 18, 20, 24, 28, 36, 50};
const double kPaper = 4961 / 630.0; // 600 dpi over 76.2 dpi, an A4 page in printer dots

struct Ink {
    std::vector<Rect> cells; // answer glyph cells
    std::vector<Rect> bars;  // the answer's fraction bars, widened by their pen
};

Rect cellOf(const Record& r, double k) {
    const int h = static_cast<int>(std::lround(RecordingCanvas::heightOf(r.state.size) * k));
    return Rect{r.x, r.y, r.x + r.width, r.y + h};
}

bool blank(const std::string& t) {
    return t.find_first_not_of(' ') == std::string::npos;
}

Ink inkOf(const RecordingCanvas& c, Color color, double k) {
    Ink ink;
    for (const Record* r : c.textOuts())
        if (r->state.fontColor == color && !blank(r->text)) ink.cells.push_back(cellOf(*r, k));
    for (const auto& l : c.lines())
        if (l.color == color) {
            const int h = (l.width + 1) / 2;
            ink.bars.push_back(Rect{std::min(l.from.x, l.to.x), std::min(l.from.y, l.to.y) - h,
                                    std::max(l.from.x, l.to.x), std::max(l.from.y, l.to.y) + h});
        }
    return ink;
}

std::string show(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Inside the outline of a rectangle drawn with pen w, clear of its lines.
bool insideOutline(const Rect& cell, const Rect& box, int w) {
    return cell.left > box.left + w && cell.right <= box.right - 1 - w && cell.top > box.top + w &&
           cell.bottom <= box.bottom - 1 - w;
}

// Inside a rounded rectangle: also clear of the four corner arcs.
bool insideRounded(const Rect& cell, const Rect& box, int e, int w) {
    if (!insideOutline(cell, box, w)) return false;
    const double r = e / 2.0;
    // The outermost pixels the cell covers.
    const Point corners[] = {{cell.left, cell.top},
                             {cell.right - 1, cell.top},
                             {cell.left, cell.bottom - 1},
                             {cell.right - 1, cell.bottom - 1}};
    for (const Point& p : corners) {
        const double cx = p.x < box.left + r        ? box.left + r
                          : p.x > box.right - 1 - r ? box.right - 1 - r
                                                    : p.x;
        const double cy = p.y < box.top + r          ? box.top + r
                          : p.y > box.bottom - 1 - r ? box.bottom - 1 - r
                                                     : p.y;
        if (std::hypot(p.x - cx, p.y - cy) > r - w) return false;
    }
    return true;
}

struct Sheet : LayoutSheet {
    RecordingCanvas& paper = printer;

    Sheet() {
        ws.ShowAnswers = true;
        paper.setDevice(4961, 7016, 600);
        paper.setTextScale(kPaper);
    }
    void layOut(const std::string& line, int kind, int width, int height, int size) {
        ws.lstQues = {line};
        ws.setKranLine(KranLine::Kind, std::to_string(kind));
        ws.setKranLine(KranLine::Width, std::to_string(width));
        ws.setKranLine(KranLine::Height, std::to_string(height));
        ws.FontSize = size;
        screen.clear();
        paper.clear();
        LayOutPage(pg, ws, screen, false);
        LayOutPage(pg, ws, paper, true);
    }
};

// Checks one laid-out page; returns a description of the first fault, or "".
std::string faultOf(const RecordingCanvas& c, int kind, double s, bool alternatives) {
    const Ink answer = inkOf(c, colors::Blue, s);
    if (answer.cells.empty()) return "no answer drawn";
    std::vector<Rect> ink = answer.cells;
    ink.insert(ink.end(), answer.bars.begin(), answer.bars.end());
    const Ink grey = inkOf(c, colors::Grey, s);
    if (alternatives && grey.cells.empty()) return "no alternative drawn";

    // No black line of a box through the answer or its alternatives.
    for (const auto& l : c.lines()) {
        if (l.color != colors::Black || l.from.y != l.to.y || l.from.y <= 91 * s) continue;
        const int h = (l.width + 1) / 2;
        const Rect band{std::min(l.from.x, l.to.x), l.from.y - h, std::max(l.from.x, l.to.x),
                        l.from.y + h + 1};
        for (const Rect& r : ink)
            if (overlaps(band, r)) return "a line runs through the answer";
        for (const Rect& r : grey.cells)
            if (overlaps(band, r)) return "a line runs through an alternative";
    }
    switch (kind) {
    case 1:
    case 5: {
        const auto boxes = c.ofKind(kind == 1 ? Kind::Rectangle : Kind::RoundRect);
        if (boxes.size() != 1) return "no box";
        const Record& b = *boxes[0];
        const int w = b.state.penWidth;
        for (const Rect& r : ink) {
            const bool in =
                kind == 1 ? insideOutline(r, b.rect, w) : insideRounded(r, b.rect, b.ellipseW, w);
            if (!in) return "answer not inside its box: " + show(r) + " in " + show(b.rect);
        }
        for (const Rect& r : grey.cells) {
            const bool in =
                kind == 1 ? insideOutline(r, b.rect, w) : insideRounded(r, b.rect, b.ellipseW, w);
            if (!in && r.left <= b.rect.right + w) return "alternative on the box line";
        }
        break;
    }
    case 4: {
        const Record* line = nullptr;
        for (const Record& r : c.records())
            if (r.kind == Kind::LineTo && r.state.penColor == colors::Black && r.y > 91 * s)
                line = &r;
        if (!line) return "no underline";
        const int top = line->y - (line->state.penWidth + 1) / 2;
        for (const Rect& r : ink) {
            if (r.bottom > top) return "answer not above its underline";
            if (r.left < line->from.x || r.right > line->x)
                return "underline shorter than answer: " + show(r) + " over " +
                       std::to_string(line->from.x) + ".." + std::to_string(line->x);
        }
        break;
    }
    case 2:
    case 3: {
        std::vector<const Record*> brackets;
        for (const Record* r : c.textOuts())
            if (r->state.fontColor == colors::Black && r->y > 90 * s &&
                (r->text == J("［") || r->text == J("］") || r->text == J("【") ||
                 r->text == J("】")))
                brackets.push_back(r);
        if (brackets.size() != 2) return "no brackets";
        const Rect open = cellOf(*brackets[0], s);
        const Rect close = cellOf(*brackets[1], s);
        int top = ink.front().top, bottom = ink.front().bottom;
        for (const Rect& r : ink) {
            if (r.left < open.right || r.right > close.left) return "answer not between brackets";
            top = std::min(top, r.top);
            bottom = std::max(bottom, r.bottom);
        }
        const int middle = (top + bottom) / 2;
        if (middle < open.top || middle > open.bottom) return "brackets beside the answer's height";
        // A closing bracket carries its ink in the half next to the answer.
        for (const Rect& r : grey.cells)
            if (r.left < close.left + close.width() / 2) return "alternative over the bracket";
        break;
    }
    default:
        break;
    }
    return "";
}

TEST(AnswerClearance, EveryKindSizeAndShapeOnScreenAndPaper) {
    Sheet sheet;
    int checked = 0;
    for (int kind = 1; kind <= 5; ++kind)
        for (int size : kSizes)
            for (const Shape& shape : kShapes)
                for (int width : {-12, 100})
                    for (int height : {-4, 0, 2, 9}) {
                        std::string answer = shape.answer;
                        if (kind == 2 || kind == 3) {
                            const std::size_t alt = answer.find(';');
                            answer.insert(alt == std::string::npos ? answer.size() : alt, " ");
                        }
                        sheet.layOut(J("問　x＝#") + answer + J("#　終"), kind, width, height,
                                     size);
                        const bool alternatives = answer.find(';') != std::string::npos;
                        for (double s : {1.0, kPaper}) {
                            const RecordingCanvas& c = s == 1.0 ? sheet.screen : sheet.paper;
                            const std::string fault = faultOf(c, kind, s, alternatives);
                            EXPECT_EQ(fault, "")
                                << shape.name << " \"" << answer << "\" kind " << kind << " size "
                                << size << " width " << width << " height " << height
                                << (s == 1.0 ? " on screen" : " on paper");
                            ++checked;
                        }
                    }
    EXPECT_EQ(checked, 5 * 12 * 7 * 2 * 4 * 2);
}

// The boxes and answers of the paper page stand where the screen page has them, scaled:
// within one layout unit.
TEST(AnswerClearance, PaperBoxesAndAnswersAreTheScreenOnesScaled) {
    Sheet sheet;
    for (int kind = 1; kind <= 5; ++kind)
        for (int size : {8, 12, 16, 24, 50})
            for (const Shape& shape : kShapes) {
                SCOPED_TRACE(std::string(shape.name) + " kind " + std::to_string(kind) + " size " +
                             std::to_string(size));
                sheet.layOut(J("(1)　x＝#") + shape.answer + J("#　終"), kind, 10, 2, size);
                const Ink a = inkOf(sheet.screen, colors::Blue, 1.0);
                const Ink b = inkOf(sheet.paper, colors::Blue, kPaper);
                ASSERT_EQ(a.cells.size(), b.cells.size());
                ASSERT_EQ(a.bars.size(), b.bars.size());
                const auto near = [](const Rect& device, const Rect& units) {
                    return std::abs(device.left - units.left * kPaper) <= kPaper &&
                           std::abs(device.top - units.top * kPaper) <= kPaper &&
                           std::abs(device.right - units.right * kPaper) <= kPaper &&
                           std::abs(device.bottom - units.bottom * kPaper) <= kPaper;
                };
                for (std::size_t i = 0; i < a.cells.size(); ++i)
                    EXPECT_TRUE(near(b.cells[i], a.cells[i])) << "cell " << i;
                for (std::size_t i = 0; i < a.bars.size(); ++i)
                    EXPECT_TRUE(near(b.bars[i], a.bars[i])) << "bar " << i;
                for (Kind k : {Kind::Rectangle, Kind::RoundRect}) {
                    const auto ra = sheet.screen.ofKind(k);
                    const auto rb = sheet.paper.ofKind(k);
                    ASSERT_EQ(ra.size(), rb.size());
                    for (std::size_t i = 0; i < ra.size(); ++i)
                        EXPECT_TRUE(near(rb[i]->rect, ra[i]->rect));
                }
            }
}

} // namespace
