// The answer-box settings as the worksheet reads them from its kran lines, and the lines
// written back unchanged.
#include "SheetFixture.h"

#include "worksheet/AnswerBoxes.h"
#include "worksheet/BoxKind.h"
#include "worksheet/KranSettings.h"
#include "worksheet/WorksheetFile.h"
#include "worksheet/WorksheetSetters.h"

namespace {

Lines withLine(KranLine line, const std::string& text) {
    Lines lines(KranLineCount, "0");
    lines[static_cast<std::size_t>(line)] = text;
    return lines;
}

// Every distance line takes every value a spin can give it back as the same number.
TEST(KranSettings, EveryDistanceASpinCanSetReadsBackAsWritten) {
    using Field = int KranSettings::*;
    const std::pair<KranLine, Field> fields[] = {
        {KranLine::Width, &KranSettings::width},
        {KranLine::Height, &KranSettings::height},
        {KranLine::AnswerX, &KranSettings::answerX},
        {KranLine::AnswerY, &KranSettings::answerY},
        {KranLine::OffsetX, &KranSettings::offsetX},
        {KranLine::OffsetY, &KranSettings::offsetY},
        {KranLine::SecondarySpacing, &KranSettings::secondarySpacing},
    };
    for (const auto& [line, field] : fields) {
        for (int v = -1000; v <= 1000; ++v) {
            const KranSettings k = ReadKranSettings(withLine(line, KranLineText(v)));
            ASSERT_EQ(k.*field, v) << "line " << static_cast<int>(line);
        }
    }
}

TEST(KranSettings, DamagedLinesReadAsTheLayoutAlwaysReadThem) {
    struct Case {
        KranLine line;
        const char* text;
        int width;       // the width line's reading
        BoxKind kind;    // the kind line's reading
        int columns;     // the columns line's number
        bool twoColumns; // and whether the page is laid out in two columns
    } cases[] = {
        {KranLine::Width, "abc", 0, BoxKind::None, 0, false},
        {KranLine::Width, " 12 ", 12, BoxKind::None, 0, false},
        {KranLine::Width, "+7", 7, BoxKind::None, 0, false},
        {KranLine::Width, "99999999999", 0, BoxKind::None, 0, false},
        {KranLine::Width, "5000", 1000, BoxKind::None, 0, false},
        {KranLine::Width, "-5000", -1000, BoxKind::None, 0, false},
        {KranLine::Width, "", 0, BoxKind::None, 0, false},
        {KranLine::Kind, "5x", 0, BoxKind::RoundedSquare, 0, false},
        {KranLine::Kind, "12", 0, BoxKind::Square, 0, false},
        {KranLine::Kind, " 1", 0, BoxKind::None, 0, false},
        {KranLine::Kind, "6", 0, BoxKind::None, 0, false},
        {KranLine::Kind, "", 0, BoxKind::None, 0, false},
        {KranLine::Kind, "3", 0, BoxKind::LenticularBrackets, 0, false},
        {KranLine::Columns, "2", 0, BoxKind::None, 2, true},
        {KranLine::Columns, " 2", 0, BoxKind::None, 2, false},
        {KranLine::Columns, "02", 0, BoxKind::None, 2, false},
        {KranLine::Columns, "1", 0, BoxKind::None, 1, false},
        {KranLine::Columns, "x", 0, BoxKind::None, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " on line " + std::to_string(static_cast<int>(c.line)));
        const KranSettings k = ReadKranSettings(withLine(c.line, c.text));
        EXPECT_EQ(k.width, c.width);
        EXPECT_EQ(k.kind, c.kind);
        EXPECT_EQ(k.columns, c.columns);
        EXPECT_EQ(k.twoColumns, c.twoColumns);
    }
}

TEST(KranSettings, MissingLinesReadAsZeroAndNoBox) {
    const KranSettings k = ReadKranSettings({"4"});
    EXPECT_EQ(k.kind, BoxKind::Underline);
    EXPECT_EQ(k.width, 0);
    EXPECT_EQ(k.offsetY, 0);
    EXPECT_EQ(ReadKranSettings({}).kind, BoxKind::None);
}

using KranSheet = SheetFixture;

// A worksheet read with damaged kran lines keeps them: its file is written with the same
// lines, while the page reads them as numbers.
TEST_F(KranSheet, DamagedLinesAreWrittenBackAsTheyWereRead) {
    const Lines read = {"5x", " 12 ", "abc", " 2", "5000", "-0", "+3", "", "7", "junk"};
    program.parse.kran = read;
    Worksheet& sheet = open();
    const Lines file = WorksheetFileLines(sheet, 630, {});
    const auto block = std::find(file.begin(), file.end(), "<<kran");
    ASSERT_NE(block, file.end());
    EXPECT_EQ(Lines(block + 1, block + 11), read);
    EXPECT_EQ(block[11], ">>");
    const KranSettings& k = sheet.kranSettings();
    EXPECT_EQ(k.kind, BoxKind::RoundedSquare);
    EXPECT_EQ(k.width, 12);
    EXPECT_EQ(k.height, 0);
    EXPECT_FALSE(k.twoColumns);
    EXPECT_EQ(k.answerX, 1000);
    EXPECT_EQ(k.offsetX, 3);
    EXPECT_EQ(k.secondarySpacing, 7);
}

// What the page and the entry fields read follows every way a line changes.
TEST_F(KranSheet, SettingsFollowEverySetter) {
    Worksheet& sheet = open();
    SetBoxKind(program, 4);
    EXPECT_EQ(AnswerBoxStyle(sheet).kind, BoxKind::Underline);
    SetBoxWidth(program, -12);
    SetBoxHeight(program, 6);
    EXPECT_EQ(AnswerBoxStyle(sheet).widthSetting, -12);
    EXPECT_EQ(AnswerBoxStyle(sheet).heightSetting, 6);
    SetColumns(program, 2);
    EXPECT_TRUE(sheet.kranSettings().twoColumns);
    SetColumns(program, 1);
    EXPECT_FALSE(sheet.kranSettings().twoColumns);
    SetAnswerX(program, 33);
    EXPECT_EQ(sheet.kranSettings().answerX, 33);
    KeepBoxSize(program, 40, 1);
    EXPECT_EQ(AnswerBoxStyle(sheet).widthSetting, 40);
    EXPECT_EQ(sheet.kranLines()[1], "40");
}

// A list shorter than ten lines (an old worksheet object) is never written past its end.
TEST_F(KranSheet, SettingALineBeyondAShortListChangesNothing) {
    Worksheet& sheet = open();
    sheet.setKranLines({"1", "20"});
    SetSecondarySpacing(program, 9);
    SetBoxWidth(program, 30);
    EXPECT_EQ(sheet.kranLines(), (Lines{"1", "30"}));
    EXPECT_EQ(sheet.kranSettings().secondarySpacing, 0);
    EXPECT_EQ(sheet.kranSettings().width, 30);
}

TEST(BoxKinds, PredicatesSortEveryKind) {
    struct Case {
        int number;
        bool sides, bracket, followsSize;
    } cases[] = {{0, false, false, false}, {1, true, false, true},  {2, false, true, false},
                 {3, false, true, false},  {4, false, false, true}, {5, true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const std::optional<BoxKind> kind = BoxKindFromNumber(c.number);
        ASSERT_TRUE(kind);
        EXPECT_EQ(BoxKindOfLine(std::to_string(c.number)), *kind);
        EXPECT_EQ(HasSides(*kind), c.sides);
        EXPECT_EQ(IsBracket(*kind), c.bracket);
        EXPECT_EQ(FollowsBoxSize(*kind), c.followsSize);
    }
    EXPECT_FALSE(BoxKindFromNumber(6));
    EXPECT_FALSE(BoxKindFromNumber(-1));
}

} // namespace
