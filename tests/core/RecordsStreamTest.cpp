// The records CSV as it is streamed from the learner files' bytes, against the CSV the
// general INI reader gives for the same files (the way the CSV was made before it was
// streamed), on a hostile class: odd and repeated keys, gaps in the run numbers, "?" lines,
// mixed line ends, overlong and invalid Shift-JIS lines, cells a spreadsheet would run.
// And the scanner against the INI reader on random bytes.
#include <gtest/gtest.h>

#include <random>

#include "CourseFixture.h"
#include "learners/RecordLine.h"
#include "learners/RecordScan.h"
#include "learners/Records.h"
#include "learners/RecordsCsv.h"
#include "learners/RecordsList.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Profile.h"
#include "text/TextCuts.h"

namespace {

// The CSV through RecordBook (Profile::readAll), OrderedEntries and ParseRecordLine, one
// whole string at a time.
RecordsCsvResult csvByIniReader(Files& files, const CourseTables& course,
                                const std::vector<LearnerSource>& sources) {
    RecordsCsvResult out;
    out.csv = RecordsCsvHeader();
    for (const LearnerSource& src : sources) {
        const RecordBook book(files, src.file);
        if (book.status() == ReadStatus::Error || book.status() == ReadStatus::Outside) {
            out.problems.push_back(book.status() == ReadStatus::Error
                                       ? ReadErrorText(src.file)
                                       : OutsideCourseText(src.file));
            continue;
        }
        std::vector<LessonBlock> blocks;
        ReadLessonUnits(files, course, src.lesson, blocks);
        for (const ProfileSection& s : book.sections()) {
            if (sjis::equalsIgnoreAsciiCase(s.name, "password")) continue;
            std::string unit;
            for (const LessonBlock& b : blocks)
                for (const LessonUnit& u : b.units)
                    if (unit.empty() && sjis::equalsIgnoreAsciiCase(u.key, s.name))
                        unit = sjis::toUtf8(u.line);
            if (unit.empty() && ExtensionOf(s.name) == ".prp") unit = sjis::toUtf8(s.name);
            std::string prefix;
            for (const std::string& field :
                 {sjis::toUtf8(src.learner), std::to_string(src.lesson), sjis::toUtf8(s.name), unit})
                prefix += CsvField(field) + ",";
            for (const ProfileEntry* r : OrderedEntries(s)) {
                const std::optional<RecordFields> f = ParseRecordLine(r->value);
                if (!f) {
                    out.problems.push_back(src.file + ": [" + s.name + "] " + r->key +
                                           J(": 記録の行として読めません"));
                    continue;
                }
                std::string row = prefix;
                AppendPadded(row, f->ruidai, 1);
                row += ',';
                AppendPadded(row, f->when.year, 4);
                row += '-';
                AppendPadded(row, f->when.month, 2);
                row += '-';
                AppendPadded(row, f->when.day, 2);
                row += ',';
                AppendPadded(row, f->when.hour, 2);
                row += ':';
                AppendPadded(row, f->when.minute, 2);
                row += ',' + CsvField(sjis::toUtf8(f->tries));
                for (int n : {f->correct, f->total, f->score, f->seconds}) {
                    row += ',';
                    AppendPadded(row, n, 1);
                }
                out.csv += row + "\r\n";
                ++out.rows;
            }
        }
    }
    return out;
}

// A record line with the given tries log (Shift-JIS bytes as they stand).
std::string recordLine(const std::string& tries, int score = 80, int day = 7) {
    return S("2005年03月") + (day < 10 ? "0" : "") + std::to_string(day) + S("日 09:05 [") +
           tries + S("]  8/10  ") + std::to_string(score) + S("点 01:32");
}

struct RecordsStreamTest : CourseFixture, ::testing::Test {
    RecordsStreamTest() {
        putLines("Main.ind", {"数学", "中学", "１次方程式,Eq1\\ eq1", ">>"});
        putLines("Eq1\\eq1.ind", {"１次方程式", "[[sect1", "解き方", "<<", "(1) 等式", "=(2) 移項",
                                  ">>", "]]"});
        EXPECT_TRUE(loadList());
    }
    std::string file(const std::string& name) { return std::string(Master) + "Eq1\\" + name; }

    // The hostile class: one learner file per kind of trouble, and one of everything.
    std::vector<LearnerSource> hostileClass() {
        const std::string ok = recordLine("1121");
        const std::string overlong = recordLine(std::string(1500, '1'));
        std::string cutInChar = std::string(1022, 'x') + S("表") + "tail"; // cut before 表
        const std::vector<std::pair<std::string, std::string>> learners = {
            {"keys", S("[S11(1) 等式]\r\n2=") + ok + "\r\n01=" + ok + "\r\na=" + ok + "\r\n1=" +
                         recordLine("0", 50) + "\r\nA=" + ok + "\r\n1=" + recordLine("9", 10) +
                         "\r\n 3 = " + recordLine("7", 70) + " \r\n99999999999=" + ok + "\r\n"},
            {"gaps", S("[S11(1) 等式]\r\n7=") + recordLine("1", 70, 7) + "\r\n3=" +
                         recordLine("1", 30, 3) + "\r\n12=" + recordLine("1", 12, 12) + "\r\n"},
            {"queries", S("[password]\r\npw=?\r\n[S11(1) 等式]\r\n1=?\r\n2=\r\n3=") + ok +
                            "\r\n?\r\n=" + ok + "\r\n"},
            {"ends", S("[S11(1) 等式]\r1=") + ok + "\n2=" + ok + "\r\n\r\n3=" + ok + "\r\r\n4=" + ok},
            {"overlong", S("[S11(1) 等式]\r\n1=") + overlong + "\r\n2=" + cutInChar + "\r\n3=" +
                             std::string(5000, 'z') + "\r\n4=" + ok + "\r\n"},
            {"sjis", "[S11(1) \x81]\r\n1=" + ok + S("\r\n[S11(1) 等式]\r\n1=") + recordLine("\x81") +
                         "\r\n2=" + recordLine("\xFF\xFE") + "\r\n3=" + recordLine(S("表")) +
                         "\r\n4=" + "2005\x94" + "\r\n"},
            {"=formula", S("[=(2) 移項]\r\n1=") + recordLine("=1+1") + "\r\n2=" + recordLine("+1") +
                             "\r\n3=" + recordLine("-1") + "\r\n4=" + recordLine("@x") +
                             "\r\n5=" + recordLine("\t1") + "\r\n6=" + recordLine("a,\"b\"") +
                             S("\r\n[S12=(2) 移項]\r\n1=") + recordLine("1") + "\r\n[@copy.prp]\r\n1=" +
                             ok + "\r\n"},
            {"blocks", S("junk=before\r\n[S11(1) 等式]\r\n1=") + ok + S("\r\n[other]\r\nx=y\r\n[s11(1) 等式]\r\n2=") +
                           ok + S("\r\n; note\r\n[S11(1) 等式\r\n\"5\"='") + ok + "'\r\n[ ]\r\n1=" + ok +
                           "\r\n[copy.PRP]\r\n1=\"" + ok + "\"\r\n"},
            {"binary", std::string("\0\x01[S11\0]\r\n1=\0", 12) + ok + "\r\n"},
            {"empty", ""},
        };
        std::vector<LearnerSource> sources;
        for (const auto& [name, bytes] : learners) {
            fp.files.put(file(name + ".ini"), bytes);
            sources.push_back({name, 1, file(name + ".ini")});
        }
        fp.files.unreadable.insert(sjis::asciiLower(file("locked.ini")));
        fp.files.put(file("locked.ini"), S("[S11(1) 等式]\r\n1=") + ok + "\r\n");
        sources.push_back({"locked", 1, file("locked.ini")});
        sources.push_back({"gone", 1, file("gone.ini")});
        return sources;
    }
};

TEST_F(RecordsStreamTest, TheStreamedCsvIsByteForByteTheIniReadersOnAHostileClass) {
    const std::vector<LearnerSource> sources = hostileClass();
    const RecordsCsvResult want = csvByIniReader(fp.files, p.course, sources);
    const RecordsCsvResult got = RecordsCsv(fp.files, p.course, sources);
    EXPECT_EQ(got.csv, want.csv);
    EXPECT_EQ(got.rows, want.rows);
    EXPECT_EQ(got.problems, want.problems);
    // The fixture is hostile where it should be: neutralised cells, quoted fields, cut lines
    // skipped, a damaged file named, and rows from every learner with records.
    EXPECT_GT(want.rows, 20);
    EXPECT_NE(want.csv.find(",'=1+1,"), std::string::npos);
    EXPECT_NE(want.csv.find(",\"a,\"\"b\"\"\","), std::string::npos);
    EXPECT_NE(want.csv.find("'=(2) 移項"), std::string::npos);
    EXPECT_GE(want.problems.size(), 8u);
    for (const char* learner : {"keys", "gaps", "queries", "ends", "overlong", "blocks"})
        EXPECT_NE(want.csv.find(std::string("\r\n") + learner + ",1,"), std::string::npos)
            << learner;
}

// Takes the CSV in its chunks, refusing bytes after the first `accept` chunks.
struct ChunkSink : RecordsCsvSink {
    int accept = 1 << 30;
    std::vector<std::string> chunks;
    std::vector<std::string> problems;
    bool write(std::string_view csv) override {
        if (static_cast<int>(chunks.size()) >= accept) return false;
        chunks.emplace_back(csv);
        return true;
    }
    void problem(const std::string& text) override { problems.push_back(text); }
};

TEST_F(RecordsStreamTest, ALargeClassGoesOutInChunksAndStopsWhenTheOutputFails) {
    std::string bytes = S("[S11(1) 等式]\r\n");
    for (int i = 1; i <= 5000; ++i)
        bytes += std::to_string(i) + "=" + recordLine(std::to_string(i), i % 101, 1 + i % 28) + "\r\n";
    std::vector<LearnerSource> sources;
    for (const char* name : {"a", "b", "c"}) {
        fp.files.put(file(std::string(name) + ".ini"), bytes);
        sources.push_back({name, 1, file(std::string(name) + ".ini")});
    }
    const RecordsCsvResult want = csvByIniReader(fp.files, p.course, sources);
    ChunkSink all;
    const RecordsCsvCount count = StreamRecordsCsv(fp.files, p.course, sources, all);
    EXPECT_EQ(count.rows, 15000);
    EXPECT_FALSE(count.stopped);
    ASSERT_GT(all.chunks.size(), 3u);
    std::string joined;
    for (const std::string& c : all.chunks) {
        EXPECT_LE(c.size(), 80u * 1024);
        joined += c;
    }
    EXPECT_EQ(joined, want.csv);
    // Every file read under its writers' lock.
    EXPECT_TRUE(fp.files.held.empty());

    ChunkSink failing;
    failing.accept = 1;
    const RecordsCsvCount stopped = StreamRecordsCsv(fp.files, p.course, sources, failing);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_LT(stopped.rows, 15000);
}

// What the INI reader makes of bytes, as the scanner hands it over.
std::string viaIniReader(MemoryFiles& files, const std::string& bytes) {
    files.put("C:\\f.ini", bytes);
    std::string out;
    for (const ProfileSection& s : Profile(files, "C:\\f.ini").readAll().sections) {
        out += "[" + s.name + "]\n";
        for (const ProfileEntry* e : OrderedEntries(s))
            out += e->key + "=" + e->value + "\n";
    }
    return out;
}
std::string viaScanner(const std::string& bytes) {
    std::string out;
    ScanLearnerFile(bytes, [&](std::string_view name, const std::vector<ScannedRecord>& records) {
        out += "[" + std::string(name) + "]\n";
        for (const ScannedRecord& r : records)
            out += std::string(r.key) + "=" + std::string(r.value) + "\n";
    });
    return out;
}

TEST(RecordScanFuzz, RandomBytesReadAsTheIniReaderReadsThem) {
    // Bytes that matter to the reader, and a few that do not.
    const std::string alphabet = std::string("[]=;\"' \t\r\n\r\n0123aA") +
                                 std::string("\0\x81\x5D\x9F\x3D\xE0\xFC\xFF\x80\xA0", 10);
    std::mt19937 random(20051);
    MemoryFiles files;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int n = static_cast<int>(random() % (round < 2900 ? 64 : 3000));
        for (int i = 0; i < n; ++i)
            bytes += alphabet[random() % alphabet.size()];
        ASSERT_EQ(viaScanner(bytes), viaIniReader(files, bytes)) << "round " << round;
    }
}

TEST(RecordScanFuzz, GarbageIsToldFromAFileWithoutRecords) {
    struct Case {
        std::string bytes;
        int stray, sections;
    } cases[] = {
        {"", 0, 0},
        {"[password]\r\npw=?\r\n; note\r\n\r\n", 0, 1},
        {"hello world\r\nthis is no learner file\r\n", 2, 0},
        {"pw=? before any section\r\n[a]\r\n1=x\r\n[A]\r\n2=y\r\n", 1, 1},
        {"[S11(1)]\r\n1=x\r\n[S12(2) cut in the hea", 1, 1},
    };
    for (const Case& c : cases) {
        const LearnerFileScan scan = ScanLearnerFile(c.bytes, [](auto, const auto&) {});
        EXPECT_EQ(scan.strayLines, c.stray) << c.bytes;
        EXPECT_EQ(scan.sections, c.sections) << c.bytes;
    }
}

} // namespace
