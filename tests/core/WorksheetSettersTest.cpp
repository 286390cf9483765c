#include "SheetFixture.h"

#include <functional>

#include "shell/Settings.h"
#include "worksheet/Paper.h"
#include "worksheet/WorksheetSetters.h"

namespace {

using Setters = SheetFixture;

struct SetterCase {
    const char* name;
    std::function<void(Program&, int)> set;
    std::function<int(const Worksheet&)> stored;
};

const std::vector<SetterCase>& setterCases() {
    static const std::vector<SetterCase> cases = {
        {"LineSpace", SetLineSpace, [](const Worksheet& s) { return s.LineSpace; }},
        {"FontSize", SetFontSize, [](const Worksheet& s) { return s.FontSize; }},
        {"LeftMargin", SetLeftMargin, [](const Worksheet& s) { return s.LeftMargin; }},
        {"RightMargin", SetRightMargin, [](const Worksheet& s) { return s.RightMargin; }},
        {"AnswerX", SetAnswerX, [](const Worksheet& s) { return s.kran(4); }},
        {"AnswerY", SetAnswerY, [](const Worksheet& s) { return s.kran(5); }},
        {"BoxWidth", SetBoxWidth, [](const Worksheet& s) { return s.kran(1); }},
        {"BoxHeight", SetBoxHeight, [](const Worksheet& s) { return s.kran(2); }},
        {"BoxOffsetX", SetBoxOffsetX, [](const Worksheet& s) { return s.kran(6); }},
        {"BoxOffsetY", SetBoxOffsetY, [](const Worksheet& s) { return s.kran(7); }},
        {"SecondarySpacing", SetSecondarySpacing, [](const Worksheet& s) { return s.kran(8); }},
        {"StartNo", SetStartNo, [](const Worksheet& s) { return s.StartNo; }},
    };
    return cases;
}

TEST_F(Setters, EachStoresMarksModifiedAndLaysOutOnce) {
    for (const SetterCase& c : setterCases()) {
        SCOPED_TRACE(c.name);
        Worksheet& sheet = open(c.name);
        const Lines kranBefore = sheet.kranLines();
        int before = relayouts;
        c.set(program, -3);
        EXPECT_EQ(c.stored(sheet), -3);
        EXPECT_TRUE(sheet.Modified);
        EXPECT_EQ(relayouts, before + 1);
        // Only its own kran line changed; the list stays ten lines of decimal text.
        int changed = 0;
        for (std::size_t i = 0; i < kranBefore.size(); ++i)
            changed += sheet.kranLines()[i] != kranBefore[i];
        EXPECT_LE(changed, 1);
        EXPECT_EQ(sheet.kranLines().size(), 10u);
    }
}

TEST_F(Setters, WithoutAWorksheetNothingChanges) {
    for (const SetterCase& c : setterCases()) {
        SCOPED_TRACE(c.name);
        c.set(program, 21);
    }
    ToggleShowAnswers(program);
    SetBekkai(program, false);
    EXPECT_FALSE(ActivePaperSettings(program));
    ApplyPaperSettings(program, PaperSettings{546, false, false, false});
    ChoosePaper(program, 771);
    EXPECT_EQ(relayouts, 0);
    EXPECT_TRUE(program.sheets.open.empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(fake.registry.has(RegKey::Program, "PaperSize"));
}

TEST_F(Setters, WhileTheLayoutIsOffTheValueIsStoredButNotDrawn) {
    Worksheet& sheet = open();
    int before = relayouts;
    program.sheets.layoutEnabled = false;
    SetFontSize(program, 18);
    EXPECT_EQ(sheet.FontSize, 18);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(relayouts, before);
}

TEST_F(Setters, KranLineCanChangeWithoutMarkingModified) {
    Worksheet& sheet = open();
    SetKranLine(program, 0, 1, false);
    EXPECT_EQ(sheet.kranLines()[0], "1");
    EXPECT_FALSE(sheet.Modified);
    SetKranLine(program, 0, 0, true);
    EXPECT_TRUE(sheet.Modified);
    SetKranLine(program, 10, 5, true); // no such line
    EXPECT_EQ(sheet.kranLines().size(), 10u);
}

TEST_F(Setters, ShowAnswersToggleDoesNotMarkModified) {
    Worksheet& sheet = open();
    sheet.correctCount = 7;
    sheet.PrintLearner = true;
    int before = relayouts;
    ToggleShowAnswers(program);
    EXPECT_FALSE(program.sheets.answersShown);
    EXPECT_FALSE(sheet.ShowAnswers);
    EXPECT_EQ(sheet.correctCount, -1);
    EXPECT_FALSE(sheet.PrintLearner);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(relayouts, before + 1);
    ToggleShowAnswers(program);
    EXPECT_TRUE(sheet.ShowAnswers);
}

TEST_F(Setters, PrintModeIsStoredWithoutMarkingModified) {
    Worksheet& sheet = open();
    int before = relayouts;
    ApplyPrintMode(program, PrintModeSettings{true, 12, false});
    EXPECT_EQ(fake.registry.readBool(RegKey::Program, "PrintMode"), true);
    const PrintModeSettings now = CurrentPrintMode(program);
    EXPECT_TRUE(now.printerResolution);
    EXPECT_EQ(now.nextNumber, 12);
    EXPECT_FALSE(now.numbered);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(relayouts, before + 1);
}

TEST_F(Setters, ColumnsMarkModifiedOnlyWhenTheyChange) {
    Worksheet& sheet = open();
    const int columns = sheet.kran(3);
    int before = relayouts;
    SetColumns(program, columns);
    EXPECT_FALSE(sheet.Modified);
    SetColumns(program, columns == 1 ? 2 : 1);
    EXPECT_NE(sheet.kran(3), columns);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(relayouts, before + 2);
}

TEST_F(Setters, LayoutStripShowsTheBoxesAndKeepsTheirSizeUnmodified) {
    Worksheet& sheet = open();
    SetKranLine(program, 0, 4, false);
    SetKranLine(program, 6, -2, false);
    SetKranLine(program, 7, 9, false);
    SetBoxWidth(program, 40);
    sheet.Modified = false;
    const BoxSettings shown = BoxSettingsOf(sheet);
    EXPECT_EQ(shown.kind, 4);
    EXPECT_EQ(shown.width, 40);
    EXPECT_EQ(shown.offsetX, -2);
    EXPECT_EQ(shown.offsetY, 9);

    int before = relayouts;
    KeepBoxSize(program, 55, 18);
    EXPECT_EQ(sheet.kran(1), 55);
    EXPECT_EQ(sheet.kran(2), 18);
    EXPECT_EQ(sheet.kran(0), 4);  // the shape stays
    EXPECT_FALSE(sheet.Modified); // nothing to save on close for it
    EXPECT_GT(relayouts, before);
}

// Paper

TEST_F(Setters, ApplyingAPaperSetsRecordProgramPaperAndFlagPlace) {
    Worksheet& sheet = open();
    ApplyPaper(program, sheet, 771);
    EXPECT_EQ(sheet.paper, (PaperRec{771, 1092}));
    EXPECT_EQ(program.sheets.paperWidth, 771);
    EXPECT_EQ(program.sheets.paperHeight, 1090); // round(√2 × 771), not the record's height
    EXPECT_EQ(sheet.classFlagPlaced.left, 45);
    EXPECT_EQ(sheet.classFlagPlaced.top, 42);

    ApplyPaper(program, sheet, 600); // not one of the four: A4
    EXPECT_EQ(sheet.paper, (PaperRec{630, 891}));
    EXPECT_EQ(program.sheets.paperHeight, 891);
    EXPECT_EQ(sheet.classFlagPlaced.left, 35);
    EXPECT_EQ(sheet.classFlagPlaced.top, 31);
}

TEST_F(Setters, StartUpKeepsAnUnknownPaperWidthWithTheA4Button) {
    SetProgramPaper(program, 600);
    EXPECT_EQ(program.sheets.paperChoice, 630);
    EXPECT_EQ(program.sheets.paperWidth, 600);
    EXPECT_EQ(program.sheets.paperHeight, 849);
    SetProgramPaper(program, 891);
    EXPECT_EQ(program.sheets.paperChoice, 891);
    EXPECT_EQ(program.sheets.paperHeight, 1260);
}

TEST_F(Setters, SelectingA4OnlyChecksItsButton) {
    Worksheet& sheet = open();
    program.sheets.paperChoice = 546;
    int before = relayouts;
    SelectPaper(program, 630);
    EXPECT_EQ(program.sheets.paperChoice, 630);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(relayouts, before);

    program.sheets.reducedView = true;
    SelectPaper(program, 546);
    EXPECT_EQ(sheet.paper, (PaperRec{546, 771}));
    EXPECT_EQ(program.sheets.paperChoice, 546);
    EXPECT_FALSE(program.sheets.reducedView);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(relayouts, before + 1);
}

TEST_F(Setters, PaperSettingsComeFromTheWorksheetAndGoBackIntoIt) {
    program.parse.value[6] = "5";
    Worksheet& sheet = open();
    const std::optional<PaperSettings> shown = ActivePaperSettings(program);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->width, 630);
    EXPECT_TRUE(shown->classFlag);
    EXPECT_FALSE(shown->dateLine);
    EXPECT_TRUE(shown->printedLine);

    int before = relayouts;
    ApplyPaperSettings(program, PaperSettings{630, false, true, true});
    EXPECT_EQ(sheet.Options, 6);
    EXPECT_TRUE(sheet.Modified);
    EXPECT_EQ(fake.registry.readInt(RegKey::Program, "PaperSize"), 630);
    EXPECT_EQ(relayouts, before + 1);
}

TEST_F(Setters, PrintDialogNamesTheCheckedPaper) {
    program.sheets.paperChoice = 630;
    EXPECT_EQ(sjis::toUtf8(PaperSizeHint(program)), "用紙のサイズを A4 に設定してください");
}

// The paper and print-mode dialogs store what the settings store reads at the next start.
TEST_F(Setters, DialogChoicesAreWhatTheNextStartReads) {
    open();
    for (const bool printer : {false, true}) {
        for (const int width : {546, 771, 630}) {
            ApplyPaperSettings(program, PaperSettings{width, true, true, true});
            ApplyPrintMode(program, PrintModeSettings{printer, 1, true});
            Settings next(fake.registry, fake.prompter);
            EXPECT_EQ(next.paperSize(), width);
            EXPECT_EQ(next.printMode(), printer);
        }
    }
    EXPECT_TRUE(messages().empty());
}

} // namespace
