// Varied copies: version codes read back as typed, copies made from (seed, copy) alone with
// keys the checker confirms, questions that cannot vary kept on every copy, a copy that
// cannot be laid out cleanly left out and named, and the print job's pages: each copy with
// its number and version code, its answer sheet, and the key booklet's table.
#include "SheetFixture.h"

#include <set>

#include "CourseFixture.h"
#include "FakePrinter.h"
#include "RecordingCanvas.h"
#include "keys/KeyCheck.h"
#include "worksheet/PageLayout.h"
#include "worksheet/VariedCopies.h"

namespace {

TEST(VersionCode, ReadsBackWhatTheHeaderPrintsAndWhatAPupilTypes) {
    EXPECT_EQ(VersionCode(20261208, 7), "V20261208-07");
    EXPECT_EQ(VersionCode(20261208, 112), "V20261208-112");
    EXPECT_EQ(DefaultVarySeed(DateTime{2026, 12, 8, 23, 59, 0}), 20261208u);
    struct Case {
        const char* typed; // UTF-8
        std::uint64_t seed;
        int copy; // 0: refused
    };
    const Case cases[] = {
        {"V20261208-07", 20261208, 7},
        {"  v20261208-7 ", 20261208, 7},
        {"20261208-30", 20261208, 30},
        {"Ｖ２０２６１２０８－０７", 20261208, 7},
        {"　V20261208ー12　", 20261208, 12},
        {"V999999999999999999-9999", 999999999999999999u, 9999},
        {"", 0, 0},
        {"V", 0, 0},
        {"V-07", 0, 0},
        {"V20261208", 0, 0},
        {"V20261208-", 0, 0},
        {"V20261208-0", 0, 0},
        {"V20261208-10000", 0, 0},
        {"V1234567890123456789-1", 0, 0}, // beyond 18 digits
        {"V2026x1208-07", 0, 0},
        {"V20261208--7", 0, 0},
        {"V20261208-7a", 0, 0},
        {"\xff\x81", 0, 0}, // not even text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<VersionRef> ref = ParseVersionCode(S(c.typed));
        ASSERT_EQ(ref.has_value(), c.copy != 0);
        if (!ref) continue;
        EXPECT_EQ(ref->seed, c.seed);
        EXPECT_EQ(ref->copy, c.copy);
        EXPECT_EQ(ParseVersionCode(VersionCode(ref->seed, ref->copy))->copy, c.copy);
    }
}

// A sheet of several kinds: equations, an expression, values given, a pair, and a word
// problem that no copy may change.
const char* const Sheet[] = {
    "@B次の方程式を解きなさい。",
    "(1) 3x-5=16          x=# 7#",
    "(2) 2/5x=-4          x=# -10#",
    "(3) 9x+2=3x-1        x=# -1/2;-0.5#",
    "@B次の計算をしなさい。",
    "(4) 3(x+2)-2(x-1)# x+8#",
    "@Bx=-2, y=3 のとき、次の式の値を求めなさい。",
    "(5) 3x+2y# 0#",
    "@B次の連立方程式を解きなさい。",
    "(6) x+y=7",
    "    x-y=1        x=# 4 #    y=# 3 #",
    "@B方程式をつくって答えなさい。",
    "(7) ある数を 3 倍して 5 をひくと、もとの数より 9 大きくなる。",
    "    もとの数は  # 7#",
};

class Varied : public SheetFixture {
  protected:
    RecordingCanvas screen{630, 891, 96};
    FakePrinter printer;

    Varied() {
        program.parse.questions.clear();
        for (const char* line : Sheet)
            program.parse.questions.push_back(S(line));
        // The screen page as the worksheet window lays it out.
        program.sheets.relayout = [this](Worksheet& s) { LayOutPage(program, s, screen, false); };
        program.sheets.pageOptions.numbered = true;
    }

    static std::vector<std::string> keysOf(const Lines& ques) {
        std::vector<std::string> out;
        for (const CopyKey& k : KeysOf(ques))
            out.push_back(U(k.question) + "=" + U(k.key));
        return out;
    }

    // The page's ink as one text: formulas are drawn a glyph at a time, so the texts are
    // joined and blanks left out.
    static std::string ink(const FakePrinter::Document& d) {
        std::string out;
        for (const std::string& t : d.page.textsUtf8())
            for (char c : t)
                if (c != ' ') out += c;
        return out;
    }
    // A question line as the page shows it in ink: no "#", blanks, ";" or fraction bars
    // (a fraction's terms stand one over the other).
    static std::string flat(const std::string& sjisLine) {
        std::string out;
        for (char c : U(sjisLine))
            if (c != ' ' && c != '#' && c != '/' && c != ';') out += c;
        return out;
    }
    // The line up to its first answer.
    static std::string asked(const std::string& sjisLine) {
        return flat(sjisLine.substr(0, sjisLine.find('#')));
    }
    // The number line of a page: "№ 4  V20261208-04  …".
    static std::string numberLine(const FakePrinter::Document& d) {
        for (const std::string& t : d.page.textsUtf8())
            if (t.rfind("№", 0) == 0) return t;
        return "";
    }
};

TEST_F(Varied, CopiesHaveNumbersOfTheirOwnAndKeysTheCheckerConfirms) {
    Worksheet& sheet = open();
    const Lines original = sheet.lstQues;
    const VaryCount count = CountVaryingQuestions(sheet, 20261208);
    EXPECT_EQ(count.questions, 7);
    EXPECT_GE(count.varied, 5);
    EXPECT_EQ(count.varied + static_cast<int>(count.stay.size()), 7);
    ASSERT_FALSE(count.stay.empty());
    EXPECT_EQ(U(count.stay.back().number), "(7)");
    EXPECT_EQ(count.stay.back().why, CopiedQuestion::Why::NotChecked);

    std::set<Lines> seen{original};
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        const VariedCopy c = MakeVariedCopy(program, sheet, screen, 20261208, n);
        EXPECT_EQ(sheet.lstQues, original); // the sheet keeps its own lines
        EXPECT_TRUE(c.laidOut);
        EXPECT_EQ(c.versionCode, VersionCode(20261208, n));
        EXPECT_GE(c.varied, 5);
        EXPECT_TRUE(seen.insert(c.ques).second) << "copy " << n << " repeats another";
        // The word problem stays as written, on every copy.
        EXPECT_EQ(c.ques[12], original[12]);
        EXPECT_EQ(c.ques[13], original[13]);
        const LineViews views = lines::views(c.ques);
        const UnitKeyCheck check = CheckUnitKeys(views);
        EXPECT_EQ(check.tally.wrong, 0);
        EXPECT_EQ(check.tally.checked, 7); // six questions, the pair with two keys
        // Made again from the same seed, the copy is the same.
        EXPECT_EQ(MakeVariedCopy(program, sheet, screen, 20261208, n).ques, c.ques);
    }
    EXPECT_NE(MakeVariedCopy(program, sheet, screen, 20261209, 1).ques,
              MakeVariedCopy(program, sheet, screen, 20261208, 1).ques);
}

TEST_F(Varied, KeysAreListedPerBoxWithTheirQuestion) {
    Worksheet& sheet = open();
    EXPECT_EQ(keysOf(sheet.lstQues),
              (std::vector<std::string>{"(1)=7", "(2)=-10", "(3)=-1/2", "(4)=x+8", "(5)=0",
                                        "(6)x=4", "(6)y=3", "(7)=7"}));
}

// Every digit but 7 is drawn five times as wide: an answer other than "7" does not fit a box
// of fixed width that holds the original's.
class WideDigits : public RecordingCanvas {
  public:
    using RecordingCanvas::RecordingCanvas;
    int textWidth(std::string_view text) override {
        int w = RecordingCanvas::textWidth(text);
        for (char c : text)
            if (c >= '0' && c <= '9' && c != '7') w += 4 * RecordingCanvas::textWidth("0");
        return w;
    }
};

TEST_F(Varied, ACopyThatCannotBeLaidOutCleanlyIsLeftOutAndNamed) {
    program.parse.questions = {S("@B次の方程式を解きなさい。"), S("(1) 2x=14     x=# 7#")};
    program.parse.kran = {"5", "2", "2", "0", "0", "0", "15", "10", "0", "0"}; // fixed boxes
    WideDigits wide{630, 891, 96};
    program.sheets.relayout = [&](Worksheet& s) { LayOutPage(program, s, wide, false); };
    Worksheet& sheet = open();
    ASSERT_TRUE(CheckLayout(program, sheet, wide).empty()); // the original fits

    VariedPrintReport report;
    ASSERT_TRUE(PrintVariedCopies(program, printer, {77, 10, 1, VariedPages::Answers}, report));
    ASSERT_FALSE(report.notLaidOut.empty());
    ASSERT_GT(report.printed, 0);
    EXPECT_EQ(report.printed + static_cast<int>(report.notLaidOut.size()), 10);
    EXPECT_EQ(static_cast<int>(printer.documents.size()), report.printed);
    for (const VariedCopy& c : report.notLaidOut) {
        EXPECT_EQ(c.makings, MaxCopyMakings);
        EXPECT_FALSE(c.problems.empty());
        EXPECT_NE(U(report.message).find(c.versionCode), std::string::npos);
    }
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), U(report.message));
    EXPECT_NE(messages().back().find("印刷しませんでした"), std::string::npos);
    // Every printed page is a copy whose answer fits: "x=7", never a number that does not.
    for (const FakePrinter::Document& d : printer.documents) {
        const std::string page = ink(d);
        const std::string answer = page.substr(page.rfind("x="));
        EXPECT_EQ(answer, "x=7") << page;
        const std::string line = numberLine(d);
        const int n = std::atoi(line.c_str() + std::string("№ ").size());
        EXPECT_EQ(line.rfind("№ " + std::to_string(n) + "  " + VersionCode(77, n) + "  ", 0), 0u)
            << line;
    }
}

TEST_F(Varied, ThePrintJobPrintsEachCopyWithItsNumberAndVersionCode) {
    Worksheet& sheet = open();
    sheet.startNumber = 4;
    const Lines original = sheet.lstQues;
    VariedPrintReport report;
    ASSERT_TRUE(
        PrintVariedCopies(program, printer, {20261208, 3, 4, VariedPages::Questions}, report));
    EXPECT_TRUE(report.message.empty());
    EXPECT_EQ(report.printed, 3);
    ASSERT_EQ(printer.documents.size(), 3u);
    std::set<std::string> pages;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FakePrinter::Document& d = printer.documents[static_cast<std::size_t>(i)];
        EXPECT_TRUE(d.ended);
        EXPECT_EQ(numberLine(d).rfind("№ " + std::to_string(4 + i) + "  " +
                                          VersionCode(20261208, 4 + i) + "  ",
                                      0),
                  0u)
            << numberLine(d);
        const std::string page = ink(d);
        pages.insert(page.substr(page.find("(1)")));
        // The page shows copy 4 + i's questions without their answers.
        const VariedCopy c = MakeVariedCopy(program, sheet, screen, 20261208, 4 + i);
        for (const std::string& line : c.ques) {
            if (line.find('#') == std::string::npos) continue;
            EXPECT_NE(page.find(asked(line)), std::string::npos) << asked(line) << "\n" << page;
            EXPECT_EQ(page.find(flat(line)), std::string::npos) << flat(line);
        }
    }
    EXPECT_EQ(pages.size(), 3u); // every copy differs
    // The sheet is as it was.
    EXPECT_EQ(sheet.lstQues, original);
    EXPECT_EQ(sheet.startNumber, 4);
    EXPECT_TRUE(sheet.versionCode.empty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Varied, TheVersionCodeNeverRunsIntoTheDateField) {
    struct Case {
        const char* printName;
        bool nameShown;
    };
    for (const Case& c : {Case{"eq11.que-U1", true},
                          Case{"course/bench/worksheets/print_sheet2.prp", false}}) {
        SCOPED_TRACE(c.printName);
        Worksheet& sheet = open();
        sheet.strPrintName = c.printName;
        sheet.startNumber = 12;
        sheet.versionCode = VersionCode(20261208, 12); // as the print job lays copy 12 out
        RecordingCanvas page{630, 891, 96};
        LayOutPage(program, sheet, page, false);
        const RecordingCanvas::Record* number = nullptr;
        for (const RecordingCanvas::Record* r : page.textOuts())
            if (U(r->text).rfind("№", 0) == 0) number = r;
        const auto* date = page.findText(S("実施日　　月　　日"));
        ASSERT_TRUE(number && date);
        EXPECT_LT(number->x + number->width, date->x);
        EXPECT_EQ(U(number->text).rfind("№ 12  V20261208-12  ", 0), 0u);
        EXPECT_EQ(U(number->text).find(c.printName) != std::string::npos, c.nameShown);
    }
}

TEST_F(Varied, AnswerSheetsAndTheBookletCarryTheKeysOfTheSameCopies) {
    Worksheet& sheet = open();
    sheet.ShowAnswers = false;
    std::vector<Lines> copies;
    for (int n = 1; n <= 5; ++n)
        copies.push_back(MakeVariedCopy(program, sheet, screen, 99, n).ques);

    VariedPrintReport report;
    ASSERT_TRUE(PrintVariedCopies(program, printer, {99, 5, 1, VariedPages::Answers}, report));
    ASSERT_EQ(printer.documents.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string page = ink(printer.documents[i]);
        for (const std::string& line : copies[i]) // the line with its answers filled in
            if (line.find('#') != std::string::npos) {
                EXPECT_NE(page.find(flat(line)), std::string::npos) << flat(line) << "\n" << page;
            }
    }
    EXPECT_FALSE(sheet.ShowAnswers);

    FakePrinter booklet;
    ASSERT_TRUE(PrintVariedCopies(program, booklet, {99, 5, 1, VariedPages::KeyBooklet}, report));
    EXPECT_EQ(report.printed, 5);
    ASSERT_EQ(booklet.documents.size(), 1u); // five copies fit one page
    const std::vector<std::string> cells = booklet.documents[0].page.textsUtf8();
    ASSERT_FALSE(cells.empty());
    EXPECT_NE(cells[0].find("解答一覧"), std::string::npos);
    EXPECT_NE(cells[0].find("V99-"), std::string::npos);
    // Heads, then per copy its number and its keys, cell by cell.
    std::vector<std::string> expected{"№"};
    for (const std::string& k : keysOf(copies[0]))
        expected.push_back(k.substr(0, k.find('=')));
    for (std::size_t i = 0; i < 5; ++i) {
        expected.push_back(std::to_string(i + 1));
        for (const std::string& k : keysOf(copies[i]))
            expected.push_back(k.substr(k.find('=') + 1));
    }
    EXPECT_EQ(std::vector<std::string>(cells.begin() + 1, cells.end()), expected);
}

TEST_F(Varied, TheBookletGoesOnToMorePagesAndBandsWhenItMustBe) {
    open();
    FakePrinter booklet;
    booklet.width = 300; // a narrow page: the eight columns go in bands
    booklet.height = 600;
    VariedPrintReport report;
    ASSERT_TRUE(PrintVariedCopies(program, booklet, {5, 25, 1, VariedPages::KeyBooklet}, report));
    EXPECT_EQ(report.printed, 25);
    ASSERT_GT(booklet.documents.size(), 1u);
    // Each band: "№", its heads "(n)…", then rows of a copy's number and a key per head.
    std::vector<int> numbers;
    int heads = 0;
    for (const FakePrinter::Document& d : booklet.documents) {
        const std::vector<std::string> t = d.page.textsUtf8();
        for (std::size_t i = 1; i < t.size();) {
            ASSERT_EQ(t[i], "№");
            ++heads;
            std::size_t columns = 0;
            while (i + 1 + columns < t.size() && t[i + 1 + columns].rfind("(", 0) == 0)
                ++columns;
            ASSERT_GT(columns, 0u);
            i += 1 + columns;
            while (i < t.size() && t[i] != "№") {
                numbers.push_back(std::stoi(t[i]));
                i += 1 + columns;
            }
        }
    }
    EXPECT_GT(heads, static_cast<int>(booklet.documents.size())); // bands on each page
    // Every copy appears, in order (a copy's number shows once per band).
    std::set<int> copies(numbers.begin(), numbers.end());
    EXPECT_EQ(copies.size(), 25u);
    EXPECT_EQ(*copies.begin(), 1);
    EXPECT_EQ(*copies.rbegin(), 25);
}

} // namespace
