// Random and malformed bytes fed to every reader of course files. Nothing may crash,
// hang or write out of range (the sanitizer build watches); the tables stay bounded.

#include <gtest/gtest.h>

#include <random>

#include "CourseFixture.h"
#include "checks/CourseCheck.h"
#include "formats/CourseIndex.h"
#include "formats/QuestionChecks.h"
#include "formats/UnitReader.h"
#include "text/TextCuts.h"

namespace {

// Text made of the pieces the formats care about, broken Shift-JIS and plain noise.
class Junk {
  public:
    explicit Junk(unsigned seed) : rng_(seed) {}

    std::string text(std::size_t pieces) {
        static const char* const tokens[] = {
            "[[unit1",  "[[unit1R1", "[[unit1R2", "[[unit2",   "[[unitX", "[[sect1", "[[",
            "]]",       "<<ques",    "<<ans",     "<<header",  "<<value", "<<font",  "<<kran",
            "<<graph",  "<<AGraph",  "<<kgroup",  "<<softkey", "<<dummy", "<<hint",  ">>",
            "<<",       "{",         "}",         "#",         "##",      ";",       "\\",
            ",",        "A,F\\ f",   "Main.ind",  "630",       "True",    "-1",      "\x95\x5C",
            "\x81\x40", "\x81",      "\xFC",      "\x80",      "\xFF",    ".prp",    "@B",
            "x=#3#",
        };
        std::string out;
        std::uniform_int_distribution<int> kind(0, 9);
        std::uniform_int_distribution<std::size_t> token(0, std::size(tokens) - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (std::size_t i = 0; i < pieces; ++i) {
            switch (kind(rng_)) {
            case 0:
            case 1:
                out += "\r\n";
                break;
            case 2:
                out += kind(rng_) < 5 ? '\r' : '\n';
                break;
            case 3:
                out += static_cast<char>(byte(rng_));
                break;
            case 4:
                out.push_back('\0');
                break;
            default:
                out += tokens[token(rng_)];
            }
        }
        return out;
    }
    int number(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  private:
    std::mt19937 rng_;
};

const char* const Headers[] = {"[[unit1", "[[unit1R1", "[[unit2", "[[unitX", "]]", ""};

void readAll(CourseFixture& f, const std::string& path, Junk& junk) {
    for (const char* header : Headers) {
        for (UnitReadMode mode :
             {UnitReadMode::Open, UnitReadMode::WorksheetFile, UnitReadMode::Append}) {
            UnitReadRequest r;
            r.path = path;
            r.header = header;
            r.unit = junk.number(-3, 100);
            r.section = junk.number(-3, 100);
            r.mode = mode;
            r.target.questionGraphLines = junk.number(-10, 100);
            UnitLineMap map;
            f.p.fileLines.clear();
            LoadLines(f.fp.files, path, f.p.fileLines);
            UnitReadResult result = ParseUnit(f.p.parse, f.p.fileLines, r, &map);
            if (result.ok()) {
                EXPECT_LE(f.p.parse.questions.size(), static_cast<std::size_t>(MaxQuestionLines));
                EXPECT_TRUE(f.p.parse.kran.empty() || f.p.parse.kran.size() == 10u);
                EXPECT_TRUE(f.p.parse.value.empty() || f.p.parse.value.size() % 7 == 0);
            }
            if (map.headerLine >= 0)
                ReadEditorView(f.p.fileLines, static_cast<std::size_t>(map.headerLine));
        }
    }
}

} // namespace

TEST(ReaderFuzz, RandomBytesNeverBreakTheReaders) {
    Junk junk(20261207u);
    for (int round = 0; round < 400; ++round) {
        CourseFixture f;
        const std::string que = "C:\\course\\Eq1\\eq11.que";
        f.fp.files.put("C:\\course\\Main.ind",
                       "t\r\n\r\nL,Eq1\\ eq1\r\n" + junk.text(junk.number(0, 60)));
        f.fp.files.put("C:\\course\\Eq1\\eq1.ind", junk.text(junk.number(0, 200)));
        f.fp.files.put(que, junk.text(junk.number(0, 400)));
        f.fp.files.put("C:\\course\\Eq1\\w.prp", junk.text(junk.number(0, 200)));

        readAll(f, que, junk);
        readAll(f, "C:\\course\\Eq1\\w.prp", junk);

        f.loadList();
        EXPECT_LE(std::count_if(f.p.course.lessonNames.begin(), f.p.course.lessonNames.end(),
                                [](const std::string& n) { return n != "?"; }),
                  MaxTableEntry);
        for (int k = -1; k <= 3; ++k)
            f.loadLesson(k);
        EXPECT_LE(f.p.course.sectionNames.size(), static_cast<std::size_t>(MaxTableEntry));

        CourseCheckReport report = CheckCourse(f.fp.files, "C:\\course\\");
        EXPECT_TRUE(report.ran);
        for (const auto& problem : report.problems)
            EXPECT_GE(problem.line, 0);

        // The small helpers on arbitrary lines.
        Lines pieces;
        for (const std::string& line : lines::split(junk.text(40))) {
            ParseLessonLine(line);
            SplitAtHash(line, pieces);
            SplitAtSemicolon(line, pieces);
            TrimWide(line);
            ExtensionOf(line);
            AfterLastChar('\\', line);
            PadToWidth(line, junk.text(3));
        }
        CheckQuestionLines(lines::splitViews(junk.text(50)));
        CheckBlocks(lines::splitViews(junk.text(50)));
    }
}

TEST(ReaderFuzz, TenMegabytesOfJunkReadInLinearTime) {
    Junk junk(7u);
    std::string big;
    big.reserve(10u << 20);
    while (big.size() < (10u << 20))
        big += junk.text(1000);
    // A real unit in the middle, and one whose block never closes at the end.
    std::string file = big.substr(0, 5u << 20) + "\r\n[[unit9\r\n<<ques\r\na#1#\r\n>>\r\n]]\r\n" +
                       big.substr(5u << 20) + "\r\n[[unit8\r\n<<ques\r\n";
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "L,Eq1\\ eq1"});
    std::vector<std::string> index{"t", "[[sect1", "s", "<<"};
    for (int u = 1; u <= 12; ++u)
        index.push_back("u" + std::to_string(u));
    index.push_back(">>");
    f.putLines("Eq1\\eq1.ind", index);
    f.fp.files.put("C:\\course\\Eq1\\eq11.que", file);

    UnitReadRequest r;
    r.path = "C:\\course\\Eq1\\eq11.que";
    r.header = "[[unit9";
    r.unit = 9;
    r.section = 1;
    ASSERT_TRUE(ReadUnit(f.fp.files, f.p.parse, f.p.fileLines, r).ok());
    EXPECT_EQ(f.p.parse.questions, Lines{"a#1#"});
    r.header = "[[unit8";
    EXPECT_EQ(ReadUnit(f.fp.files, f.p.parse, f.p.fileLines, r).status, UnitReadResult::Unclosed);

    CourseCheckReport report = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_TRUE(report.ran);
    EXPECT_GE(report.unitsChecked, 12);
}
