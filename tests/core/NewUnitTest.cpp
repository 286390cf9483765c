// A new unit as the question editor starts it opens as a worksheet with the settings the
// editor promises, and passes the editor's own checks.
#include "SheetFixture.h"

#include "authoring/NewUnit.h"
#include "authoring/UnitBlock.h"
#include "formats/QuestionChecks.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/OpenWorksheet.h"

namespace {

TEST_F(SheetFixture, ANewUnitOpensWithTheDefaultSettings) {
    Lines unit{"[[unit1", "<<ques"};
    for (const std::string& l : NewUnitQuestionLines())
        unit.push_back(l);
    unit.push_back(">>");
    for (const std::string& l : DefaultPageBlocks())
        unit.push_back(l);
    unit.push_back("]]");
    fake.files.put("C:\\course\\Eq1\\eq11.que", lines::join(unit));
    program.sheets.answersShown = false;
    ASSERT_EQ(OpenUnit(program, {1, 1, 1, 0}, {}), OpenResult::Opened);
    const Worksheet& w = *program.sheets.current;

    const BoxStyle box = AnswerBoxStyle(w);
    struct Setting {
        const char* what;
        int value, expected;
    } settings[] = {
        {"paper width", w.paper.Width, 630},  {"paper height", w.paper.Height, 891},
        {"line spacing", w.LineSpace, 40},    {"left margin", w.LeftMargin, 5},
        {"right margin", w.RightMargin, 5},   {"first number", w.StartNo, 1},
        {"header options", w.Options, 7},     {"character size", w.FontSize, 12},
        {"box kind (rounded)", static_cast<int>(box.kind), 5},  {"box width", box.widthSetting, 15},
        {"box height", box.heightSetting, 2}, {"column mode", w.kran(3), 0},
        {"box x offset", w.kran(6), 15},      {"box y offset", w.kran(7), 10},
    };
    for (const Setting& s : settings)
        EXPECT_EQ(s.value, s.expected) << s.what;
    // "0" names the program's own face; the second font is the one the block names.
    EXPECT_EQ(w.strMainFont, program.sheets.defaultFontFace);
    EXPECT_EQ(sjis::toUtf8(w.secondFont.face), "MS 明朝");
    EXPECT_FALSE(w.ShowAnswers);
    EXPECT_TRUE(messages().empty());

    // The editor's checks pass: one answer, "東京", and blocks of the right sizes.
    EXPECT_TRUE(CheckQuestionLines(lines::views(w.lstQues)).ok);
    EXPECT_EQ(CheckPageBlocks(DefaultPageBlocks()), "");
    EXPECT_NE(w.lstQues.back().find(J("#　東京　#")), std::string::npos);
}

} // namespace
