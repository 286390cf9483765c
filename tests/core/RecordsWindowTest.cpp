// The records window's list, erase and chart, and the records CSV, on a small course.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/RecordLine.h"
#include "learners/Records.h"
#include "learners/RecordsCsv.h"
#include "learners/RecordsList.h"
#include "learners/ScoreHistory.h"
#include "practice/ResultsLine.h"
#include "text/Profile.h"

namespace {

struct RecordsWindow : CourseFixture, ::testing::Test {
    RecordsWindow() {
        putLines("Main.ind", {"数学", "中学", "１次方程式,Eq1\\ eq1", "関数,Fn1\\ fn1", ">>"});
        putLines("Eq1\\eq1.ind",
                 {"１次方程式", "[[sect1", "解き方", "<<", "(1) 等式", "(2) 移項", ">>", "]]",
                  "[[sect2", "文章題", "<<", "(1) 数, \"代金\"", ">>", "]]"});
        putLines("Fn1\\fn1.ind", {"関数", "[[sect1", "比例", "<<", "(1) 比例", ">>", "]]"});
        put("Eq1\\eq11.que", "");
        put("Eq1\\copy.prp", "");
        EXPECT_TRUE(loadList());
        p.course.currentLesson = 1;
    }
    std::string file(const char* learner, int lesson = 1) {
        return LearnerFile(fp.files, p.course, S(learner), p.shell.logOnFolder, lesson);
    }
    // Appends n runs scored 10, 20, ... on successive days.
    void runs(const std::string& learnerFile, const std::string& section, int n, int ruidai = 0) {
        for (int i = 1; i <= n; ++i) {
            const RunResult run{RunKind::Practice, i, 10, ComputeScore(i, 10), "1", 60 + i};
            ASSERT_TRUE(AppendRecord(fp.files, learnerFile, section,
                                     ResultsLine(run, {2005, 3, i, 9, 5, 0}, ruidai)));
        }
    }
    std::vector<std::string> texts(const RecordsWindowState& s) {
        std::vector<std::string> out;
        for (const RecordsItem& it : s.items)
            out.push_back(U(it.text));
        return out;
    }
};

TEST_F(RecordsWindow, ListsEveryUnitAndWorksheetWithItsCountThenStraySections) {
    const std::string taro = file("共通");
    runs(taro, S("S11(1) 等式"), 3);
    runs(taro, S("S12(2) 移項"), 12);
    runs(taro, "copy.prp", 1);
    runs(taro, S("S13(3) 消えた単元"), 2); // a unit line renamed since
    RecordsWindowState s{S("共通"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    EXPECT_EQ(texts(s), (std::vector<std::string>{"解き方", "03回S11(1) 等式", "12回S12(2) 移項",
                                                  "文章題", "  回S21(1) 数, \"代金\"",
                                                  "01回copy.prp", "02回S13(3) 消えた単元"}));
    // A block title shows no records; a unit its lines in order.
    EXPECT_EQ(U(RecordLinesOf(fp.files, s, 0)), std::vector<std::string>{"練習の記録はありません"});
    const Lines lines = RecordLinesOf(fp.files, s, 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(U(lines[0]).substr(0, 17), "2005年03月01日");
}

TEST_F(RecordsWindow, AMissingRecordNumberShowsAQuestionMarkInItsPlace) {
    // A learner file edited by hand: three keys, the second run's number gone.
    const std::string taro = file("共通");
    fp.files.put(taro, S("[S11(1) 等式]\r\n1=一回目\r\n3=三回目\r\nx=よけいな行\r\n"
                         "[S12(2) 移項]\r\n2=二回目\r\n"));
    RecordsWindowState s{S("共通"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    ASSERT_EQ(U(s.items[1].text), "03回S11(1) 等式");
    // The lines under other keys follow: the window hides no line of the file.
    EXPECT_EQ(U(RecordLinesOf(fp.files, s, 1)),
              (std::vector<std::string>{"一回目", "?", "三回目", "よけいな行"}));
    EXPECT_EQ(U(RecordLinesOf(fp.files, s, 2)), (std::vector<std::string>{"?", "二回目"}));
}

TEST_F(RecordsWindow, WithoutALearnerFileEveryUnitCountsNone) {
    RecordsWindowState s{S("hanako"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    for (const RecordsItem& it : s.items) {
        if (it.kind == RecordsItem::Kind::Title) continue;
        EXPECT_EQ(U(it.text).substr(0, 5), "  回") << U(it.text);
    }
    EXPECT_FALSE(fp.files.fileExists(s.learnerFile));
}

TEST_F(RecordsWindow, EraseTakesTheSelectedItemsAfterNamingThem) {
    const std::string f = file("共通");
    runs(f, S("S11(1) 等式"), 2);
    runs(f, S("S12(2) 移項"), 2);
    runs(f, "copy.prp", 2);
    RecordsWindowState s{S("共通"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    struct Case {
        std::vector<int> selected;
        int answer;
        std::vector<std::string> said;
        int left; // records left in the three sections
    } cases[] = {
        {{}, answer::Yes, {"消去する単元を選んでください"}, 6},
        {{0, 3}, answer::Yes, {"消去する単元を選んでください"}, 6}, // block titles only
        {{1, 5}, answer::No, {"記録を消してもいいですか？\r\nS11(1) 等式\r\ncopy.prp"}, 6},
        {{0, 1, 5}, answer::Yes, {"記録を消してもいいですか？\r\nS11(1) 等式\r\ncopy.prp"}, 2},
    };
    for (const Case& c : cases) {
        fp.prompter.messages.clear();
        fp.prompter.answers = {c.answer};
        EraseSelectedRecords(fp.files, fp.prompter, p.course, p.shell.logOnFolder, s, c.selected);
        EXPECT_EQ(messages(), c.said);
        Profile book(fp.files, f);
        const int left = static_cast<int>(book.keys(S("S11(1) 等式")).size() +
                                          book.keys(S("S12(2) 移項")).size() +
                                          book.keys("copy.prp").size());
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(s.erased, c.left != 6);
    }
    EXPECT_EQ(texts(s)[1], "  回S11(1) 等式");
    EXPECT_EQ(texts(s)[2], "02回S12(2) 移項");
    // Numbering starts again at 1 after an erase.
    runs(f, S("S11(1) 等式"), 1);
    EXPECT_EQ(ReadRecords(fp.files, f, S("S11(1) 等式")).at(0).key, "1");
}

TEST_F(RecordsWindow, AFailedEraseIsSaidAndKeepsTheFile) {
    const std::string f = file("共通");
    runs(f, S("S11(1) 等式"), 2);
    RecordsWindowState s{S("共通"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    std::string before;
    fp.files.read(f, before);
    fp.files.failWrites = true;
    fp.files.failReason = "No space left on device";
    fp.prompter.answers = {answer::Yes};
    EraseSelectedRecords(fp.files, fp.prompter, p.course, p.shell.logOnFolder, s, {1});
    std::string after;
    fp.files.read(f, after);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(s.erased);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_NE(messages()[1].find("に書き込めません"), std::string::npos) << messages()[1];
}

TEST_F(RecordsWindow, CsvQuotesFieldsAndReportsDamagedLines) {
    runs(file("共通"), S("S21(1) 数, \"代金\""), 2, 3);
    runs(file("taro"), S("S12(2) 移項"), 1);
    runs(file("taro", 2), S("S11(1) 比例"), 1);
    Profile(fp.files, file("taro")).writeString(S("S12(2) 移項"), "2", "garbage");
    const RecordsCsvResult all = RecordsCsv(
        fp.files, p.course, FindLearnerFiles(fp.files, p.course, p.shell.logOnFolder, {}, 0));
    EXPECT_EQ(all.csv, "learner,lesson,key,unit,similar,date,time,tries,correct,total,score,"
                       "seconds\r\n"
                       "taro,1,S12(2) 移項,(2) 移項,0,2005-03-01,09:05,1,1,10,10,61\r\n"
                       "共通,1,\"S21(1) 数, \"\"代金\"\"\",\"(1) 数, \"\"代金\"\"\",3,2005-03-01,"
                       "09:05,1,1,10,10,61\r\n"
                       "共通,1,\"S21(1) 数, \"\"代金\"\"\",\"(1) 数, \"\"代金\"\"\",3,2005-03-02,"
                       "09:05,1,2,10,20,62\r\n"
                       "taro,2,S11(1) 比例,(1) 比例,0,2005-03-01,09:05,1,1,10,10,61\r\n");
    EXPECT_EQ(all.rows, 4);
    ASSERT_EQ(all.problems.size(), 1u);
    EXPECT_EQ(U(all.problems[0]),
              "C:\\course\\Eq1\\taro.ini: [S12(2) 移項] 2: 記録の行として読めません");
    // One learner, one lesson.
    const RecordsCsvResult one = RecordsCsv(
        fp.files, p.course, FindLearnerFiles(fp.files, p.course, p.shell.logOnFolder, "taro", 2));
    EXPECT_EQ(one.rows, 1);
    EXPECT_TRUE(one.problems.empty());
}

TEST(CsvFields, QuotedOnlyWhenTheyMustBe) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"plain", "plain"},
                 {"a,b", "\"a,b\""},
                 {"say \"hi\"", "\"say \"\"hi\"\"\""},
                 {"two\nlines", "\"two\nlines\""},
                 {"cr\rhere", "\"cr\rhere\""},
                 {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(CsvField(c.in), c.out) << c.in;
}

// Learner names, unit texts and tries come from files pupils write: a cell a spreadsheet
// would run as a formula is kept text by a leading apostrophe, and quoted as RFC 4180 asks.
TEST(CsvFields, FormulaCellsAreKeptText) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
                 {"@SUM(A1)", "'@SUM(A1)"},
                 {"+1", "'+1"},
                 {"-2+3", "'-2+3"},
                 {"\tx", "'\tx"},
                 {"\rx", "\"'\rx\""},
                 {"a=b", "a=b"},
                 {"'quoted", "'quoted"},
                 {"１＝", "１＝"}};
    for (const Case& c : cases)
        EXPECT_EQ(CsvField(c.in), c.out) << c.in;
}

TEST_F(RecordsWindow, ExportedRecordsOfAHostileLearnerOpenAsTextInASpreadsheet) {
    runs(file("@SUM(A1)"), "=1+2.prp", 1);
    ASSERT_TRUE(ExportLearnerRecords(fp.files, p.course, p.shell.logOnFolder, S("@SUM(A1)"),
                                     "C:\\out\\records.csv"));
    EXPECT_EQ(fp.files.get("C:\\out\\records.csv"),
              "learner,lesson,key,unit,similar,date,time,tries,correct,total,score,seconds\r\n"
              "'@SUM(A1),1,'=1+2.prp,'=1+2.prp,0,2005-03-01,09:05,1,1,10,10,61\r\n");
}

TEST_F(RecordsWindow, ReadOnlyCourseRecordsAreFoundUnderTheirLearnerAndLesson) {
    p.course.cdMode = true;
    p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    runs(file("taro1", 1), S("S11(1) 等式"), 1);
    runs(file("taro", 2), S("S11(1) 比例"), 2);
    // A file of an older version, named without brackets.
    AppendRecord(fp.files, p.shell.logOnFolder + "hanako2.ini", S("S11(1) 比例"),
                 ResultsLine({RunKind::Practice, 3, 10, 30, "1", 5}, {2005, 3, 1, 9, 5, 0}, 0));
    std::vector<std::string> found;
    for (const LearnerSource& s : FindLearnerFiles(fp.files, p.course, p.shell.logOnFolder, {}, 0))
        found.push_back(U(s.learner) + "/" + std::to_string(s.lesson) + "/" +
                        U(s.file.substr(p.shell.logOnFolder.size())));
    EXPECT_EQ(found, (std::vector<std::string>{"taro1/1/taro1(1).ini", "hanako/2/hanako2.ini",
                                               "taro/2/taro(2).ini"}));
}

TEST(ScoreHistories, RunsInTimeOrderWithoutDamagedLines) {
    const std::vector<Record> records = {
        {"1", ResultsLine({RunKind::Practice, 5, 10, 50, "1", 10}, {2005, 3, 9, 9, 0, 0}, 0)},
        {"2", "garbage"},
        {"3", ResultsLine({RunKind::Practice, 9, 10, 90, "1", 10}, {2005, 3, 7, 9, 0, 0}, 2)},
        {"4", ResultsLine({RunKind::Test, 10, 10, 100, "1", 10}, {2005, 3, 9, 8, 0, 0}, 0)},
    };
    std::vector<int> scores;
    long last = -1;
    for (const ScorePoint& run : ScoreHistory(records)) {
        scores.push_back(run.score);
        EXPECT_GE(run.minute, last);
        last = run.minute;
    }
    EXPECT_EQ(scores, (std::vector<int>{90, 100, 50}));
}

TEST(ScoreHistories, TimeTicksFallOnWholeDaysOrHoursWithReadableLabels) {
    struct Case {
        DateTime from, to;
        std::vector<std::string> labels;
    } cases[] = {
        {{2005, 3, 7, 9, 0, 0}, {2005, 3, 10, 9, 0, 0}, {"3/8", "3/9", "3/10"}},
        {{2005, 3, 7, 9, 0, 0}, {2005, 3, 7, 12, 30, 0}, {"09:00", "10:00", "11:00", "12:00"}},
        {{2005, 12, 30, 0, 0, 0},
         {2006, 1, 2, 0, 0, 0},
         {"2005/12/30", "2005/12/31", "2006/1/1", "2006/1/2"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> labels;
        for (const TimeTick& t : TimeTicks(MinuteOf(c.from), MinuteOf(c.to), 8)) {
            labels.push_back(t.label);
            EXPECT_GE(t.minute, MinuteOf(c.from));
            EXPECT_LE(t.minute, MinuteOf(c.to));
        }
        EXPECT_EQ(labels, c.labels);
    }
    // Many days: never more ticks than asked for.
    EXPECT_LE(TimeTicks(MinuteOf({2000, 1, 1, 0, 0, 0}), MinuteOf({2010, 1, 1, 0, 0, 0}), 6).size(),
              6u);
}

// A run on a varied copy (its version inside the tries' brackets) is listed, shown and
// exported beside the runs recorded before versions were.
TEST_F(RecordsWindow, RunsOnVariedCopiesReadBesideOldRuns) {
    const std::string taro = file("taro");
    runs(taro, S("S12(2) 移項"), 1);
    const RunResult run{RunKind::Practice, 9, 10, 90, "0100", 65};
    ASSERT_TRUE(AppendRecord(fp.files, taro, S("S12(2) 移項"),
                             ResultsLine(run, {2026, 12, 7, 9, 5, 0}, 0, "V20261208-07")));
    RecordsWindowState s{S("taro"), {}, 1, {}, false};
    ASSERT_TRUE(FillRecordsList(fp.files, p.course, p.shell.logOnFolder, s));
    EXPECT_EQ(texts(s)[2], "02回S12(2) 移項");
    EXPECT_EQ(U(RecordLinesOf(fp.files, s, 2)).back(),
              "2026年12月07日 09:05 [0100 V20261208-07]  9/10  90点 01:05");
    const RecordsCsvResult all = RecordsCsv(
        fp.files, p.course, FindLearnerFiles(fp.files, p.course, p.shell.logOnFolder, S("taro"), 1));
    EXPECT_EQ(all.rows, 2);
    EXPECT_TRUE(all.problems.empty());
    EXPECT_NE(all.csv.find("taro,1,S12(2) 移項,(2) 移項,0,2026-12-07,09:05,0100 V20261208-07,9,10,"
                           "90,65\r\n"),
              std::string::npos)
        << all.csv;
}

} // namespace
