#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "LayoutSheet.h"
#include "RecordingCanvas.h"
#include "SheetFixture.h"
#include "practice/Hints.h"
#include "practice/PracticeRun.h"
#include "practice/ResultsLine.h"
#include "practice/RunView.h"
#include "practice/ScoreStamp.h"
#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/PageLayout.h"

namespace {

using layoutmath::roundi;

std::string S(const std::string& utf8) {
    return sjis::fromUtf8(utf8);
}

// Lines of runs scored c of t: the score rounds halves up (7 of 8 is 88, 1 of 8 is 13).
TEST(PracticeResults, ResultsLines) {
    struct Case {
        int c, t;
        const char* log;
        int seconds;
        DateTime when;
        int ruidai;
        const char* line;
    } cases[] = {
        {7,
         8,
         "01000000",
         184,
         {2005, 5, 2, 9, 5, 0},
         0,
         "2005年05月02日 09:05 [01000000]  7/ 8  88点 03:04"},
        {8,
         10,
         "1121",
         92,
         {2005, 3, 7, 9, 5, 0},
         2,
         "類題2)2005年03月07日 09:05 [1121]  8/10  80点 01:32"},
        {2, 3, "", 3725, {2026, 11, 30, 23, 59, 0}, 0, "2026年11月30日 23:59 []  2/ 3  67点 62:05"},
        {80, 80, "", 6000, {2026, 1, 1, 0, 0, 0}, 0, "2026年01月01日 00:00 [] 80/80 100点 100:00"},
        {1, 8, "", 0, {2026, 1, 1, 0, 0, 0}, 0, "2026年01月01日 00:00 []  1/ 8  13点 00:00"},
    };
    for (const Case& c : cases) {
        const RunResult r{RunKind::Practice, c.c, c.t, ComputeScore(c.c, c.t), c.log, c.seconds};
        EXPECT_EQ(sjis::toUtf8(ResultsLine(r, c.when, c.ruidai)), c.line);
    }
    EXPECT_EQ(ComputeScore(1, 3), 33);
    EXPECT_EQ(ComputeScore(0, 0), 0);
}

class BundledUnit : public SheetFixture {
  protected:
    BundledUnit() {
        std::ifstream in(std::string(VELMIX_SOURCE_DIR) + "/course/Eq1/eq11.que", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        fake.files.put("C:\\course\\Eq1\\eq11.que", bytes.str());
    }
};

// A test of unit 1.1.1 of the bundled course, laid out as the practice window lays it out,
// with nine right answers and one wrong.
TEST_F(BundledUnit, TestOfTheFirstUnitWithOneWrongAnswer) {
    const UnitTitleNames names{J("方程式"), J("１次方程式"), J("(1) 等式の性質")};
    ASSERT_EQ(OpenUnit(program, {1, 1, 1, 0}, names), OpenResult::Opened);
    Worksheet& sheet = *program.sheets.current;
    program.sheets.current->layout.kranCount = 0;
    RecordingCanvas page(630, 891, 96);
    LayOutPage(program, sheet, page, false);
    ASSERT_EQ(program.sheets.current->layout.kranCount, 10);

    PracticeRun run;
    PrepareRuns(run, sheet);
    ASSERT_EQ(StartRun(run, RunKind::Test, nullptr), 1);
    const std::vector<std::string> typed{" 7 ", "11",   "-5", S("7　"), "-7",
                                         "15",  "-3/7", "5",  "4",      "10"};
    for (int k = 1; k <= 10; ++k) {
        TypeInto(run, k, typed[static_cast<std::size_t>(k - 1)]);
        MarkBox(run, k);
    }
    for (int i = 0; i < 42; ++i)
        Tick(run);
    const MarkOutcome marked = MarkAll(run);
    ASSERT_TRUE(marked.result);
    const std::string line = sjis::toUtf8(ResultsLine(*marked.result, fake.clock.now(), 0));
    EXPECT_EQ(line, "2026年12月07日 09:05 []  9/10  90点 00:42");
    EXPECT_FALSE(MarkAll(run).result);
    EXPECT_EQ(RecordSection(sheet, "S11unit"), "S11unit");
    EXPECT_EQ(RecordLesson(sheet), 1);
}

TEST(PracticeResults, RecordsGoUnderTheWorksheetsOwnSection) {
    struct Case {
        bool master, fromFile;
        const char* file;
        const char* section;
    } cases[] = {
        {true, false, "C:\\c\\Eq1\\eq11.que", "UNIT"},
        {false, false, "C:\\c\\Eq1\\eq11.que", "UNIT"}, // edited, not saved
        {false, true, "C:\\c\\Eq1\\mine.PRX", "mine.PRX"},
        {false, false, "C:\\c\\Eq1\\test2.prp", "test2.prp"}, // saved to a file
    };
    for (const Case& c : cases) {
        Worksheet sheet;
        sheet.masterFlag = c.master;
        sheet.FromCopyFile = c.fromFile;
        sheet.strFileName = c.file;
        sheet.unitRef = {2, 1, 3, 0};
        EXPECT_EQ(RecordSection(sheet, "UNIT"), c.section) << c.file;
        EXPECT_EQ(RecordLesson(sheet), 2);
    }
}

TEST(PracticeResults, ReactionsByScore) {
    const PickIndex second = [](int) { return 1; };
    const std::pair<int, Reaction> cases[] = {
        {0, Reaction::Gaoh},        {1, Reaction::Namida},     {39, Reaction::Namida},
        {40, Reaction::Nanda},      {79, Reaction::Sleep},     {80, Reaction::GreenHeart},
        {99, Reaction::GreenHeart}, {100, Reaction::RedHeart},
    };
    for (const auto& [score, reaction] : cases)
        EXPECT_EQ(ReactionFor(score, second), reaction) << score;
    EXPECT_EQ(ReactionFor(100, nullptr), Reaction::Kutta);
    EXPECT_EQ(ReactionFor(85, [](int) { return 7; }), Reaction::Happy);
}

TEST(PracticeResults, FurtherAttemptsStayOnThePage) {
    const Rect field{100, 50, 200, 70};
    for (int tries = 0; tries <= 12; ++tries) {
        const Rect r = AttemptField(field, tries, 630);
        EXPECT_LE(r.right, 630) << tries;
        EXPECT_EQ(r.width(), field.width()) << tries;
        // One field width further right per attempt while there is room.
        const int expected = std::min(tries, 4);
        EXPECT_EQ(r.left, field.left + expected * field.width()) << tries;
    }
    EXPECT_EQ(AttemptField(Rect{600, 0, 640, 20}, 3, 630), (Rect{600, 0, 640, 20}));
}

// The score takes the larger of the header's free rooms: beside a short title, or below a
// title that fills the line; on screen and on paper alike.
TEST(PracticeResults, ScoreStandsInTheHeadersFreeRoom) {
    struct Case {
        std::string title;
        int paperWidth;
        bool beside;
    } cases[] = {
        {S("一次方程式"), 630, true},
        {S("一次方程式//方程式の文章題§3-3 (3) 速さの問題"), 540, false},
    };
    for (const Case& c : cases)
        for (double s : {1.0, 4960.0 / 630}) {
            LayoutSheet sheet;
            sheet.ws.strTangen = c.title;
            sheet.ws.paper.Width = c.paperWidth;
            RecordingCanvas canvas(roundi(c.paperWidth * s), roundi(891 * s), 96);
            canvas.setTextScale(s);
            const HeaderRoom room = ScoreRoom(sheet.pg, sheet.ws, canvas);
            DrawScore(canvas, room, 100);
            const auto texts = canvas.textOuts();
            ASSERT_EQ(texts.size(), 2u);
            const auto& number = *texts[0];
            const auto& ten = *texts[1];
            EXPECT_EQ(number.text, "100");
            EXPECT_EQ(ten.text, S("点"));
            EXPECT_EQ(ten.state.fontColor, colors::Red);
            const Rect& r = c.beside ? room.besideTitle : room.belowTitle;
            EXPECT_EQ(number.x, r.right - number.width - ten.width) << s;
            EXPECT_EQ(ten.x, number.x + number.width); // right after the number
            EXPECT_GT(ten.y, number.y);                // on the number's line, a smaller cell
            EXPECT_EQ(number.state.size > 30, c.beside) << s; // smaller below the title
        }
}

TEST(PracticeResults, HintLinesOfTheUnit) {
    const Lines file{"[[unit1", "<<ques",  "a#1#",    ">>",     "<<hint",    "h1",      "h2",
                     "h3",      "",        ">>",      "]]",     "[[unit1R1", "<<hint",  "r1",
                     ">>",      "]]",      "[[unit2", "<<hint", "Hint",      "x",       ">>",
                     "]]",      "[[unit3", "<<ques",  ">>",     "]]",        "[[unit4", "<<hint",
                     "  ",      ">>",      "]]"};
    struct Case {
        const char* name;
        UnitRef ref;
        bool fromFile;
        Lines hint;
    } cases[] = {
        {"unit with a hint", {1, 1, 1, 0}, false, {"h1", "h2", "h3"}},
        {"its similar question", {1, 1, 1, 1}, false, {"r1"}},
        {"the editor's placeholder", {1, 1, 2, 0}, false, {}},
        {"no hint block", {1, 1, 3, 0}, false, {}},
        {"blank lines only", {1, 1, 4, 0}, false, {}},
        {"no such unit", {1, 1, 9, 0}, false, {}},
        {"a worksheet file", {1, 1, 1, 0}, true, {}},
    };
    for (const Case& c : cases) {
        Worksheet sheet;
        sheet.unitRef = c.ref;
        sheet.FromCopyFile = c.fromFile;
        EXPECT_EQ(HintLines(file, sheet), c.hint) << c.name;
    }
}

} // namespace
