#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "typeset/Formula.h"

namespace {

FormulaContext screenContext() {
    FormulaContext ctx;
    ctx.worksheetCurrent = true;
    return ctx;
}

} // namespace

TEST(Formula, TwoXWorkedNumbers) {
    RecordingCanvas c;
    const int X = 100, Y = 50;
    Point end = DrawFormula(screenContext(), 12, X, Y, 1.0, c, "2x", colors::Black);
    auto t = c.textOuts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0]->x, X);
    EXPECT_EQ(t[0]->y, Y + 7);
    EXPECT_EQ(t[1]->x, X + 8 + 6);
    EXPECT_EQ(end, (Point{X + 8 + 8 + 12, Y}));
}
