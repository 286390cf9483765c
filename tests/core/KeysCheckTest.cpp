// Answer keys checked against their questions: one table of question lines per kind, in
// the bundled course's notation, with right and wrong keys, alternatives, lines typed in
// full width, lines that must not be checked, and hostile lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CourseFixture.h"
#include "keys/KeyCheck.h"

namespace {

struct Row {
    const char* what;
    std::vector<std::string> lines; // one unit's question lines (UTF-8)
    KeyTally tally;
    std::vector<std::string> findings; // "LINE kind [expected]", LINE from 0
};

std::string describe(const KeyFinding& f) {
    static const char* const kinds[] = {"wrong", "no solution", "indeterminate", "division by zero",
                                        "unreadable"};
    std::string s = std::to_string(f.line) + " " + kinds[static_cast<int>(f.kind)];
    if (!f.expected.empty()) s += " " + f.expected;
    return s;
}

UnitKeyCheck check(const std::vector<std::string>& utf8) {
    Lines sjisLines;
    for (const std::string& l : utf8)
        sjisLines.push_back(S(l));
    const LineViews views = lines::views(sjisLines);
    return CheckUnitKeys(views);
}

void run(const std::vector<Row>& table) {
    for (const Row& r : table) {
        const UnitKeyCheck c = check(r.lines);
        std::vector<std::string> found;
        for (const KeyFinding& f : c.findings)
            found.push_back(describe(f));
        EXPECT_EQ(found, r.findings) << r.what;
        EXPECT_EQ(c.tally.checked, r.tally.checked) << r.what;
        EXPECT_EQ(c.tally.wrong, r.tally.wrong) << r.what;
        EXPECT_EQ(c.tally.notChecked, r.tally.notChecked) << r.what;
    }
}

const std::string Solve = "@B次の方程式を解き、x の値を答えなさい。";

TEST(KeysCheck, EquationsInOneUnknown) {
    run({
        {"sums", {Solve, "(1) x+5=12# 7#", "(2) x-8=3# 12#"}, {2, 1, 0}, {"2 wrong 11"}},
        {"brackets, keys with x=",
         {"@Bかっこをはずして、次の方程式を解きなさい。", "@-(答えは x=4 のように書きます)@=",
          "(1) 5x-2(x-4)=17# x=3#", "(2) -3(x+4)=2(x-1)# x=2#"},
         {2, 1, 0},
         {"3 wrong x=-2"}},
        {"decimals",
         {Solve, "(1) 0.25x=1.5-0.5x# 2#", "(2) 0.06x+0.1=0.04x+0.3# 1#"},
         {2, 1, 0},
         {"2 wrong 10"}},
        {"fractions",
         {Solve, "(1) [2x-1]/3=[x+4]/2# 14#", "(2) 2/3x-1/2=1/6x+1# 3#", "(3) 1|3,x+5)=x-1# 4#",
          "(4) 3|4x=x-2# 8#", "(5) [3x+1]/2=[x]/4# -2/5;-0.4#", "(6) 1/2(x-4)=[x]/3# 6#"},
         {6, 1, 0},
         {"6 wrong 12"}},
        {"proportions",
         {"@B次の比例式で、x の値を求めなさい。", "(1) x:6=2:3# 4#", "(2) 1/2:3=x:12# 2#",
          "(3) (x+1):4=3:2# 6#", "(4) 0.5:2=x:8# 2#"},
         {4, 1, 0},
         {"3 wrong 5"}},
        {"powers, times and divided by",
         {Solve, "(1) (-2)^2x+6=-10# -4 #", "(2) 5*(x-1)=3*x+7# 6 #", "(3) x\\3=4# 12 #",
          "(4) 10^2-3x=7x# 1 #"},
         {4, 1, 0},
         {"4 wrong 10"}},
        {"alternatives: every one must be right",
         {Solve, "(1) 9x+2=3x-1# -1/2;-0.5#", "(2) x-1&1/2=3# 9/2 ;4.5#",
          "(3) 6x+1=2x-2# -3/4;-0.7#", "(4) 4x+5=10x+2# 0.5;1/3#"},
         {4, 2, 0},
         {"3 wrong -0.75", "4 wrong 1/2"}},
        {"typed in full width",
         {Solve, "（１）　２ｘ－３＝１１　　ｘ＝#　７　#", "（２）　ｘ＋４＝９#５#",
          "（３）　３ｘ＝－１２#－３#", "（４）　１／３ｘ＝５#１５#"},
         {4, 1, 0},
         {"3 wrong -4"}},
        {"a label after one blank",
         {Solve, "(1) 3x=12 x=# 5#", "(2) 2x+1=7 x=# 3#", "(3) 5x=-20 x =# x=-4#"},
         {3, 1, 0},
         {"1 wrong 4"}},
        {"two columns, as a test sheet lays them out",
         {"@B次の方程式を解きなさい。", "(1) 3x=12       x=# 4 #        (11) 5x=-20     x=# -5 #",
          "(2) x+8=2       x=# -6 #      (12) x-7=-3      x=# 4 #"},
         {4, 1, 0},
         {"1 wrong -4"}},
    });
}

TEST(KeysCheck, PairsOfEquations) {
    const std::string pair = "@B次の連立方程式を解きなさい。";
    run({
        {"on two lines", {pair, "(1) x+y=7", "    x-y=1        x=# 4 #    y=# 3 #"}, {2, 0, 0}, {}},
        {"a wrong y",
         {pair, "(1) 3x+2y=8", "    x+2y=4       x=# 2 #    y=# 2 #"},
         {2, 1, 0},
         {"2 wrong 1"}},
        {"with brackets, decimals and fractions",
         {pair, "(1) 2(x+y)-x=5", "    3x-y=1      x=# 1 #    y=# 2 #", "(2) 0.3x+0.2y=1.3",
          "    x-y=1       x=# 3 #    y=# 2 #", "(3) [x]/3-[y]/2=-1",
          "    2x+y=10     x=# 3 #    y=# 4 #", "(4) 4x+y=6",
          "    4x-3y=-10     x=# 1/2 ;0.5#         y=# 4 #"},
         {8, 0, 0},
         {}},
        {"A=B=C",
         {pair, "(1) x+y=3x-y=8     x=# 4#  y=# 4#", "(2) 3x+y=x+3y-2=9  x=# 2#  y=# 4#"},
         {4, 1, 0},
         {"2 wrong 3"}},
        {"keys that name their letter",
         {pair, "(1) y=2x", "    x+y=12       # x=4 #    # y=8 #"},
         {2, 0, 0},
         {}},
        {"parallel lines: no solution; the same line twice: indeterminate",
         {pair, "(1) x+y=1", "    2x+2y=3      x=# 1 #    y=# 0 #", "(2) x+y=1",
          "    2x+2y=2      x=# 1 #    y=# 0 #"},
         {0, 0, 4},
         {"2 no solution", "2 no solution", "4 indeterminate", "4 indeterminate"}},
    });
}

TEST(KeysCheck, ExpressionsAndLines) {
    run({
        {"worked out and simplified",
         {"@B次の計算をしなさい。", "(1) 3+4*2# 11#", "(2) -3^2+4# -5#", "(3) 3(x+2)-2(x-1)# x+8#",
          "(4) 2/3-1/6# 1/2;0.5#", "(5) 12\\4*3# 1#"},
         {5, 1, 0},
         {"5 wrong 9"}},
        {"an expression ending in = asks for its value", {"(1) 2^3-1=# 7#"}, {1, 0, 0}, {}},
        {"lines from their slope, intercept and points",
         {"@B次の直線の式を求めなさい。", "(1) 傾きが 3 で、点 (1, 5) を通る直線  y= # 3x+2#",
          "(2) 切片が -1 で、点 (3, 1) を通る直線  y= # 2/3x-1#",
          "(3) 2 点 (-2, -1), (4, 2) を通る直線        y= # 1/2x#",
          "(4) 直線@= y=2x+1@= に平行で、点 (3, 1) を通る  y= # 2x-5#",
          "(5) x が 2 増えると y が 6 減り、x=1 のとき y=2  y= # -3x-5#",
          "(6) 傾きが@= 1/2@= で、点 (4, 0) を通る直線  y= # y=1/2x-2#"},
         {6, 1, 0},
         {"5 wrong -3x+5"}},
        {"slope and intercept of a line",
         {"@B次の１次関数のグラフの傾きと切片を答えなさい。",
          "(1)@= y=1/2x+3/2@=       傾き  # 1/2;0.5#              切片  # 3/2;1.5#",
          "(2)@= y=-x@=          傾き  # -1#             切片  # 1#"},
         {4, 1, 0},
         {"2 wrong 0"}},
        {"rate of change, increase of y",
         {"@B次の１次関数の変化の割合を答えなさい。", "(1) y=-2/3x+5# -2/3#",
          "(2) x=-1 のとき y=4、x=2 のとき y=-5 # 3#",
          "@By=2x-1 で、x が次のように増加するときの y の増加量は？",
          "(3) x が -2 から 3 まで増加するとき # 10#"},
         {3, 1, 0},
         {"2 wrong -3"}},
        {"a vertical pair of points is no function",
         {"(1) 2 点 (1, 3), (1, 7) を通る直線  y= # 2x+1#"},
         {0, 0, 1},
         {"0 no solution"}},
    });
}

TEST(KeysCheck, ValuesGivenForTheLettersArePutIn) {
    const std::string ask = "@B次の問いに答えなさい。";
    run({
        {"x and y in the instruction",
         {"@Bx=-2, y=3 のとき、次の式の値を求めなさい。", "(1) 3x+2y# 0#", "(2) x^2-y# 1#",
          "(3) 2(x-y)+3y# 0#", "(4) -xy# 6#"},
         {4, 1, 0},
         {"3 wrong -1"}},
        {"other letters, fractions, typed in full width",
         {"@Bａ＝１／２、ｂ＝－３のとき、次の式の値を求めなさい。", "(1) 4a+b# -1#", "(2) 6ab# -9#",
          "(3) a-b# 7/2;3.5#"},
         {3, 0, 0},
         {}},
        {"a value said with が",
         {"@Bx が -1 のとき、次の式の値を求めなさい。", "(1) 2x+5# 3#", "(2) x^2+x# 2#"},
         {2, 1, 0},
         {"2 wrong 0"}},
        {"values on the question's own line",
         {ask, "(1) a=4 のとき、2a-5 の値# 3#", "(2) x=-1 を 3x+7 に代入して値を求めなさい# 5#",
          "(3) m=2, n=-1 のときの 3m+n の値は？# 5#"},
         {3, 1, 0},
         {"2 wrong 4"}},
        {"the y of a line at a given x",
         {ask, "(1) y=2x+1 で、x=3 のときの y の値  y=# 7#", "@Bx=3 のときの y の値を求めなさい。",
          "(2) y=2x+1  y=# 7#", "(3) y=-x+4  y=# 2#",
          "(4) 傾きが 2 で、点 (1, 5) を通る直線  y=# 9#",
          "@By=2x+1 で、x=-2 のときの y の値を求めなさい。", "(5) y=# -3#"},
         {5, 1, 0},
         {"4 wrong 1"}},
        {"a given solution and the letter it asks for",
         {"@Bx=2 が解であるとき、a の値を求めなさい。", "(1) 3x+a=10  a=# 4#",
          "(2) ax-1=5  a=# 4#"},
         {2, 1, 0},
         {"2 wrong 3"}},
        {"values spoken of in words not read, or not at all",
         {"@Bx の値が 3 のとき、次の式の値を求めなさい。", "(1) 2x+5# 11#",
          "@B次の式の値を求めなさい。", "(2) 3x+2y# 5#", "@Bx=1 のとき y=5 である一次関数です。",
          "(3) y=2x+3  y=# 5#", "(4) x=1 のとき y=5 で、2x+y の値# 7#"},
         {0, 0, 4},
         {}},
    });
}

TEST(KeysCheck, TheRightValueIsSaidInTheCoursesNotation) {
    run({{"several letters",
          {"@B次の式を簡単にしなさい。", "(1) x+y+2x+y# 3x+y#", "(2) 2a*3b-ab# 6ab#",
           "(3) (x-y)^2# x^2+y^2#", "(4) 1/2a+b-a# a+b#"},
          {4, 4, 0},
          {"1 wrong 3x+2y", "2 wrong 5ab", "3 wrong x^2-2xy+y^2", "4 wrong -1/2a+b"}}});
    const std::string text = U(KeyFindingText(KeyFinding::Kind::Wrong, "3x+2y"));
    EXPECT_EQ(text, "解答が式と合いません（正しくは 3x+2y）");
}

TEST(KeysCheck, WhatIsNotReadIsNeverCalledWrong) {
    run({
        {"word problems",
         {"@B方程式をつくって答えなさい。",
          "(1) ある数を 3 倍して 5 をひくと、もとの数より 9 大きくなる。", "    もとの数は  # 8#",
          "(2) 1 個 120 円のパンを 10 個買うと  # 5#  円"},
         {0, 0, 2},
         {}},
        {"terms and graphs",
         {"(1) 方程式を成り立たせる文字の値を、方程式の（# 解 #）という。",
          "(2)@= y=2x-1@= のグラフを図1にかきなさい。",
          "    点 (0, # -1#   ) を通り、右へ 1 進むと上へ # 2#      進む直線。",
          "(3) 直線 A の式              y= # x+1#"},
         {0, 0, 4},
         {}},
        {"a question about an equation that does not ask to solve it",
         {"@B次の方程式の x の係数を答えなさい。", "(1) 3x+5=2# 3#"},
         {0, 0, 1},
         {}},
        {"an expression without an instruction to work it out", {"(1) 2x+3# 3#"}, {0, 0, 1}, {}},
        {"notation the sheet shows otherwise, powers, letters without equations",
         {Solve, "(1) x/3=4# 12#", "(2) x^2=4# 2#", "(3) x+y=5# 3#", "(4) [6]/[x+1]=2# 2#",
          "(5) 2<x# 3#"},
         {0, 0, 5},
         {}},
        {"keys that are not values",
         {Solve, "(1) 2x=6# よん#", "(2) 2x=6# 3cm#", "(3) 2x=6# y=3#", "(4) 2x=6# 3;#"},
         {0, 0, 4},
         {"1 unreadable", "2 unreadable", "3 unreadable", "4 unreadable"}},
    });
}

TEST(KeysCheck, HostileLinesGiveAFindingOrNotChecked) {
    std::string longLine = "(1) ";
    for (int k = 0; k < 2000; ++k)
        longLine += "x+1-";
    longLine += "x=3# 1#";
    const std::string deep =
        "(2) " + std::string(200, '(') + "x" + std::string(200, ')') + "=3# 3#";
    const std::string big(40, '9');
    run({
        {"10,000 characters, 200 brackets deep", {Solve, longLine, deep}, {0, 0, 2}, {}},
        {"coefficients of 40 digits are exact",
         {Solve, "(1) " + big + "x=" + big + "# 1#",
          "(2) " + big + "x=" + big + "+" + big + "# 1#"},
         {2, 1, 0},
         {"2 wrong 2"}},
        {"division by zero, no solution, every x",
         {Solve, "(1) [x]/0=1# 3#", "(2) x+1=x+2# 1#", "(3) 2(x+1)=2x+2# 1#", "(4) 0x=0# 0#"},
         {0, 0, 4},
         {"1 division by zero", "2 no solution", "3 indeterminate", "4 indeterminate"}},
        {"odd # and empty pieces", {Solve, "(1) x+1=2# 1", "(2) x+1=2# 1## 2#"}, {0, 0, 2}, {}},
        {"powers that would multiply out into millions of terms",
         {"@B次の式を計算しなさい。",
          "(11) (a+b+c+d+e+f+g+h+i+j+k+l+m+n+o+p+q+r+s+t+u+v+w+x+y+z)^8=# 1#",
          "(12) (a+b+c+d+e+f+g+h+i+j+k+l)^8=# 1#", "(13) (x+y+1)^8-(y+1+x)^8=# 0#"},
         {1, 0, 2},
         {}},
    });
    // Random bytes never crash the check.
    std::string noise;
    for (int k = 0; k < 4000; ++k)
        noise += static_cast<char>((k * 7919 + 13) % 251 + 1);
    const std::string numbered = "(1) " + noise + "# 1#";
    const std::string_view raw[] = {noise, numbered};
    const UnitKeyCheck c = CheckUnitKeys(raw);
    EXPECT_EQ(c.tally.wrong, 0);
}

} // namespace
