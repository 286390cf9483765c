// Numbers of the value, font and kran blocks are taken into their ranges when a worksheet
// reads them, so that a hostile file cannot make the layout overflow; the course check
// says which numbers were out of range.
#include <gtest/gtest.h>

#include <array>

#include "CourseFixture.h"
#include "RecordingCanvas.h"
#include "SheetFixture.h"
#include "checks/CourseCheck.h"
#include "typeset/Formula.h"
#include "worksheet/PageLayout.h"

namespace {

using Bounds = SheetFixture;

TEST_F(Bounds, WorksheetValuesAreTakenIntoRange) {
    // What the worksheet holds afterwards: FontSize, LineSpace, LeftMargin, RightMargin,
    // StartNo, Options, then kran lines 1, 2 and 4 (width, height, answer place).
    using Values = std::array<int, 9>;
    struct Case {
        std::vector<std::string> value, font, kran;
        Values expected;
    } cases[] = {
        {{"630", "False", "40", "5", "5", "1", "7"},
         {"12"},
         {"5", "15", "2", "0", "0", "0", "15", "10", "0", "0"},
         Values{12, 40, 5, 5, 1, 7, 15, 2, 0}},
        {{"630", "False", "117717771", "2147483647", "-2147483647", "99999999", "-3"},
         {"117717771"},
         {"5", "2147483647", "-2147483647", "0", "99999", "0", "0", "0", "0", "0"},
         Values{200, 1000, 100, -100, 99999, 0, 1000, -1000, 1000}},
        {{"630", "False", "-40", "-1", "0", "0", "16"},
         {"0"},
         {"5", "-7", "1000", "0", "-1001", "0", "0", "0", "0", "0"},
         Values{1, -40, -1, 0, 0, 15, -7, 1000, -1000}},
        // Numbers beyond any int keep the worksheet's own values.
        {{"630", "False", "99999999999", "5", "5", "1", "7"},
         {"99999999999"},
         {"5", "99999999999", "2", "0", "0", "0", "15", "10", "0", "0"},
         Values{12, 30, 5, 5, 1, 7, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font[0]);
        program.parse.value = c.value;
        program.parse.font = c.font;
        program.parse.font.resize(7, "False");
        program.parse.kran = c.kran;
        Worksheet& sheet = open("k" + c.font[0] + c.value[2]);
        const Values got{sheet.FontSize,    sheet.LineSpace, sheet.LeftMargin,
                         sheet.RightMargin, sheet.StartNo,   sheet.Options,
                         sheet.kran(1),     sheet.kran(2),   sheet.kran(4)};
        EXPECT_EQ(got, c.expected);
    }
}

// The worst a file can ask for, laid out on screen and on a 2400-dpi printer page: the
// sanitizer build fails on any signed overflow, and every drawn text stays at coordinates
// a device can take.
TEST_F(Bounds, ExtremeValuesLayOutWithoutOverflow) {
    program.parse.value = {"630", "False", "2147483647", "2147483647", "-2147483647", "1", "7"};
    program.parse.font = {"117717771", "x", "True", "True", "True", "True", "0"};
    program.parse.kran = {"5",          "2147483647", "2147483647", "2",          "2147483647",
                          "2147483647", "2147483647", "2147483647", "2147483647", "0"};
    std::string longLine = "x=";
    for (int i = 0; i < 20000; ++i)
        longLine += "1/2+x^2";
    program.parse.questions = {longLine + "#3;4;5#@+@+" + longLine, "#1#@-#2#"};
    Worksheet& sheet = open();
    for (bool printing : {false, true}) {
        RecordingCanvas canvas(printing ? 19843 : 630, printing ? 28063 : 891,
                               printing ? 2400 : 96);
        LayOutPage(program, sheet, canvas, printing);
        ASSERT_FALSE(canvas.textOuts().empty());
        long long far = 0;
        for (const auto* r : canvas.textOuts())
            far = std::max({far, std::abs(static_cast<long long>(r->x)),
                            std::abs(static_cast<long long>(r->y))});
        EXPECT_LE(far, 1LL << 27);
    }
}

// A line that never ends, at the largest size and the finest printer: the pen stops far
// right of any page instead of running past the largest int.
TEST(BoundsTypesetter, AnEndlessLineStopsAtThePagesRightEdge) {
    FormulaContext ctx;
    ctx.printing = true;
    ctx.worksheetCurrent = true;
    const double scale = 39685.0 / 630; // A4 at 4800 dpi
    ctx.unitV = 53;
    ctx.unitH = static_cast<int>(200 * scale / 6);
    std::string japanese;
    while (japanese.size() < 600000)
        japanese += J("方程式");
    for (const std::string& text : {std::string(600000, '1'), std::string(600000, 'x'),
                                    [] {
                                        std::string t;
                                        while (t.size() < 600000)
                                            t += "12/34+";
                                        return t;
                                    }(),
                                    japanese}) {
        RecordingCanvas canvas(39685, 56126, 4800);
        const Point end = DrawFormula(ctx, 203, 100, 500, scale, canvas, text, colors::Black);
        // The pen ends past the page's right edge, but not far past it.
        EXPECT_GE(end.x, 39685);
        EXPECT_LT(end.x, 2 * 39685);
        // Only what reaches the page is drawn: the text goes out in a few pieces, never whole.
        std::size_t drawn = 0;
        for (const auto* r : canvas.textOuts()) {
            EXPECT_LT(r->x, 39685);
            drawn += r->text.size();
        }
        EXPECT_LT(drawn, 2000u);
    }
}

TEST(BoundsCheck, TheCourseCheckReportsNumbersOutOfRange) {
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "A,Eq1\\ eq1"});
    f.putLines("Eq1\\eq1.ind", {"t", "[[1", "s", "<<", "u", ">>"});
    std::vector<std::string> unit{"[[unit1", "<<ques", "a#1#", ">>"};
    for (const auto& l : defaultBlocks())
        unit.push_back(l);
    unit.push_back("]]");
    auto set = [&](const std::string& keyword, int n, const std::string& text) {
        for (std::size_t i = 0; i < unit.size(); ++i)
            if (unit[i] == keyword) unit[i + static_cast<std::size_t>(n)] = text;
    };
    set("<<font", 1, "117717771");
    set("<<value", 3, " -1001 ");
    set("<<value", 4, "99999999999");
    set("<<value", 7, "16");  // 16 and more read as 15 by rule: no problem
    set("<<kran", 1, "9");    // the box kind is no number with a range
    set("<<kran", 2, "1000"); // at the end of the range
    set("<<kran", 5, "+1001");
    f.putLines("Eq1\\eq11.que", unit);
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    std::vector<std::string> lines;
    for (const auto& p : r.problems)
        lines.push_back(U(FormatProblem(p)));
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "Eq1/eq11.que:8: <<value 値 -1001 は範囲外です（-1000 から 1000 まで）",
                  "Eq1/eq11.que:9: <<value 値 99999999999 は範囲外です（-100 から 100 まで）",
                  "Eq1/eq11.que:15: <<font 値 117717771 は範囲外です（1 から 200 まで）",
                  "Eq1/eq11.que:28: <<kran 値 +1001 は範囲外です（-1000 から 1000 まで）"}));
}

} // namespace
