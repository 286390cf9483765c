// Records: appended under the first free key and the file's lock, counted, read, erased;
// record lines read back into their parts.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "learners/RecordLine.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"
#include "text/Profile.h"
#include "text/Sjis.h"

namespace {

const std::string kFile = "C:\\course\\Eq1\\taro.ini";

struct RecordsTest : ::testing::Test {
    MemoryFiles files;
    std::string section = J("S12(2) 移項");
    std::vector<std::string> lines(const std::string& s) {
        std::vector<std::string> out;
        for (const Record& r : ReadRecords(files, kFile, s))
            out.push_back(r.key + "=" + r.line);
        return out;
    }
    // The keys in the section as the INI reader sees them, records or not.
    int keyCount(const std::string& s) {
        return static_cast<int>(Profile(files, kFile).keys(s).size());
    }
};

TEST(RecordKeys, FirstFreeKeyFillsAGapAndNeverTakesAKeyInUse) {
    struct Case {
        std::vector<std::string> keys;
        const char* next;
    } cases[] = {
        {{}, "1"},
        {{"1", "2", "3"}, "4"},
        {{"1", "2", "4"}, "3"},
        {{"2", "3"}, "1"},
        {{"1", "01", "a", "2"}, "3"},
        {{"3", "1", "2"}, "4"},
        {{"1", "99999999999999999999"}, "2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstFreeKey(c.keys), c.next) << c.keys.size();
}

TEST_F(RecordsTest, AppendCountReadAndEraseASection) {
    EXPECT_EQ(keyCount(section), 0);
    EXPECT_TRUE(ReadRecords(files, kFile, section).empty());
    for (const char* line : {"first", "second", " third "})
        ASSERT_TRUE(AppendRecord(files, kFile, section, line));
    ASSERT_TRUE(AppendRecord(files, kFile, "other.prp", "x"));
    EXPECT_EQ(keyCount(section), 3);
    EXPECT_EQ(lines(section), (std::vector<std::string>{"1=first", "2=second", "3= third "}));
    EXPECT_TRUE(files.writtenUnlocked.empty());
    EXPECT_EQ(files.locksTaken, 4);
    EXPECT_TRUE(files.held.empty());

    ASSERT_TRUE(EraseRecords(files, kFile, section));
    EXPECT_EQ(keyCount(section), 0);
    EXPECT_EQ(lines("other.prp"), std::vector<std::string>{"1=x"});
    // Numbering starts again after an erase.
    ASSERT_TRUE(AppendRecord(files, kFile, section, "again"));
    EXPECT_EQ(lines(section), std::vector<std::string>{"1=again"});
    EXPECT_TRUE(EraseRecords(files, "C:\\course\\Eq1\\nobody.ini", section));
}

TEST_F(RecordsTest, AGapNeverMakesAnAppendOverwriteARecord) {
    files.putUtf8(kFile, "[password]\npw=?\n[" + sjis::toUtf8(section) + "]\n1=a\n2=b\n4=d\n");
    ASSERT_TRUE(AppendRecord(files, kFile, section, "c"));
    ASSERT_TRUE(AppendRecord(files, kFile, section, "e"));
    // Records are shown in the order of their numbers; none is hidden by the gap.
    EXPECT_EQ(lines(section), (std::vector<std::string>{"1=a", "2=b", "3=c", "4=d", "5=e"}));
    EXPECT_EQ(Profile(files, kFile).readString("password", "pw", ""), "?");
}

TEST_F(RecordsTest, NoCapOnTheNumberOfRecords) {
    std::string text = "[" + section + "]\r\n";
    for (int i = 1; i <= 100000; ++i)
        text += std::to_string(i) + "=2005" + J("年") + "\r\n";
    files.put(kFile, text);
    ASSERT_TRUE(AppendRecord(files, kFile, section, "newest"));
    EXPECT_EQ(keyCount(section), 100001);
    const std::vector<Record> all = ReadRecords(files, kFile, section);
    ASSERT_EQ(all.size(), 100001u);
    EXPECT_EQ(all.back().key, "100001");
    EXPECT_EQ(all.back().line, "newest");
    EXPECT_EQ(all[1859].line, "2005" + J("年")); // past the old key-list limit, intact
}

TEST_F(RecordsTest, AFailedAppendOrEraseKeepsTheFileWhole) {
    files.putUtf8(kFile, "[S11a]\n1=a\n");
    const std::string before = files.get(kFile);
    struct Case {
        const char* what;
        std::function<void(MemoryFiles&)> fault;
    } cases[] = {
        {"full disk", [](MemoryFiles& f) { f.failWrites = true; }},
        {"locked", [](MemoryFiles& f) { f.failLocks = true; }},
        {"unreadable", [](MemoryFiles& f) { f.unreadable.insert(sjis::asciiLower(kFile)); }},
    };
    for (const Case& c : cases) {
        MemoryFiles& f = files;
        c.fault(f);
        const WriteResult w = AppendRecord(files, kFile, "S11a", "b");
        EXPECT_FALSE(w) << c.what;
        EXPECT_FALSE(EraseRecords(files, kFile, "S11a")) << c.what;
        EXPECT_EQ(files.get(kFile), before) << c.what;
        files.failWrites = files.failLocks = false;
        files.unreadable.clear();
    }
    EXPECT_FALSE(AppendRecord(files, "", "S11a", "b"));
}

TEST_F(RecordsTest, BookCountsLikeTheSingleReads) {
    files.putUtf8(kFile, "[password]\npw=x\n[S11a]\n1=a\n2=b\n[S12b ]\n1=c\n[s11A]\n3=z\n");
    const RecordBook book(files, kFile);
    EXPECT_EQ(book.status(), ReadStatus::Ok);
    for (const char* s : {"S11a", "s11a", "S12b", "nothing", "password"})
        EXPECT_EQ(book.count(s), keyCount(s)) << s;
    EXPECT_EQ(RecordBook(files, "C:\\none.ini").status(), ReadStatus::Missing);
}

TEST(RecordLines, EveryResultsLineReadsBackIntoItsParts) {
    struct Case {
        RunResult run;
        DateTime when;
        int ruidai;
    } cases[] = {
        {{RunKind::Practice, 7, 8, 88, "01000000", 184}, {2005, 5, 2, 9, 5, 0}, 0},
        {{RunKind::Practice, 8, 10, 80, "1121", 92}, {2005, 3, 7, 9, 5, 0}, 2},
        {{RunKind::Test, 80, 80, 100, "", 6000}, {2026, 1, 1, 0, 0, 0}, 0},
        {{RunKind::Test, 0, 0, 0, "", 0}, {2026, 12, 31, 23, 59, 0}, 5},
        {{RunKind::Practice, 120, 150, 80, "1", 599999}, {1999, 2, 28, 12, 30, 0}, 0},
    };
    for (const Case& c : cases) {
        const std::string line = ResultsLine(c.run, c.when, c.ruidai);
        const std::optional<RecordFields> f = ParseRecordLine(line);
        ASSERT_TRUE(f) << sjis::toUtf8(line);
        EXPECT_EQ(f->ruidai, c.ruidai);
        EXPECT_EQ(f->when.year, c.when.year);
        EXPECT_EQ(f->when.month, c.when.month);
        EXPECT_EQ(f->when.day, c.when.day);
        EXPECT_EQ(f->when.hour, c.when.hour);
        EXPECT_EQ(f->when.minute, c.when.minute);
        EXPECT_EQ(f->tries, c.run.triesLog);
        EXPECT_EQ(f->version, "");
        EXPECT_EQ(f->correct, c.run.correct);
        EXPECT_EQ(f->total, c.run.total);
        EXPECT_EQ(f->score, c.run.score);
        EXPECT_EQ(f->seconds, c.run.elapsedSec);
    }
}

TEST(RecordLines, DamagedLinesAreNoRecords) {
    for (const char* line : {
             "", "?", "2005年03月07日 09:05 [1121]  8/10  80点", // cut
             "2005年13月07日 09:05 [1121]  8/10  80点 01:32",     // month
             "2005年03月07日 09:05 [1121] 11/10  80点 01:32",     // more right than asked
             "2005年03月07日 09:05 [1121  8/10  80点 01:32",      // bracket
             "2005年03月07日 09:05 [1121]  8/10  80点 01:32 more",
             "類題)2005年03月07日 09:05 [1121]  8/10  80点 01:32",
             "2005年03月07日 09:05 [1121]  8/10 180点 01:32",
         })
        EXPECT_FALSE(ParseRecordLine(J(line))) << line;
}

// A run on a varied copy names the copy's version inside the tries' brackets, where a
// reader that knows no versions still reads the line (as tries text); this reader gives
// the tries and the version apart.
TEST(RecordLines, RunsOnAVariedCopyNameTheirVersion) {
    struct Case {
        RunResult run;
        const char* version;
        const char* line;
    } cases[] = {
        {{RunKind::Practice, 9, 10, 90, "1000000000", 65}, "V20261208-07",
         "2026年12月07日 09:05 [1000000000 V20261208-07]  9/10  90点 01:05"},
        {{RunKind::Test, 10, 10, 100, "", 7}, "V4711-112",
         "2026年12月07日 09:05 [V4711-112] 10/10 100点 00:07"},
        {{RunKind::Test, 10, 10, 100, "", 7}, "", "2026年12月07日 09:05 [] 10/10 100点 00:07"},
    };
    for (const Case& c : cases) {
        const std::string line = ResultsLine(c.run, {2026, 12, 7, 9, 5, 0}, 0, c.version);
        EXPECT_EQ(sjis::toUtf8(line), c.line);
        const std::optional<RecordFields> f = ParseRecordLine(line);
        ASSERT_TRUE(f) << c.line;
        EXPECT_EQ(f->tries, c.run.triesLog);
        EXPECT_EQ(f->version, c.version);
        EXPECT_EQ(f->score, c.run.score);
        EXPECT_EQ(f->seconds, c.run.elapsedSec);
    }
}

// The learner file is the pupil's: whatever stands between the brackets, the line reads
// as it always did, and only a version code as the program writes it is taken as one.
TEST(RecordLines, ForgedVersionsAreTriesText) {
    struct Case {
        const char* inBrackets;
        const char* tries;
        const char* version;
    } cases[] = {
        {"10 V1-01", "10", "V1-01"},
        {"10 V1-1", "10 V1-1", ""},              // one-digit copy: never written
        {"10 V1-12345", "10 V1-12345", ""},      // copy beyond 9999
        {"10 V1234567890123456789-01", "10 V1234567890123456789-01", ""}, // 19-digit seed
        {"10V1-01", "10V1-01", ""},              // no blank
        {"10  V1-01", "10  V1-01", ""},          // two blanks
        {"1a V1-01", "1a V1-01", ""},            // tries not digits
        {"10 V1-01 V2-02", "10 V1-01 V2-02", ""},
        {"10 V-01", "10 V-01", ""},
        {"10 V1-01x", "10 V1-01x", ""},
        {"V", "V", ""},
        {"10 V１-01", "10 V１-01", ""},          // full-width digit
        {"10 v1-01", "10 v1-01", ""},
    };
    for (const Case& c : cases) {
        const std::string line =
            J("2026年12月07日 09:05 [") + J(c.inBrackets) + J("]  9/10  90点 01:05");
        const std::optional<RecordFields> f = ParseRecordLine(line);
        ASSERT_TRUE(f) << c.inBrackets;
        EXPECT_EQ(f->tries, J(c.tries)) << c.inBrackets;
        EXPECT_EQ(f->version, c.version) << c.inBrackets;
        EXPECT_EQ(f->correct, 9);
    }
}

} // namespace
