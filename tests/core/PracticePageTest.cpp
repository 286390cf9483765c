// The practice window's page and records over a real worksheet: what each page shows of
// the teacher's answers, what closing gives back, and where a marked run's line goes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "RecordingCanvas.h"
#include "SheetFixture.h"
#include "learners/LearnerFiles.h"
#include "practice/PracticeWindow.h"
#include "shell/PracticeRecords.h"
#include "text/Profile.h"
#include "worksheet/PageLayout.h"

namespace {

class PracticePage : public SheetFixture {
  protected:
    PracticeWindow w;
    Worksheet* sheet = nullptr;

    void SetUp() override {
        // Answers (with an alternative) that no other text of the page contains.
        program.parse.questions = {J("(1)　2x＝82　　#x=41;41.0#"), J("(2)　x＋4＝9　　#x=5#")};
        program.session.learnerName = J("共通");
        program.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
        sheet = &open();
        program.sheets.pageOptions.alternatives = true; // alternatives beside the boxes
        RecordingCanvas table(630, 891, 96);
        LayOutPage(program, *sheet, table, false);
        ASSERT_EQ(program.sheets.current->layout.kranCount, 2);
        ASSERT_TRUE(OpenPractice(program, w));
    }
    std::string page() {
        RecordingCanvas canvas(630, 891, 96);
        LayOutPracticePage(program, w, canvas);
        return canvas.allTextUtf8();
    }
    MarkOutcome test(const std::string& first, const std::string& second) {
        BeginRun(program, w, RunKind::Test);
        return MarkTest(program, w, {"", first, second});
    }
    std::vector<std::string> records(const RecordPlace& place) {
        Profile file(fake.files, place.file);
        std::vector<std::string> lines;
        for (const std::string& key : file.keys(place.section))
            lines.push_back(sjis::toUtf8(file.readString(place.section, key, "?")));
        return lines;
    }
};

TEST_F(PracticePage, TheTeachersAnswersShowOnlyOnTheCorrectAnswerPage) {
    // Even with the alternatives' box on, as the main window may leave it.
    program.sheets.pageOptions.alternatives = true;
    EXPECT_EQ(page().find("41"), std::string::npos) << "before a run";
    BeginRun(program, w, RunKind::Practice);
    EnterAnswer(program, w, 1, "x=40");
    const std::string during = page();
    EXPECT_NE(during.find("x=40"), std::string::npos);
    EXPECT_EQ(during.find("41"), std::string::npos) << "during a practice run";
    AbandonRun(w);
    ASSERT_EQ(test("x=40", "x=5").kind, MarkOutcome::Kind::Marked);
    ASSERT_TRUE(ShowAnswerSheet(w));
    const std::string sheetPage = page();
    EXPECT_NE(sheetPage.find("x=40"), std::string::npos);
    EXPECT_EQ(sheetPage.find("41"), std::string::npos) << "on the learner's sheet";
    // Printing the learner's sheet lays the page out under the same rule.
    BeginLearnerSheet(program, w);
    RecordingCanvas printed(4960, 7016, 600);
    LayOutPage(program, *sheet, printed, true);
    EndLearnerSheet(program, w);
    EXPECT_EQ(printed.allTextUtf8().find("41"), std::string::npos) << "on the printed sheet";
    ASSERT_TRUE(ShowCorrectAnswers(w));
    EXPECT_NE(page().find("x=41"), std::string::npos) << "正解表示 shows them";
}

TEST_F(PracticePage, ClosingGivesBackWhatTheWindowChanged) {
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"between runs", [] {}},
        {"mid-run", [this] { BeginRun(program, w, RunKind::Practice); }},
        {"after a marking", [this] { test("x=41", ""); }},
    };
    for (const auto& [when, before] : cases) {
        SCOPED_TRACE(when);
        ClosePractice(program, w);
        sheet->ShowAnswers = true;
        program.sheets.pageOptions.alternatives = true;
        ASSERT_TRUE(OpenPractice(program, w));
        before();
        ClosePractice(program, w);
        // The practice pages never show the alternatives, without changing the program's
        // choice for the worksheet windows.
        EXPECT_TRUE(program.sheets.pageOptions.alternatives);
        EXPECT_TRUE(sheet->ShowAnswers);
        EXPECT_FALSE(sheet->Marked);
        EXPECT_FALSE(program.sheets.current->layout.drawTypedAnswers);
        for (int k = 1; k <= 2; ++k)
            EXPECT_EQ(program.sheets.current->layout.KranTable[static_cast<std::size_t>(k)].mark, 99);
    }
}

TEST_F(PracticePage, RunsAreRecordedUnderTheirWorksheetsSection) {
    const RecordPlace unit = RecordPlaceOf(program, *sheet);
    ASSERT_FALSE(unit.file.empty());
    const struct {
        const char* kind;
        bool ruidai, fromFile;
        const char* prefix;  // of the line
        const char* section; // "" for the unit's own
        int lesson;          // of the learner file
    } cases[] = {
        {"unit", false, false, "", "", 1},
        {"similar questions", true, false, "類題2)", "", 1},
        {"worksheet file", false, true, "", "mine.prp", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        sheet->RuidaiSheet = c.ruidai;
        sheet->unitRef.Ruidai = c.ruidai ? 2 : 0;
        sheet->FromCopyFile = c.fromFile;
        sheet->masterFlag = !c.fromFile && !c.ruidai;
        sheet->strFileName = c.fromFile ? "C:\\course\\Eq1\\mine.prp" : "";
        const RecordPlace place = RecordPlaceOf(program, *sheet);
        EXPECT_EQ(place.section, *c.section ? std::string(c.section) : unit.section);
        const MarkOutcome out = test("x=41", "x=6");
        ASSERT_TRUE(out.result);
        const RecordedRun run = RecordRun(program, *sheet, *out.result);
        ASSERT_TRUE(run.written) << run.message;
        const std::vector<std::string> lines = records(place);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(),
                  std::string(c.prefix) + "2026年12月07日 09:05 []  1/ 2  50点 00:00");
    }
    EXPECT_EQ(records(unit).size(), 2u); // the unit's run and its similar questions' run
}

TEST_F(PracticePage, AFailedRecordKeepsTheLearnerFileAndSaysWhy) {
    const RecordPlace place = RecordPlaceOf(program, *sheet);
    ASSERT_TRUE(RecordRun(program, *sheet, *test("x=41", "x=5").result).written);
    const std::string before = fake.files.get(place.file);
    fake.files.failWrites = true;
    const RecordedRun run = RecordRun(program, *sheet, *test("x=41", "").result);
    EXPECT_FALSE(run.written);
    EXPECT_FALSE(run.message.empty());
    EXPECT_EQ(fake.files.get(place.file), before);
}

TEST_F(PracticePage, ARunKeepsItsUnitsKeyWhenTheMenuHasMovedToAnotherLesson) {
    // Opened from lesson 1 with its unit line; the unit menu then loads lesson 2.
    program.course.sectionUnits[1] = {J("(1) 等式の性質")};
    sheet->unitName = program.course.sectionUnits[1][0];
    const std::string key = RecordPlaceOf(program, *sheet).section;
    EXPECT_EQ(key, RecordKey(program.course, UnitRef{1, 1, 1, 0}));
    program.course.sectionUnits[1] = {J("(1) 傾きと切片")};
    EXPECT_EQ(RecordPlaceOf(program, *sheet).section, key);
}

} // namespace
