// Where answers, fields and boxes stand, and the marks drawn on marked boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "Fakes.h"
#include "Program.h"
#include "RecordingCanvas.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/Marks.h"
#include "worksheet/PageImage.h"
#include "worksheet/Worksheet.h"

namespace {

using Kind = RecordingCanvas::Kind;

int rnd(double v) {
    return static_cast<int>(std::nearbyint(v));
}

KranEntry answerAt(int x, int y, int width, int top, int bottom) {
    KranEntry e;
    e.x = x;
    e.y = y;
    e.width = width;
    e.answerTop = top;
    e.answerBottom = bottom;
    e.fontSize = 12;
    return e;
}

bool contains(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// The width setting keeps the meaning stored worksheets rely on (15 is 100 units, −5 no
// width, lower settings hug the answer); the height setting adds room half above and whole
// below and never takes room from the answer.
TEST(AnswerPlace, SettingsGrowTheBoxAroundTheAnswer) {
    const KranEntry e = answerAt(100, 200, 40, 214, 230);
    struct Case {
        int width, height;
        Rect box;
    } cases[] = {
        {15, 0, {100, 210, 200, 234}},  // 100 units whatever the answer
        {-5, 0, {100, 210, 100, 234}},  // no width
        {-10, 0, {100, 210, 142, 234}}, // 5 right of the base (the answer less 3 units)
        {10, 4, {100, 208, 175, 238}},  // 2 above, 4 below
        {10, 5, {100, 208, 175, 239}},  // round(2.5) = 2
        {10, 7, {100, 206, 175, 241}},  // round(3.5) = 4
        {10, -6, {100, 210, 175, 234}}, // never smaller than the answer with its room
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.height));
        const AnswerPlace p = PlaceAnswer(e, BoxStyle{BoxKind::Square, c.width, c.height});
        EXPECT_EQ(p.answer, (Rect{100, 214, 140, 230}));
        EXPECT_EQ(p.base, (Rect{100, 214 - AnswerRoom, 137, 230 + AnswerRoom}));
        EXPECT_EQ(p.box, c.box);
        EXPECT_EQ(p.field, (Rect{c.box.left, p.base.top, c.box.right, p.base.bottom}));
    }
}

// Marks stay on their box at every scale: the circle goes round the field, the test wrong
// mark crosses the box from corner to corner, the triangle stands round the field; on paper
// each is the screen mark scaled.
TEST(BoxMarks, StayOnTheirBox) {
    FakePlatform fp;
    Program pg{fp.platform};
    Worksheet ws;
    const KranEntry answers[] = {
        answerAt(100, 200, 40, 214, 230), // one line of text
        answerAt(300, 400, 28, 403, 441), // a fraction
    };
    const double paper = 4961 / 630.0;
    for (const char* kind : {"1", "4", "5"})
        for (const KranEntry& a : answers)
            for (int width : {15, -8})
                for (int mark : {1, 0, -2}) {
                    SCOPED_TRACE(std::string("kind ") + kind + " width " + std::to_string(width) +
                                 " mark " + std::to_string(mark) + " at " + std::to_string(a.x));
                    ws.setKranLine(KranLine::Kind, kind);
                    ws.setKranLine(KranLine::Width, std::to_string(width));
                    ws.setKranLine(KranLine::Height, "2");
                    ws.layout.KranTable[1] = a;
                    ws.layout.KranTable[1].mark = mark;
                    ws.layout.kranCount = 1;
                    const AnswerPlace place = PlaceAnswer(a, AnswerBoxStyle(ws));
                    RecordingCanvas screen;
                    RecordingCanvas printer{4961, 7016, 600};
                    DrawAnswerBoxes(ws, screen, 1.0);
                    DrawAnswerBoxes(ws, printer, paper);
                    for (const RecordingCanvas* c : {&screen, &printer}) {
                        const double s = c == &screen ? 1.0 : paper;
                        const Rect field = ScaleRect(place.field, s);
                        const Rect box = ScaleRect(place.box, s);
                        std::vector<RecordingCanvas::Line> red;
                        for (const auto& l : c->lines())
                            if (l.color == colors::Red) red.push_back(l);
                        const auto rings = c->ofKind(Kind::Ellipse);
                        if (mark == 1) {
                            ASSERT_EQ(rings.size(), 1u);
                            EXPECT_EQ(rings[0]->state.penColor, colors::Red);
                            EXPECT_TRUE(contains(rings[0]->rect, field));
                            EXPECT_NEAR(rings[0]->rect.left + rings[0]->rect.right,
                                        field.left + field.right, 2 * s);
                            EXPECT_NEAR(rings[0]->rect.top + rings[0]->rect.bottom,
                                        field.top + field.bottom, 2 * s);
                        } else if (mark == 0) {
                            ASSERT_EQ(red.size(), 1u);
                            const double o = 0.05 * field.width() + 1;
                            EXPECT_NEAR(red[0].from.x, box.right, o);
                            EXPECT_NEAR(red[0].from.y, box.top, o);
                            EXPECT_NEAR(red[0].to.x, box.left, o);
                            EXPECT_NEAR(red[0].to.y, box.bottom, o);
                        } else {
                            ASSERT_EQ(red.size(), 3u);
                            int top = red[0].from.y, bottom = top;
                            int left = red[0].from.x, right = left;
                            for (const auto& l : red) {
                                top = std::min({top, l.from.y, l.to.y});
                                bottom = std::max({bottom, l.from.y, l.to.y});
                                left = std::min({left, l.from.x, l.to.x});
                                right = std::max({right, l.from.x, l.to.x});
                            }
                            EXPECT_EQ(red.back().to, red.front().from); // closed
                            EXPECT_TRUE(contains(Rect{left, top, right, bottom}, field));
                            EXPECT_EQ(red[0].width, std::max(1, rnd(3 * s)));
                        }
                    }
                }
}

TEST(BoxMarks, UnmarkedBoxesCarryNoMark) {
    FakePlatform fp;
    Program pg{fp.platform};
    Worksheet ws;
    ws.setKranLine(KranLine::Kind, "0");
    ws.layout.kranCount = 1;
    ws.layout.KranTable[1] = answerAt(100, 200, 40, 214, 230);
    for (int mark : {99, -1, 2, 5}) {
        ws.layout.KranTable[1].mark = mark;
        RecordingCanvas c;
        DrawAnswerBoxes(ws, c, 1.0);
        EXPECT_TRUE(c.lines().empty() && c.ofKind(Kind::Ellipse).empty()) << mark;
    }
}

TEST(BoxMarks, PracticeDoubleCircleAndSlashAroundAField) {
    MarkPlace p{Rect{100, 210, 175, 234}, Rect{100, 208, 175, 236}};
    RecordingCanvas canvas;
    DrawMark(canvas, MarkKind::DoubleCircle, p, 1.0, rgb(0, 128, 0));
    auto e = canvas.ofKind(Kind::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    // Rings 0.09 and 0.18 of the field width outside rectangle A (the field, 3 wider).
    EXPECT_EQ(e[0]->rect,
              (Rect{rnd(97 - 6.75), rnd(210 - 6.75), rnd(178 + 6.75), rnd(234 + 6.75)}));
    EXPECT_EQ(e[1]->rect,
              (Rect{rnd(97 - 13.5), rnd(210 - 13.5), rnd(178 + 13.5), rnd(234 + 13.5)}));
    EXPECT_EQ(e[0]->state.penColor, rgb(0, 128, 0));
    canvas.clear();
    DrawMark(canvas, MarkKind::Slash, p, 1.0, colors::Red);
    auto l = canvas.lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].from, (Point{rnd(178 + 7.5), rnd(210 - 15.0)}));
    EXPECT_EQ(l[0].to, (Point{rnd(97 - 7.5), rnd(234 + 15.0)}));
}

TEST(PageImage, CopyRegionNormalisesCorners) {
    RecordingCanvas page;
    Bitmap b = CopyPageRegion(page, Point{40, 60}, Point{10, 20});
    auto g = page.ofKind(Kind::Grab);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0]->rect, (Rect{11, 21, 40, 60}));
    EXPECT_EQ(b.width, 29);
    EXPECT_EQ(b.height, 39);
    // A selection without width gives an empty picture.
    Bitmap none = CopyPageRegion(page, Point{40, 60}, Point{40, 10});
    EXPECT_TRUE(none.empty());
}

TEST(PageImage, PrinterRectangles) {
    const double s = 4960 / 630.0;
    Worksheet::Placed p{35, 31, 40, 30, true, false};
    EXPECT_EQ(PrinterPictureRect(p, s), (Rect{rnd(35 * s), rnd(31 * s), rnd(35 * s) + rnd(40 * s),
                                              rnd(31 * s) + rnd(30 * s)}));
}

} // namespace
