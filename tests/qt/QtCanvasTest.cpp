// The Qt canvas drawing into real page images: text placement, shapes, pens, pictures.
#include <QFontInfo>
#include <QImage>
#include <gtest/gtest.h>

#include "qt/CanvasImages.h"
#include "qt/Fonts.h"
#include "qt/QtCanvas.h"
#include "qt/SjisTextCache.h"
#include "text/Sjis.h"

namespace {

bool dark(const QImage& im, int x, int y) {
    return qGray(im.pixel(x, y)) < 128;
}

int darkCount(const QImage& im, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, im.height()); ++y)
        for (int x = std::max(0, left); x < std::min(right, im.width()); ++x)
            n += dark(im, x, y) ? 1 : 0;
    return n;
}

struct CanvasTest : ::testing::Test {
    QImage page = makePageImage(200, 120);
    QtCanvas canvas{page};
    void SetUp() override {
        canvas.setFontFace(J("ＭＳ 明朝"));
        canvas.setFontSize(12);
        canvas.setBrushStyle(BrushStyle::Clear);
    }
};

TEST_F(CanvasTest, PageImageIs96DpiAndTwelvePointsAreSixteenPixels) {
    EXPECT_EQ(canvas.dpiX(), 96);
    EXPECT_EQ(canvas.deviceWidth(), 200);
    EXPECT_EQ(canvas.deviceHeight(), 120);
    // A full-width glyph is one em wide.
    EXPECT_EQ(canvas.textWidth(J("表")), 16);
    canvas.setFontSize(9);
    EXPECT_EQ(canvas.textWidth(J("表")), 12);
}

TEST_F(CanvasTest, TextOutPutsTheTopOfTheCellAtYAndMovesThePen) {
    const std::string text = J("Hg表あ");
    const int y = 40;
    canvas.textOut(10, y, text);
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    EXPECT_EQ(canvas.penPos(), (Point{10 + w, y}));
    EXPECT_GT(w, 40);
    EXPECT_EQ(darkCount(page, 0, 0, 200, y), 0) << "ink above the cell top";
    EXPECT_GT(darkCount(page, 10, y, 10 + w, y + 4), 0) << "tall glyphs reach the cell top";
    EXPECT_GT(darkCount(page, 10, y, 10 + w, y + h), 60);
    EXPECT_EQ(darkCount(page, 0, y + h + 1, 200, 120), 0) << "ink below the cell";
}

TEST_F(CanvasTest, EmptyTextLeavesThePenAtTheStart) {
    canvas.textOut(30, 20, "");
    EXPECT_EQ(canvas.penPos(), (Point{30, 20}));
    EXPECT_EQ(darkCount(page, 0, 0, 200, 120), 0);
}

TEST_F(CanvasTest, ShiftJisTrailByteBackslashIsPartOfTheCharacter) {
    // "表" is 0x95 0x5C: one full-width glyph, not a lead byte and a backslash.
    const std::string hyo("\x95\x5C", 2);
    EXPECT_EQ(canvas.textWidth(hyo), 16);
    EXPECT_LT(canvas.textWidth("\\"), 16);
    canvas.textOut(10, 10, hyo);
    EXPECT_GT(darkCount(page, 10, 10, 26, 32), 20);
}

TEST_F(CanvasTest, SolidBrushFillsTheTextCellClearBrushDoesNot) {
    canvas.fillRect({0, 0, 200, 120}, colors::Black);
    canvas.setFontColor(colors::Black);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colors::White);
    canvas.textOut(10, 10, "ab");
    const int w = canvas.textWidth("ab");
    const int h = canvas.textHeight("ab");
    EXPECT_LT(darkCount(page, 10, 10, 10 + w, 10 + h), w * h / 2);
    EXPECT_TRUE(dark(page, 9, 10));
    EXPECT_TRUE(dark(page, 10 + w, 10));

    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.textOut(10, 60, "ab");
    EXPECT_EQ(darkCount(page, 10, 60, 10 + w, 60 + h), w * h);
}

TEST_F(CanvasTest, FontStylesChangeTheGlyphs) {
    canvas.textOut(10, 10, "Wx");
    const int plain = darkCount(page, 0, 0, 200, 40);
    canvas.setFontStyle(fontstyle::Bold);
    canvas.textOut(10, 60, "Wx");
    EXPECT_GT(darkCount(page, 0, 50, 200, 100), plain);
    EXPECT_EQ(canvas.fontStyle(), fontstyle::Bold);
}

TEST_F(CanvasTest, LineLeavesOutItsEndPoint) {
    canvas.moveTo(10, 10);
    canvas.lineTo(20, 10);
    EXPECT_EQ(canvas.penPos(), (Point{20, 10}));
    EXPECT_TRUE(dark(page, 10, 10));
    EXPECT_TRUE(dark(page, 19, 10));
    EXPECT_FALSE(dark(page, 20, 10));
    EXPECT_FALSE(dark(page, 15, 9));
    EXPECT_FALSE(dark(page, 15, 11));
}

TEST_F(CanvasTest, WidePenDrawsWideLines) {
    canvas.setPenWidth(4);
    canvas.moveTo(10, 50);
    canvas.lineTo(100, 50);
    int rows = 0;
    for (int y = 40; y < 60; ++y)
        rows += dark(page, 50, y) ? 1 : 0;
    EXPECT_EQ(rows, 4);
}

TEST_F(CanvasTest, DottedLineHasGaps) {
    canvas.setPenStyle(PenStyle::Dot);
    canvas.moveTo(10, 30);
    canvas.lineTo(50, 30);
    const int ink = darkCount(page, 10, 30, 50, 31);
    EXPECT_GE(ink, 15);
    EXPECT_LE(ink, 25);
    EXPECT_EQ(darkCount(page, 0, 29, 200, 30) + darkCount(page, 0, 31, 200, 32), 0);
}

struct ShapeCase {
    const char* name;
    void (*draw)(QtCanvas&, const Rect&);
};

TEST_F(CanvasTest, OutlinesWithClearBrushLeaveTheInsideWhiteAndExcludeRightAndBottom) {
    const ShapeCase cases[] = {
        {"rectangle", [](QtCanvas& c, const Rect& r) { c.rectangle(r); }},
        {"roundRect", [](QtCanvas& c, const Rect& r) { c.roundRect(r, 20, 20); }},
        {"ellipse", [](QtCanvas& c, const Rect& r) { c.ellipse(r); }},
    };
    const Rect r{20, 20, 101, 81}; // covers 20..100 × 20..80, centre (60, 50)
    for (const ShapeCase& sc : cases) {
        SCOPED_TRACE(sc.name);
        page.fill(Qt::white);
        sc.draw(canvas, r);
        EXPECT_TRUE(dark(page, 20, 50));
        EXPECT_TRUE(dark(page, 100, 50));
        EXPECT_TRUE(dark(page, 60, 20));
        EXPECT_TRUE(dark(page, 60, 80));
        EXPECT_EQ(darkCount(page, 101, 0, 200, 120), 0);
        EXPECT_EQ(darkCount(page, 0, 81, 200, 120), 0);
        EXPECT_EQ(darkCount(page, 0, 0, 20, 120), 0);
        EXPECT_EQ(darkCount(page, 35, 35, 85, 65), 0);
    }
    // Only the square corner is inked.
    page.fill(Qt::white);
    canvas.rectangle(r);
    EXPECT_TRUE(dark(page, 20, 20));
    page.fill(Qt::white);
    canvas.roundRect(r, 20, 20);
    EXPECT_FALSE(dark(page, 20, 20));
    page.fill(Qt::white);
    canvas.ellipse(r);
    EXPECT_FALSE(dark(page, 22, 22));
}

TEST_F(CanvasTest, SolidBrushFillsShapes) {
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colors::Blue);
    canvas.rectangle({20, 20, 60, 60});
    EXPECT_EQ(QColor(page.pixel(40, 40)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(page.pixel(20, 40)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(page.pixel(60, 40)), QColor(255, 255, 255));
}

TEST_F(CanvasTest, NotXorDrawnTwiceRestoresTheImage) {
    canvas.textOut(5, 5, J("表x"));
    canvas.fillRect({40, 40, 90, 70}, colors::Blue);
    const QImage before = page.copy();
    canvas.setPenMode(PenMode::NotXor);
    canvas.setPenStyle(PenStyle::Dot);
    auto outline = [&] {
        canvas.rectangle({10, 10, 120, 90});
        canvas.moveTo(0, 60);
        canvas.lineTo(150, 60);
        canvas.ellipse({50, 20, 140, 100});
    };
    outline();
    EXPECT_NE(page, before);
    EXPECT_GE(darkCount(page, 10, 20, 11, 80), 20) << "not-xor inverts white";
    int yellow = 0;
    for (int x = 40; x < 90; ++x)
        yellow += QColor(page.pixel(x, 60)) == QColor(255, 255, 0) ? 1 : 0;
    EXPECT_GE(yellow, 20) << "and blue";
    outline();
    EXPECT_EQ(page, before);
}

TEST_F(CanvasTest, ColourByteOrderIsRedInTheLowestByte) {
    struct {
        Color color;
        QColor expected;
    } cases[] = {{255, QColor(255, 0, 0)},
                 {16711680, QColor(0, 0, 255)},
                 {rgb(0, 128, 0), QColor(0, 128, 0)},
                 {colors::Grey, QColor(128, 128, 128)}};
    int y = 5;
    for (const auto& c : cases) {
        canvas.setPenColor(c.color);
        canvas.moveTo(0, y);
        canvas.lineTo(50, y);
        EXPECT_EQ(QColor(page.pixel(20, y)), c.expected) << c.color;
        canvas.fillRect({60, y, 70, y + 1}, c.color);
        EXPECT_EQ(QColor(page.pixel(65, y)), c.expected) << c.color;
        canvas.setFontColor(c.color);
        canvas.setFontSize(30);
        canvas.textOut(100, 0, J("■"));
        EXPECT_EQ(QColor(page.pixel(120, 20)), c.expected) << c.color;
        y += 4;
    }
}

TEST_F(CanvasTest, StretchDrawPutsTheBitmapsColoursWhereExpected) {
    Bitmap pic(2, 2);
    pic.at(0, 0) = 0xFFFF0000u; // red
    pic.at(1, 0) = 0xFF00FF00u; // green
    pic.at(0, 1) = 0x000000FFu; // blue, no alpha: pictures are drawn solid
    pic.at(1, 1) = 0xFFFFFFFFu;
    canvas.stretchDraw({10, 10, 50, 50}, pic);
    EXPECT_EQ(QColor(page.pixel(10, 10)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(page.pixel(29, 29)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(page.pixel(49, 10)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(page.pixel(10, 49)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(page.pixel(49, 49)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(page.pixel(50, 30)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(page.pixel(30, 50)), QColor(255, 255, 255));
}

TEST_F(CanvasTest, GrabReturnsThePixelsAndWhiteOutside) {
    canvas.fillRect({0, 0, 10, 10}, colors::Red);
    canvas.fillRect({10, 0, 20, 10}, colors::Blue);
    const Bitmap b = canvas.grab({-5, 5, 15, 15});
    ASSERT_EQ(b.width, 20);
    ASSERT_EQ(b.height, 10);
    EXPECT_EQ(b.at(0, 0), 0xFFFFFFFFu);  // left of the page
    EXPECT_EQ(b.at(5, 0), 0xFFFF0000u);  // (0, 5)
    EXPECT_EQ(b.at(15, 4), 0xFF0000FFu); // (10, 9)
    EXPECT_EQ(b.at(15, 5), 0xFFFFFFFFu); // (10, 10)

    // A grabbed picture drawn back lands on the same pixels (copying a region).
    QImage copy = makePageImage(200, 120);
    QtCanvas other(copy);
    other.stretchDraw({-5, 5, 15, 15}, b);
    other.end();
    EXPECT_EQ(copy.pixel(2, 9), page.pixel(2, 9));
    EXPECT_EQ(copy.pixel(12, 9), page.pixel(12, 9));
}

TEST_F(CanvasTest, BadGeometryDrawsNothingAndNeverCrashes) {
    EXPECT_TRUE(canvas.grab({10, 10, 10, 20}).empty());
    EXPECT_TRUE(canvas.grab({10, 10, 0, 20}).empty());
    EXPECT_TRUE(canvas.grab({-2000000000, -2000000000, 2000000000, 2000000000}).empty());
    EXPECT_TRUE(canvas.grab({0, 0, 100000, 100000}).empty()) << "too large to hold";
    canvas.stretchDraw({0, 0, 10, 10}, Bitmap());
    Bitmap broken(4, 4);
    broken.pixels.resize(3);
    canvas.stretchDraw({0, 0, 10, 10}, broken);
    canvas.rectangle({2000000000, 0, -2000000000, 10});
    canvas.moveTo(-2147483647, 0);
    canvas.lineTo(2147483647, 100);
    canvas.setFontSize(-2147483647);
    canvas.textOut(2147483647, 2147483647, "x");
    canvas.setFontSize(100000);
    EXPECT_GT(canvas.textWidth("x"), 0);
    canvas.textOut(0, 0, std::string("\x95", 1)); // a lone lead byte
    SUCCEED();
}

TEST(SjisTextCache, DecodesWithTheCp932Mapping) {
    struct {
        std::string sjis;
        QString expected;
    } cases[] = {
        {"abc", QStringLiteral("abc")},
        {std::string("\x95\x5C", 2), QString(QChar(0x8868))},           // 表
        {std::string("\x81\x60", 2), QString(QChar(0xFF5E))},           // ～ (CP932)
        {std::string("\x81\x7C", 2), QString(QChar(0xFF0D))},           // － (CP932)
        {std::string("\x87\x40", 2), QString(QChar(0x2460))},           // ① (NEC)
        {std::string("\xB1", 1), QString(QChar(0xFF71))},               // half-width ｱ
        {std::string("x\x95", 2), QStringLiteral("x") + QChar(0xFFFD)}, // cut character
    };
    SjisTextCache cache(3);
    for (int round = 0; round < 2; ++round)
        for (const auto& c : cases)
            EXPECT_EQ(cache.lookup(c.sjis).text, c.expected) << c.sjis;
    EXPECT_LE(cache.size(), 3u);
}

TEST(Fonts, WindowsFacesMapToInstalledFonts) {
    registerFontSubstitutions();
    struct {
        const char* face;
        const char* family;
    } cases[] = {{"ＭＳ 明朝", "IPAMincho"},           {"MS 明朝", "IPAMincho"},
                 {"ＭＳ ゴシック", "IPAGothic"},       {"ＭＳ Ｐゴシック", "IPAPGothic"},
                 {"Bookman Old Style", "URW Bookman"}, {"", "IPAMincho"}};
    for (const auto& c : cases) {
        const QFontInfo info(QFont(fontFamilyFor(J(c.face))));
        EXPECT_TRUE(info.family().startsWith(QLatin1String(c.family)))
            << c.face << " -> " << info.family().toStdString();
    }
}

} // namespace
