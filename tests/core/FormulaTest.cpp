// The formula typesetter on the recording canvas: 8 units per byte at 12 pt, so a glyph
// of size 12 is 8 wide and one of size 10 (an exponent) 6. On screen U = 7 and W = 2.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "text/Sjis.h"
#include "typeset/Formula.h"
#include "typeset/UnitPictures.h"

namespace {

constexpr int X = 100;
constexpr int Y = 50;

FormulaContext screen() {
    FormulaContext ctx;
    ctx.worksheetCurrent = true;
    return ctx;
}

// One expected text-out, relative to (X, Y).
struct Glyph {
    std::string text; // UTF-8
    int dx;
    int dy;
    int size = 12;
    bool operator==(const Glyph&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Glyph& g) {
    return os << "\"" << g.text << "\"@(" << g.dx << "," << g.dy << ")/" << g.size;
}

std::vector<Glyph> drawn(const RecordingCanvas& c) {
    std::vector<Glyph> out;
    for (const auto* r : c.textOuts())
        out.push_back({sjis::toUtf8(r->text), r->x - X, r->y - Y, r->state.size});
    return out;
}

struct Case {
    const char* name;
    const char* text; // UTF-8
    std::vector<Glyph> glyphs;
    int endDx;
};

std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << c.name;
}

// Numerator tops at Y - 4, denominator tops at Y + 18, plain glyphs at Y + 7.
const std::vector<Case> kScreenCases = {
    {"Empty", "", {}, 0},
    {"Hash", "#", {}, 0},
    {"TwoX", "2x", {{"2", 0, 7}, {"x", 14, 7}}, 28},
    {"TwoXPlusOne", "2x+1", {{"2", 0, 7}, {"x", 14, 7}, {"+", 28, 7}, {"1", 42, 7}}, 56},
    {"LonePlus", "+", {{"+", 0, 7}}, 14},
    {"Number", "12", {{"1", 0, 7}, {"2", 12, 7}}, 26},
    {"Parentheses",
     "(x+1)",
     {{"(", 0, 7}, {"x", 14, 7}, {"+", 28, 7}, {"1", 42, 7}, {")", 56, 7}},
     70},
    {"Equation", "y=2x", {{"y", 0, 7}, {"=", 14, 7}, {"2", 28, 7}, {"x", 42, 7}}, 56},
    {"Half", "1/2", {{"1", 0, -4}, {"2", 0, 18}}, 13},
    {"TenThirds", "10/3", {{"1", 0, -4}, {"0", 12, -4}, {"3", 5, 18}}, 25},
    {"ShortNumerator", "1/10", {{"1", 0, 18}, {"0", 12, 18}, {"1", 5, -4}}, 25},
    {"Square", "x^2", {{"x", 0, 7}, {"2", 14, 0, 10}}, 26},
    {"OnlyFirstDigitRaised", "x^12", {{"x", 0, 7}, {"1", 14, 0, 10}, {"2", 26, 7}}, 40},
    {"ExponentThenSign", "x^2+1", {{"x", 0, 7}, {"2", 14, 0, 10}, {"+", 26, 7}, {"1", 40, 7}}, 54},
    {"BracketedNumerator",
     "[x+1]/3",
     {{"x", 0, -4}, {"+", 12, -4}, {"1", 24, -4}, {"3", 10, 18}},
     37},
    {"CaretInsideBrackets", "[x^2]/3", {{"x", 0, -4}, {"2", 12, -4}, {"3", 6, 18}}, 25},
    {"GreaterEqual", "a>=b", {{"a", 0, 7}, {"≧", 14, 7}, {"b", 31, 7}}, 45},
    {"Greater", "a>b", {{"a", 0, 7}, {"＞", 14, 7}, {"b", 31, 7}}, 45},
    {"LessEqual", "a<=b", {{"a", 0, 7}, {"≦", 14, 7}, {"b", 31, 7}}, 45},
    {"Less", "a<b", {{"a", 0, 7}, {"＜", 14, 7}, {"b", 31, 7}}, 45},
    {"Times", "3*4", {{"3", 0, 7}, {"×", 14, 7}, {"4", 31, 7}}, 45},
    {"Divide", "6\\2", {{"6", 0, 7}, {"÷", 14, 7}, {"2", 31, 7}}, 45},
    {"AmpersandSeparates", "2&3", {{"2", 0, 7}, {"3", 14, 7}}, 28},
    {"JapaneseTextAsItStands", "x＝3", {{"x＝3", 0, 7}}, 32},
    {"GramInsideTextIsALetter", "2g", {{"2", 0, 7}, {"g", 14, 7}}, 28},
    // "R" is followed by W div 4 = 0 instead of 2 W.
    {"RGap", "2R3", {{"2", 0, 7}, {"R", 12, 7}, {"3", 20, 7}}, 34},
    // A numerator with an R loses only its "[": the "]" is drawn as a letter.
    {"RKeepsClosingBracket",
     "[R2]/3",
     {{"R", 0, -4}, {"2", 8, -4}, {"]", 20, -4}, {"3", 9, 18}},
     33},
    // A stray "]" makes the depth negative; the "[" after it only brings it back to 0, so
    // the "+" still acts as a sign.
    {"StrayClosingBracket", "2]+3", {{"2", 0, 7}, {"]", 12, 7}, {"+", 26, 7}, {"3", 40, 7}}, 54},
    {"StrayThenOpening",
     "2][+3",
     {{"2", 0, 7}, {"]", 12, 7}, {"[", 24, 7}, {"+", 38, 7}, {"3", 52, 7}},
     66},
    // An unbalanced "[" swallows the rest into one token, drawn as one run.
    {"UnbalancedOpening", "[x+1", {{"[", 0, 7}, {"x", 12, 7}, {"+", 24, 7}, {"1", 36, 7}}, 50},
    // "[" inside brackets does not raise the depth: the first "]" closes.
    {"NestedOpening",
     "[a[b]+c",
     {{"[", 0, 7},
      {"a", 12, 7},
      {"[", 24, 7},
      {"b", 36, 7},
      {"]", 48, 7},
      {"+", 62, 7},
      {"c", 76, 7}},
     90},
    // A flush after a fraction keeps fraction mode; the lone token is drawn plainly.
    {"FlushAfterFraction", "1/2+3", {{"1", 0, -4}, {"2", 0, 18}, {"+", 13, 7}, {"3", 27, 7}}, 41},
    {"AmpersandAfterFraction", "1/2&3", {{"1", 0, -4}, {"2", 0, 18}, {"3", 13, 7}}, 27},
    // The default rule ends the fraction and draws its own byte.
    {"DefaultRuleAfterFraction", "1/2A", {{"1", 0, -4}, {"2", 0, 18}, {"A", 13, 7}}, 27},
    {"DefaultRulePlain", "2A", {{"2", 0, 7}, {"A", 14, 7}}, 28},
    // Open point: after a flush, the default rule meets fraction mode with no saved
    // numerator. The token 3 is drawn as a plain piece instead of vanishing.
    {"TokenAfterFlushIsNotLost",
     "1/2+3!",
     {{"1", 0, -4}, {"2", 0, 18}, {"+", 13, 7}, {"3", 27, 7}, {"!", 41, 7}},
     55},
    {"TokenAfterFlushInBarModeIsNotLost",
     "2|3 4?",
     {{"2", 0, -4}, {"3", 0, 18}, {" ", 13, 7}, {"4", 27, 7}},
     41},
    // Bar fraction: "1|2:x+1)" is (x+1)/2, the "1" dropped; reading resumes after ")".
    {"BarFraction",
     "1|2:x+1)+3",
     {{"x", 0, -4}, {"+", 12, -4}, {"1", 24, -4}, {"2", 10, 18}, {"+", 37, 7}, {"3", 51, 7}},
     65},
    {"BarFractionKeepsOtherNumerator",
     "3|2:x+1)",
     {{"3", 0, -4}, {"x", 12, -4}, {"+", 24, -4}, {"1", 36, -4}, {"2", 16, 18}},
     49},
    // Without ")" the tail stops before the text's last byte, which is not drawn.
    {"BarFractionTailWithoutParenthesis",
     "1|2:x+1",
     {{"x", 0, -4}, {"+", 12, -4}, {"2", 5, 18}},
     25},
    // A "1" over nothing: the numerator is empty and nothing is drawn.
    {"BarFractionEmptyTail", "1|2!", {}, 0},
};

class FormulaScreen : public testing::TestWithParam<Case> {};

TEST_P(FormulaScreen, DrawsGlyphsAtTheirPlaces) {
    const Case& k = GetParam();
    RecordingCanvas c;
    Point end = DrawFormula(screen(), 12, X, Y, 1.0, c, sjis::fromUtf8(k.text), colors::Black);
    EXPECT_EQ(drawn(c), k.glyphs);
    EXPECT_EQ(end, (Point{X + k.endDx, Y}));
}

INSTANTIATE_TEST_SUITE_P(Cases, FormulaScreen, testing::ValuesIn(kScreenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Formula, EmptyTextAndHashLeaveTheCanvasAlone) {
    for (const char* text : {"", "#"}) {
        RecordingCanvas c;
        EXPECT_EQ(DrawFormula(screen(), 12, X, Y, 1.0, c, text, colors::Red), (Point{X, Y}));
        if (*text == 0) {
            EXPECT_TRUE(c.records().empty());
        }
        EXPECT_EQ(c.count(RecordingCanvas::Kind::TextOut), 0u);
        EXPECT_EQ(c.count(RecordingCanvas::Kind::LineTo), 0u);
    }
}

TEST(Formula, LettersXYAUseTheLetterFaceAndTheRestTheMainFace) {
    RecordingCanvas c;
    FormulaContext ctx = screen();
    DrawFormula(ctx, 12, X, Y, 1.0, c, "2x+ya", rgb(0, 128, 0));
    auto t = c.textOuts();
    ASSERT_EQ(t.size(), 5u);
    for (const auto* r : t) {
        bool letter = r->text == "x" || r->text == "y" || r->text == "a";
        EXPECT_EQ(r->state.face, letter ? J("Bookman Old Style") : J("ＭＳ 明朝")) << r->text;
        EXPECT_EQ(r->state.style, letter ? fontstyle::Italic : 0u) << r->text;
        EXPECT_EQ(r->state.fontColor, rgb(0, 128, 0));
        EXPECT_EQ(r->state.penMode, PenMode::Copy);
    }
    // Afterwards the canvas keeps the main face and style, the call's size and colour.
    EXPECT_EQ(c.fontFace(), J("ＭＳ 明朝"));
    EXPECT_EQ(c.fontStyle(), 0u);
    EXPECT_EQ(c.fontSize(), 12);
    EXPECT_EQ(c.fontColor(), rgb(0, 128, 0));
}

TEST(Formula, CustomFacesAndStylesComeFromTheContext) {
    RecordingCanvas c;
    FormulaContext ctx = screen();
    ctx.mainFace = "Main";
    ctx.mainStyle = fontstyle::Bold;
    ctx.letterFace = "Letter";
    ctx.letterStyle = fontstyle::Bold | fontstyle::Italic;
    DrawFormula(ctx, 12, X, Y, 1.0, c, "a1", colors::Black);
    auto t = c.textOuts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->state.face, "Letter");
    EXPECT_EQ(t[0]->state.style, fontstyle::Bold | fontstyle::Italic);
    EXPECT_EQ(t[1]->state.face, "Main");
    EXPECT_EQ(t[1]->state.style, fontstyle::Bold);
}

TEST(Formula, JapaneseTextIsOneTextOutWithoutFaceChanges) {
    RecordingCanvas c;
    c.setFontFace("Caller");
    c.setFontStyle(fontstyle::Bold);
    c.clear();
    Point end = DrawFormula(screen(), 12, X, Y, 1.0, c, sjis::fromUtf8("x＝3"), colors::Black);
    EXPECT_EQ(c.count(RecordingCanvas::Kind::SetFontFace), 0u);
    EXPECT_EQ(c.count(RecordingCanvas::Kind::SetFontStyle), 0u);
    ASSERT_EQ(c.textOuts().size(), 1u);
    EXPECT_EQ(c.textOuts()[0]->state.face, "Caller");
    EXPECT_EQ(end, (Point{X + 32, Y}));
}

TEST(Formula, FractionBarUsesTheFontColourThenResetsThePen) {
    RecordingCanvas c;
    DrawFormula(screen(), 12, X, Y, 1.0, c, "1/2", colors::Blue);
    auto lines = c.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (Point{X - 1, Y + 14}));
    EXPECT_EQ(lines[0].to, (Point{X + 8 + 1, Y + 14}));
    EXPECT_EQ(lines[0].color, colors::Blue);
    EXPECT_EQ(lines[0].width, 1);
    EXPECT_EQ(lines[0].mode, PenMode::Copy);
    EXPECT_EQ(c.penColor(), colors::Black);
    EXPECT_EQ(c.penWidth(), 1);
}

// The bar is raised by e, which follows a table of font sizes; paper draws the same bar.
TEST(Formula, FractionBarRaiseBySize) {
    struct Row {
        int size;
        int screenE;
    };
    for (Row row : {Row{6, 4},
                    {8, 4},
                    {9, 6},
                    {10, 2},
                    {12, 0},
                    {14, -1},
                    {16, -2},
                    {18, -4},
                    {20, -5},
                    {24, -9}}) {
        for (bool printing : {false, true}) {
            RecordingCanvas c;
            FormulaContext ctx = screen();
            ctx.printing = printing;
            DrawFormula(ctx, row.size, X, Y, 1.0, c, "1/2", colors::Black);
            auto lines = c.lines();
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].from.y, Y + 14 - row.screenE)
                << row.size << (printing ? " printing" : "");
            EXPECT_EQ(lines[0].to.y, Y + 14 - row.screenE);
        }
    }
}

// On an A4 page at 600 dpi (scale 4960 / 630) the layout hands over the screen's units
// scaled: U = nearest(7 × scale) = 55, W = nearest(2 × scale) = 16. Every distance is the
// screen's times the scale, the same for the printer as for any other canvas.
TEST(Formula, PaperWorkedNumbers) {
    const double scale = 4960.0 / 630.0;
    for (bool printing : {true, false}) {
        FormulaContext ctx = screen();
        ctx.printing = printing;
        ctx.unitV = 55;
        ctx.unitH = 16;
        RecordingCanvas c(4960, 7016, 600);
        Point end = DrawFormula(ctx, 12, X, Y, scale, c, "1/2", colors::Black);
        auto t = c.textOuts();
        ASSERT_EQ(t.size(), 2u);
        // nearest(27.5) = 28 and nearest(137.5) = 138 (halves to even): Y - 4 and Y + 18
        // on screen, scaled.
        EXPECT_EQ(t[0]->y, Y - 28);
        EXPECT_EQ(t[1]->y, Y + 138);
        auto lines = c.lines();
        ASSERT_EQ(lines.size(), 1u);
        // nearest(scale) = 8; the bar at Y + 110, not raised at 12 points.
        EXPECT_EQ(lines[0].from, (Point{X - 8, Y + 110}));
        EXPECT_EQ(lines[0].to, (Point{X + 8 + 8, Y + 110}));
        EXPECT_EQ(lines[0].width, 8);
        EXPECT_EQ(end, (Point{X + 16 + 32, Y}));

        // A plain piece keeps the screen's proportions: the glyph, W and the closing space
        // of the run scaled (nearest(2 × scale) = 16), then the piece's trailing W.
        c.clear();
        end = DrawFormula(ctx, 12, X, Y, scale, c, "7", colors::Black);
        EXPECT_EQ(end, (Point{X + 8 + 16 + 16 + 16, Y}));
        EXPECT_EQ(c.textOuts()[0]->y, Y + 55);
    }
}

// The bar's pen and raise grow with the page: one pixel on screen, that pixel scaled on
// paper, whether or not the target is a printer.
TEST(Formula, BarPenAndRaiseScaleWithThePage) {
    struct Row {
        double scale;
        int size;
        int width;
        int raise;
    };
    for (Row row : {Row{1.0, 10, 1, 2},
                    {4960.0 / 630.0, 10, 8, 16},
                    {2480.0 / 630.0, 10, 4, 8},
                    {0.5, 10, 1, 1},
                    {4960.0 / 630.0, 18, 8, -31}}) {
        for (bool printing : {false, true}) {
            RecordingCanvas c(static_cast<int>(630 * row.scale), 7016, 600);
            FormulaContext ctx = screen();
            ctx.printing = printing;
            DrawFormula(ctx, row.size, X, Y, row.scale, c, "1/2", colors::Black);
            ASSERT_EQ(c.lines().size(), 1u);
            EXPECT_EQ(c.lines()[0].width, row.width) << row.scale;
            EXPECT_EQ(c.lines()[0].from.y, Y + 14 - row.raise) << row.scale;
            EXPECT_EQ(c.penWidth(), 1);
        }
    }
}

TEST(Formula, ExponentFractionBarUsesTheReducedSize) {
    // An exponent covers one byte, so an exponent piece is always plain; the size of the
    // exponent is reset before the next piece.
    RecordingCanvas c;
    DrawFormula(screen(), 12, X, Y, 1.0, c, "x^2/3", colors::Black);
    auto lines = c.lines();
    ASSERT_EQ(lines.size(), 0u);
    EXPECT_EQ(c.fontSize(), 12);
}

TEST(Formula, WithoutWorksheetOnlyTextOutsAndSignsAreDrawn) {
    RecordingCanvas c;
    FormulaContext ctx = screen();
    ctx.worksheetCurrent = false;
    Point end = DrawFormula(ctx, 12, X, Y, 1.0, c, "x_y*2", colors::Black);
    EXPECT_EQ(c.textsUtf8(), (std::vector<std::string>{"_", "×"}));
    // A letter that is left out has no width: x costs only the run's W + 2 and the piece's
    // W, and y nothing at all, as the pen has not moved since the underscore.
    EXPECT_EQ(drawn(c), (std::vector<Glyph>{{"_", 6, 7}, {"×", 20, 7}}));
    EXPECT_EQ(end, (Point{X + 42, Y}));
    EXPECT_EQ(c.count(RecordingCanvas::Kind::SetFontFace), 0u);
}

TEST(Formula, WithoutWorksheetNothingDependsOnTheCanvasPenBeforeTheCall) {
    FormulaContext ctx = screen();
    ctx.worksheetCurrent = false;
    Point ends[2];
    for (int k = 0; k < 2; ++k) {
        RecordingCanvas c;
        c.moveTo(k == 0 ? 0 : 5000, 0);
        ends[k] = DrawFormula(ctx, 12, X, Y, 1.0, c, "1/2 x^2", colors::Black);
    }
    EXPECT_EQ(ends[0], ends[1]);
    EXPECT_GE(ends[0].x, X);
}

TEST(Formula, RunStartingWithCaretCountsFromTheFormulaStart) {
    // "[^2]/3" strips to the numerator "^2": the caret draws nothing, so the 2 stands 2 W
    // after the formula's start, whatever the canvas pen held before. The 3 is indented by
    // ((12 div 2) × 1) div 2.
    RecordingCanvas c;
    c.moveTo(0, 0);
    Point end = DrawFormula(screen(), 12, X, Y, 1.0, c, "[^2]/3", colors::Black);
    EXPECT_EQ(drawn(c), (std::vector<Glyph>{{"2", 4, -4}, {"3", 3, 18}}));
    EXPECT_EQ(end, (Point{X + 12 + 1 + 4, Y}));
}

TEST(Formula, SingleBytesArePlainPieces) {
    RecordingCanvas c;
    EXPECT_EQ(DrawFormula(screen(), 12, X, Y, 1.0, c, "x", colors::Black), (Point{X + 14, Y}));
    EXPECT_EQ(c.textOuts()[0]->state.face, J("Bookman Old Style"));
    c.clear();
    // A space is not a letter: it is drawn even without a worksheet.
    FormulaContext none = screen();
    none.worksheetCurrent = false;
    EXPECT_EQ(DrawFormula(none, 12, X, Y, 1.0, c, " ", colors::Black), (Point{X + 14, Y}));
    EXPECT_EQ(c.texts(), std::vector<std::string>{" "});
}

TEST(Formula, DrawFormulaAtTakesPositionFirst) {
    RecordingCanvas a, b;
    Point pa = DrawFormula(screen(), 16, X, Y, 1.0, a, "2x^2-1/3", colors::Red);
    Point pb = DrawFormulaAt(screen(), X, Y, 16, 1.0, b, "2x^2-1/3", colors::Red);
    EXPECT_EQ(pa, pb);
    EXPECT_EQ(drawn(a), drawn(b));
}

TEST(Formula, SignsAreTheFullWidthCharacters) {
    RecordingCanvas c;
    DrawFormula(screen(), 12, X, Y, 1.0, c, "a>=b<=c>d<e*f\\g", colors::Black);
    std::vector<std::string> signs;
    for (const auto& t : c.texts())
        if (t.size() == 2) signs.push_back(t);
    EXPECT_EQ(signs, (std::vector<std::string>{J("≧"), J("≦"), J("＞"), J("＜"), J("×"), J("÷")}));
}

// --- Unit pictures ---

struct UnitCase {
    const char* text;
    Color color;
    double scale;
    int charSize;
    Rect rect; // relative to (X, Y)
    const Bitmap UnitPictures::*picture;
};

TEST(Formula, UnitSignsAloneArePictures) {
    using P = UnitPictures;
    // d = nearest(scale × 20 × CharSize / 16); "g" moves down by nearest(5 × scale).
    const UnitCase cases[] = {
        {"l", colors::Black, 1.0, 12, {0, 7, 15, 22}, &P::imgLitter},
        {"l", colors::Red, 1.0, 12, {0, 7, 15, 22}, &P::imgRedLitter},
        {"g", colors::Black, 1.0, 12, {0, 12, 15, 27}, &P::imgGram},
        {"g", colors::Red, 1.0, 12, {0, 12, 15, 27}, &P::imgRedGram},
        {"~", colors::Black, 1.0, 12, {0, 7, 15, 22}, &P::imgABlack},
        {"~", colors::Red, 1.0, 12, {0, 7, 15, 22}, &P::imgARed},
        // Only 255 selects red.
        {"g", rgb(254, 0, 0), 1.0, 12, {0, 12, 15, 27}, &P::imgGram},
        // 20 × 10 / 16 = 12.5 rounds to 12; 7.5 rounds to 8, 22.5 to 22.
        {"l", colors::Black, 1.0, 10, {0, 7, 12, 19}, &P::imgLitter},
        {"g", colors::Black, 1.5, 12, {0, 15, 22, 37}, &P::imgGram},
    };
    for (const UnitCase& k : cases) {
        RecordingCanvas c;
        FormulaContext ctx = screen();
        ctx.charSize = k.charSize;
        Point end = DrawFormula(ctx, 12, X, Y, k.scale, c, k.text, k.color);
        auto pics = c.pictures();
        ASSERT_EQ(pics.size(), 1u) << k.text;
        Rect want{X + k.rect.left, Y + k.rect.top, X + k.rect.right, Y + k.rect.bottom};
        EXPECT_EQ(pics[0]->rect, want) << k.text << " " << k.scale;
        EXPECT_EQ(pics[0]->source, &(unitPictures().*k.picture)) << k.text << " " << k.color;
        EXPECT_EQ(end, (Point{want.right, Y}));
        EXPECT_EQ(c.count(RecordingCanvas::Kind::TextOut), 0u);
        // The font is set even though no text is drawn.
        EXPECT_EQ(c.fontColor(), k.color);
    }
}

TEST(UnitPictures, SixSixteenSquarePicturesBlackAndRed) {
    const UnitPictures& p = unitPictures();
    EXPECT_EQ(&p, &unitPictures());
    const std::pair<const Bitmap*, const Bitmap*> pairs[] = {
        {&p.imgLitter, &p.imgRedLitter}, {&p.imgGram, &p.imgRedGram}, {&p.imgABlack, &p.imgARed}};
    for (auto [black, red] : pairs) {
        ASSERT_EQ(black->width, 16);
        ASSERT_EQ(black->height, 16);
        ASSERT_EQ(red->width, 16);
        ASSERT_EQ(red->height, 16);
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                std::uint32_t b = black->at(x, y), r = red->at(x, y);
                ASSERT_TRUE(b == UnitPictures::Paper || b == UnitPictures::Ink);
                // Same shape in both colours.
                EXPECT_EQ(r, b == UnitPictures::Ink ? UnitPictures::RedInk : UnitPictures::Paper);
                ink += b == UnitPictures::Ink;
            }
        EXPECT_GT(ink, 10);
    }
    // The three signs differ from each other.
    EXPECT_NE(p.imgLitter.pixels, p.imgGram.pixels);
    EXPECT_NE(p.imgGram.pixels, p.imgABlack.pixels);
    EXPECT_EQ(p.forSign('x', false), nullptr);
}

} // namespace
