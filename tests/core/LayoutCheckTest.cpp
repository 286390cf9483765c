// The layout check tells what the teacher's settings do to the answers, in the words both
// the course check and the layout dialog show: boxes that run into each other and answers
// too wide for a box of fixed width. The settings themselves are left as they are (the
// course check on real files is tried in CliCheckTest).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CourseFixture.h"
#include "LayoutSheet.h"
#include "worksheet/LayoutCheck.h"

namespace {

struct Case {
    const char* name;
    std::vector<std::string> lines; // UTF-8
    const char* kran0;              // box kind
    int width, height;              // 幅 and 高さ
    int lineSpace, size;            // 主行間 and 文字サイズ
    std::vector<std::string> expected;
    int answerPosition = 0; // 解答位置
};

std::vector<std::string> problemsOf(LayoutSheet& s) {
    std::vector<std::string> out;
    for (const LayoutProblem& p : CheckLayout(s.pg, s.ws, s.screen))
        out.push_back(std::to_string(p.line) + ":" + std::to_string(p.box) + " " + U(p.message));
    return out;
}

const std::string kOverlap = "と重なります（主行間・文字サイズ・解答欄の大きさを見直してください）";
const std::string kTooWide = "」が欄の幅に入りません（解答欄の幅を広げてください）";

TEST(LayoutCheck, TellsOverlappingBoxesAndAnswersTooWide) {
    const std::vector<Case> cases = {
        {"roomy sheet", {"(1) x=# 3 #", "(2) x=# 3/4 #"}, "1", 10, 2, 70, 12, {}},
        {"fractions taller than the line pitch",
         {"(1) x=# 3/4 #", "(2) x=# 5/6 #", "(3) x=# 7 #"},
         "1",
         10,
         2,
         14,
         16,
         {"1:2 解答欄2が解答欄1" + kOverlap, "2:3 解答欄3が解答欄1" + kOverlap,
          "2:3 解答欄3が解答欄2" + kOverlap}},
        {"a full-width answer in a fixed box",
         {"(1) x=# －３／７ #", "(2) x=# 2 #"},
         "5",
         2,
         2,
         40,
         12,
         {"0:1 解答欄1の答え「 －３／７ " + kTooWide}},
        {"boxes that hug their answers never are too narrow",
         {"(1) x=# －３／７ #"},
         "1",
         -12,
         0,
         40,
         12,
         {}},
        {"an answer position that puts a line's two answers on one spot",
         {"(1) x=# 3 #  (2) y=# 4 #"},
         "4",
         15,
         0,
         40,
         12,
         {"0:2 解答欄2が解答欄1" + kOverlap},
         20},
        {"no boxes: answers that run into each other",
         {"(1) x=# 3/4 #", "(2) y=# 5/6 #"},
         "0",
         10,
         0,
         10,
         20,
         {"1:2 解答欄2が解答欄1" + kOverlap}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutSheet s;
        for (const std::string& l : c.lines)
            s.ws.lstQues.push_back(S(l));
        s.ws.setKranLine(KranLine::Kind, c.kran0);
        s.ws.setKranLine(KranLine::Width, std::to_string(c.width));
        s.ws.setKranLine(KranLine::Height, std::to_string(c.height));
        s.ws.setKranLine(KranLine::AnswerX, std::to_string(c.answerPosition));
        s.ws.FontSize = c.size;
        s.ws.LineSpace = c.lineSpace;
        s.ws.ShowAnswers = false;
        const std::vector<std::string> kranBefore = s.ws.kranLines();
        EXPECT_EQ(problemsOf(s), c.expected);
        // The settings are kept, and the page is laid out as the window shows it.
        EXPECT_EQ(s.ws.kranLines(), kranBefore);
        EXPECT_FALSE(s.screen.textOuts().empty());
    }
}

} // namespace
