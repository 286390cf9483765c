// Two-column worksheets: the questions of the right column start at the column's edge and
// the answers of each column start at one x, however long each question and each left
// answer is, and whether the answers are shown or not; the answer position setting moves
// the right column's answers with their column.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "LayoutSheet.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"

namespace {

// Lines as a teacher types them: blanks pad the columns by eye, and every question and
// answer has a length of its own.
const std::vector<std::string> kLines = {
    "(1) 3x=12       x=# 4 #        (11) 5x=-20     x=# -4 #",
    "(2) x+8=2       x=# -6 #      (12) x-7=-3      x=# 4 #",
    "(8) 1/2x=6        x=# 12 #       (18) [x]/3=-2       x=# -6 #",
    "(10) x-4=5x     x=# -1 #      (20) 8x+3=3x-2   x=# -123 #",
};

struct Columns {
    std::set<int> left, right; // answer x of each column
    std::set<int> rightText;   // where the right column's questions start
};

Columns columnsOf(LayoutSheet& s) {
    s.screen.clear();
    LayOutPage(s.pg, s.ws, s.screen, false);
    Columns c;
    for (int k = 1; k <= s.ws.layout.kranCount; ++k)
        (k % 2 ? c.left : c.right).insert(s.ws.layout.KranTable[k].x);
    // Each line's runs: the left question, the right question, the rest.
    for (const auto* r : s.screen.textOuts())
        if (r->text == "(" && r->x > 300) c.rightText.insert(r->x);
    return c;
}

struct Case {
    const char* name;
    int answerPosition; // lstKranX line 4
    bool shown;
};

TEST(ColumnLayout, EachColumnsAnswersStartAtOneX) {
    for (const Case& c :
         {Case{"automatic, answer sheet", 0, true}, Case{"automatic, problem sheet", 0, false},
          Case{"answer position 20", 20, true}}) {
        SCOPED_TRACE(c.name);
        LayoutSheet s;
        s.ws.lstQues = kLines;
        s.ws.setKranLine(KranLine::Kind, "2");
        s.ws.setKranLine(KranLine::Columns, "2");
        s.ws.setKranLine(KranLine::AnswerX, std::to_string(c.answerPosition));
        s.ws.LeftMargin = 3;
        s.ws.RightMargin = 3;
        s.ws.FontSize = 10;
        s.ws.LineSpace = 40;
        s.ws.ShowAnswers = c.shown;
        const Columns cols = columnsOf(s);
        ASSERT_EQ(cols.left.size(), 1u);
        ASSERT_EQ(cols.right.size(), 1u);
        EXPECT_EQ(cols.rightText.size(), 1u) << "right column questions start apart";
        const int left = *cols.left.begin(), right = *cols.right.begin();
        // The right column's questions start right of the column rule, and its answers
        // after them.
        const int rule = (630 - 30 + 10 + 30) / 2 - 10;
        EXPECT_GT(*cols.rightText.begin(), rule);
        EXPECT_GT(right, *cols.rightText.begin());
        if (c.answerPosition != 0) {
            EXPECT_EQ(left, c.answerPosition * 10);
            EXPECT_EQ(right - left, *cols.rightText.begin() - 30) << "moved with the column";
        }
        // The problem sheet keeps the answer sheet's places.
        s.ws.ShowAnswers = !c.shown;
        const Columns other = columnsOf(s);
        EXPECT_EQ(other.left, cols.left);
        EXPECT_EQ(other.right, cols.right);
    }
}

} // namespace
