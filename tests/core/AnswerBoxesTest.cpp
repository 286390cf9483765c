#include <gtest/gtest.h>

#include <cmath>

#include "Fakes.h"
#include "RecordingCanvas.h"
#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/Marks.h"
#include "worksheet/PageImage.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

using Kind = RecordingCanvas::Kind;

int rnd(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// One box: answer drawn at (100, 200), 40 wide, at 10 points (field height 21).
struct BoxFixture : ::testing::Test {
    FakePlatform fp;
    Program pg{fp.platform};
    Worksheet ws;
    RecordingCanvas canvas{630, 891, 96};

    BoxFixture() {
        KranEntry& e = pg.sheets.KranTable[1];
        e.x = 100;
        e.y = 200;
        e.width = 40;
        e.fontSize = 10;
        e.mark = 99;
        pg.sheets.answerFieldHeight[1] = AnswerFieldHeight(10);
        pg.sheets.kranCount = 1;
        pg.controls.spnMojiSize = 10;
    }
    void kran(const char* kind, int width, int height) {
        ws.lstKranX[0] = kind;
        ws.lstKranX[1] = std::to_string(width);
        ws.lstKranX[2] = std::to_string(height);
    }
    void draw(double s = 1.0, bool printing = false) {
        canvas.clear();
        DrawAnswerBoxes(pg, ws, canvas, s, printing);
    }
    std::vector<const RecordingCanvas::Record*> rects() const {
        return canvas.ofKind(Kind::Rectangle);
    }
};

TEST(AnswerField, HeightFollowsTheFontSize) {
    // 96-dpi cell height (points × 4/3, halves up) plus 8 pixels of border.
    EXPECT_EQ(AnswerFieldHeight(10), 13 + 8);
    EXPECT_EQ(AnswerFieldHeight(12), 16 + 8);
    EXPECT_EQ(AnswerFieldHeight(14), 19 + 8);
    EXPECT_EQ(AnswerFieldHeight(0), AnswerFieldHeight(1)); // never below one point
}

TEST_F(BoxFixture, SquareGeometryFollowsWidthAndHeightSettings) {
    // base: left 100, top 203, right 100 + 40 - 3 = 137, bottom 203 + 21 = 224
    struct Case {
        int width, height;
        Rect expected;
    } cases[] = {
        {15, 0, {100, 203, 200, 224}},  // ew 20: 100 units whatever the answer
        {-5, 0, {100, 203, 100, 224}},  // zero width
        {-10, 0, {100, 203, 142, 224}}, // 5 right of the base rectangle
        {10, 4, {100, 201, 175, 228}},  // taller by half above, whole below
        {10, 5, {100, 201, 175, 229}},  // round(2.5) = 2
        {10, 7, {100, 199, 175, 231}},  // round(3.5) = 4
    };
    for (const Case& c : cases) {
        kran("1", c.width, c.height);
        draw();
        auto r = rects();
        ASSERT_EQ(r.size(), 1u) << c.width;
        EXPECT_EQ(r[0]->rect, c.expected) << c.width << " " << c.height;
        EXPECT_EQ(r[0]->state.brushStyle, BrushStyle::Clear);
        EXPECT_EQ(r[0]->state.penColor, colors::Black);
    }
}

TEST_F(BoxFixture, PrinterBoxesStandThreePercentFurtherRight) {
    kran("1", 15, 0);
    const double s = 4960 / 630.0;
    draw(s, true);
    auto r = rects();
    ASSERT_EQ(r.size(), 1u);
    const int left = rnd(100 * s * 1.03);
    EXPECT_EQ(r[0]->rect.left, left);
    EXPECT_EQ(r[0]->rect.top, rnd(200 * s) + rnd(3 * s));
    EXPECT_EQ(r[0]->rect.right, left + 5 * rnd(20 * s));
    EXPECT_EQ(r[0]->rect.bottom, rnd(200 * s) + rnd(3 * s) + rnd(21 * s));
    EXPECT_EQ(r[0]->state.penWidth, rnd(s));
}

TEST_F(BoxFixture, OtherKinds) {
    kran("2", 10, 0);
    draw();
    auto t = canvas.textOuts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->text, sjis::fromUtf8("［"));
    EXPECT_EQ((Point{t[0]->x, t[0]->y}), (Point{100, 203}));
    EXPECT_EQ(t[1]->text, sjis::fromUtf8("］"));
    EXPECT_EQ((Point{t[1]->x, t[1]->y}), (Point{137, 203}));
    EXPECT_EQ(t[1]->state.size, 10);

    kran("3", 10, 0);
    draw();
    ASSERT_EQ(canvas.textOuts().size(), 2u);
    EXPECT_EQ(canvas.textOuts()[0]->text, sjis::fromUtf8("【"));

    kran("4", 10, 10); // box 100..175 x 198..234, height 36
    draw();
    auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (Point{100, 234 - 7}));
    EXPECT_EQ(lines[0].to, (Point{175, 234 - 7}));

    kran("5", 10, 4); // d = 14, e = 11, top 201 + 2
    draw();
    auto rr = canvas.ofKind(Kind::RoundRect);
    ASSERT_EQ(rr.size(), 1u);
    EXPECT_EQ(rr[0]->rect, (Rect{100, 203, 175, 203 + 14 + 6}));
    EXPECT_EQ(rr[0]->ellipseW, 11);
    EXPECT_EQ(rr[0]->ellipseH, 11);
}

TEST_F(BoxFixture, KindZeroAndUnknownKindsDrawNothing) {
    for (const char* kind : {"0", "6", "", "x"}) {
        kran(kind, 10, 4);
        draw();
        EXPECT_EQ(rects().size() + canvas.lines().size() + canvas.textOuts().size() +
                      canvas.count(Kind::RoundRect),
                  0u)
            << kind;
    }
}

TEST_F(BoxFixture, MarksOfMarkedBoxes) {
    kran("0", 10, 4);
    pg.sheets.KranTable[1].mark = 99;
    draw();
    EXPECT_TRUE(canvas.records().empty() || canvas.ofKind(Kind::Ellipse).empty());
    EXPECT_TRUE(canvas.lines().empty());

    // Field: left 106, top 200 + round(0.3 × 14) = 204, width 75, height 21.
    // A = (97, 207, 178, 228); the circle grows by 7.5 and 15, halves to even.
    pg.sheets.KranTable[1].mark = 1;
    draw();
    auto e = canvas.ofKind(Kind::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->rect, (Rect{90, 192, 186, 243}));
    EXPECT_EQ(e[0]->state.penColor, colors::Red);
    EXPECT_EQ(e[0]->state.penWidth, 2);
    EXPECT_EQ(e[0]->state.brushStyle, BrushStyle::Clear);

    // B = (100, 201, 175, 228); o = 3.75.
    pg.sheets.KranTable[1].mark = 0;
    draw();
    auto l = canvas.lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].from, (Point{171, 197}));
    EXPECT_EQ(l[0].to, (Point{104, 232}));
    EXPECT_EQ(l[0].color, colors::Red);

    // C = (106, 207, 178, 228): a closed triangle with a pen of 3.
    pg.sheets.KranTable[1].mark = -2;
    draw();
    l = canvas.lines();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].from, (Point{142, 192}));
    EXPECT_EQ(l[0].to, (Point{76, 233}));
    EXPECT_EQ(l[1].to, (Point{188, 233}));
    EXPECT_EQ(l[2].to, (Point{142, 192}));
    EXPECT_EQ(l[0].width, 3);

    for (int other : {-1, 2, 5}) {
        pg.sheets.KranTable[1].mark = other;
        draw();
        EXPECT_TRUE(canvas.lines().empty() && canvas.ofKind(Kind::Ellipse).empty()) << other;
    }
}

TEST_F(BoxFixture, PracticeMarksAroundAField) {
    MarkPlace p;
    p.fieldLeft = 106;
    p.fieldTop = 204;
    p.fieldWidth = 75;
    p.fieldHeight = 21;
    DrawMark(canvas, MarkKind::DoubleCircle, p, 1.0, 1.0, rgb(0, 128, 0));
    auto e = canvas.ofKind(Kind::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0]->rect,
              (Rect{rnd(97 - 6.75), rnd(207 - 6.75), rnd(178 + 6.75), rnd(228 + 6.75)}));
    EXPECT_EQ(e[1]->rect,
              (Rect{rnd(97 - 13.5), rnd(207 - 13.5), rnd(178 + 13.5), rnd(228 + 13.5)}));
    canvas.clear();
    DrawMark(canvas, MarkKind::Slash, p, 1.0, 1.0, colors::Red);
    auto l = canvas.lines();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].from, (Point{186, 192}));
    EXPECT_EQ(l[0].to, (Point{90, 243}));
}

TEST_F(BoxFixture, BoxesOfALaidOutPageFollowItsAnswers) {
    ws.lstQues = {sjis::fromUtf8("問#x=3#")};
    ws.lstKranX[0] = "1";
    ws.lstKranX[1] = "15";
    pg.sheets.collectKran = true;
    LayOutPage(pg, ws, canvas, false);
    auto r = rects();
    ASSERT_EQ(r.size(), 1u);
    const KranEntry& e = pg.sheets.KranTable[1];
    EXPECT_EQ(r[0]->rect.left, e.x);
    EXPECT_EQ(r[0]->rect.width(), 100);
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
    const Rect page = PrinterPageRect(630, 891, s);
    EXPECT_EQ(page.left, rnd(6 * s));
    EXPECT_EQ(page.width(), 4960);
}

} // namespace
