#include <gtest/gtest.h>

#include <algorithm>

#include "CourseFixture.h"
#include "checks/CourseCheck.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFile.h"

namespace {

// 1-based line of the n-th (from 1) line equal to text.
int lineOf(const std::vector<std::string>& lines, const std::string& text, int n = 1) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text && --n == 0) return static_cast<int>(i) + 1;
    ADD_FAILURE() << "no line " << text;
    return -1;
}

std::vector<std::string> reportLines(const CourseCheckReport& r) {
    std::vector<std::string> out;
    for (const auto& p : r.problems)
        out.push_back(U(FormatProblem(p)));
    return out;
}

std::string at(const std::string& path, int line, const std::string& message) {
    return path + ":" + std::to_string(line) + ": " + message;
}

std::vector<std::string> goodUnit(const std::string& header) {
    return unitBlock(header, {"a#1#"});
}

// A small course that the check must pass.
void putCleanCourse(CourseFixture& f) {
    f.putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1"});
    f.putLines("Eq1\\eq1.ind", {"t", "[[sect1", "s", "<<", "(1) a", "(2) b", ">>", "]]"});
    f.putLines("Eq1\\eq11.que", concat({goodUnit("[[unit1"), goodUnit("[[unit1R1"),
                                        goodUnit("[[unit1R2"), goodUnit("[[unit2")}));
    Worksheet w;
    w.strTangen = "t";
    w.lstQues = {"q#1#"};
    f.fp.files.put("C:\\course\\Eq1\\copy.prp", lines::join(WorksheetFileLines(w, 630, {})));
}

} // namespace

TEST(CourseCheck, ACleanCourseHasNoProblems) {
    CourseFixture f;
    putCleanCourse(f);
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(reportLines(r), std::vector<std::string>{});
    EXPECT_EQ(r.unitsChecked, 5);      // two units, two similar questions, one worksheet file
    EXPECT_TRUE(f.messages().empty()); // nothing reaches the program's own prompter
}

TEST(CourseCheck, WithoutMainIndItCannotRun) {
    CourseFixture f;
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(U(r.fatal), "ファイル C:/course/Main.ind が見つかりません");
}

TEST(CourseCheck, ReportsEveryProblemOfABrokenCourse) {
    CourseFixture f;
    f.putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1", "関数,Fn1\\ fn1", "欠落,Gone\\ gone",
                            "索引なし,Eq1\\ noidx"});
    f.putLines("Eq1\\eq1.ind", {"方程式の問題", "[[sect1", "１次方程式", "<<", "(1) 移項",
                                "(2) かっこ", "(3) ない単元", ">>", "]]", "[[sect2",
                                "欠けたファイル", "<<", "(1) x", ">>", "]]"});
    f.put("Graph\\ok.bmp", "BM");
    std::vector<std::string> unit1{
        "[[unit1", "<<ques", "a#1#", "odd#1",  ">>", "<<graph", "ok.bmp", "-1", "0",  "missing.bmp",
        "10",      "20",     ">>",   "<<kran", "1",  "2",       "3",      "4",  ">>", "]]"};
    std::vector<std::string> unit2{"[[unit2", "<<ques", "x=#3##4#", ">>", "<<value", "630", "False",
                                   "40",      "5",      "5",        "1",  ">>",      "]]"};
    std::vector<std::string> eq11 =
        concat({unit1, goodUnit("[[unit1R1"), goodUnit("[[unit1R3"), unit2, goodUnit("[[unit2R2"),
                goodUnit("[[unit2R1"), goodUnit("[[unit1R1"), goodUnit("[[unit1R6")});
    f.putLines("Eq1\\eq11.que", eq11);

    f.putLines("Fn1\\fn1.ind", {"関数", "[[sect1", "式", "<<", "(1) 多い", "(2) 空欄なし", ">>"});
    std::vector<std::string> many{"[[unit1", "<<ques"};
    for (int i = 0; i < 41; ++i)
        many.push_back("#1# and #2#");
    many.push_back(">>");
    many.push_back("<<graph");
    for (int g = 0; g < 16; ++g) {
        std::string name = "g" + std::to_string(g) + ".bmp";
        f.put("Fn1\\Graph\\" + name, "BM");
        many.insert(many.end(), {name, "-1", "0"});
    }
    many.insert(many.end(), {">>", "]]"});
    std::vector<std::string> fn11 = concat({many, unitBlock("[[unit2", {"no answers", "at all"})});
    f.putLines("Fn1\\fn11.que", fn11);

    Worksheet w;
    w.lstQues = {"q#1#"};
    f.fp.files.put("C:\\course\\Eq1\\good.prp", lines::join(WorksheetFileLines(w, 630, {})));
    f.putLines("Eq1\\bad.prp", {"[[unitX", "<<header", "only", "two", ">>", "]]"});
    // Dots inside the name are part of it: a worksheet file like any other.
    f.fp.files.put("C:\\course\\Eq1\\a.b.prp", lines::join(WorksheetFileLines(w, 630, {})));
    f.putLines("Eq1\\empty.prp", {"no unit here"});

    const std::string q = "Eq1/eq11.que";
    std::vector<std::string> expected{
        at(q, lineOf(eq11, "odd#1"), "2行目：＃の数は偶数にしてください"),
        at(q, lineOf(eq11, "missing.bmp"), "ファイル Graph/missing.bmp が見つかりません"),
        at(q, lineOf(eq11, "<<kran"), "kranブロックの数が合いません"),
        at(q, lineOf(eq11, "[[unit1R3"),
           "[[unit1R3: メニューに表示されない類題です（[[unit1R2 がありません）"),
        at(q, lineOf(eq11, "[[unit1R1", 2),
           "[[unit1R1: メニューに表示されない類題です（同じ見出しが前にあります）"),
        at(q, lineOf(eq11, "[[unit1R6"),
           "[[unit1R6: メニューに表示されない類題です（類題は5個までです）"),
        at(q, lineOf(eq11, "x=#3##4#"), "1行目：解答がありません"),
        at(q, lineOf(eq11, "<<value", 3), "<<value block error"), // unit 2 behind 1R1, 1R3
        at(q, lineOf(eq11, "[[unit2R2"),
           "[[unit2R2: メニューに表示されない類題です（類題の順序が違います）"),
        at("Eq1/eq1.ind", 7, "(3) ない単元：単元 [[unit3 が Eq1/eq11.que にありません"),
        at("Eq1/eq1.ind", 10, "ファイル Eq1/eq12.que が見つかりません"),
        at("Eq1/bad.prp", 2, "<<header block error (3行必要です)"),
        at("Eq1/empty.prp", 1, "単元がありません（見出しの行 [[unitX がありません）"),
        at("Fn1/fn11.que", 1, "解答欄は80個までです（82個あります）"),
        at("Fn1/fn11.que", lineOf(fn11, "<<graph"), "16:問題のグラフが多すぎます"),
        at("Fn1/fn11.que", lineOf(fn11, "no answers"), "解答欄がありません"),
        at("Main.ind", 5, "ディレクトリ Gone/ が見つかりません"),
        at("Main.ind", 6, "ファイル Eq1/noidx.ind が見つかりません"),
    };
    // Files are checked side by side on several threads; the report keeps the course's order.
    for (unsigned threads : {1u, 2u, 3u, 0u}) {
        CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\",
                                          {.keys = false, .pages = {}, .threads = threads});
        ASSERT_TRUE(r.ran);
        EXPECT_EQ(reportLines(r), expected) << threads << " threads";
        // Eq1: three units, similar questions 1R1 and 2R1; four worksheet files; Fn1: two
        // units.
        EXPECT_EQ(r.unitsChecked, 3 + 2 + 4 + 2);
    }
}

TEST(CourseCheck, RangeErrorsAreReportedWhereTheTableOverflows) {
    CourseFixture f;
    std::vector<std::string> mainInd{"t", ""};
    for (int k = 1; k <= 81; ++k)
        mainInd.push_back("L,Eq1\\ eq1");
    f.putLines("Main.ind", mainInd);
    std::vector<std::string> index{"t", "[[sect1", "s", "<<"};
    std::vector<std::string> que;
    for (int u = 1; u <= 81; ++u) {
        index.push_back("u" + std::to_string(u));
        for (const auto& l : goodUnit("[[unit" + std::to_string(u)))
            que.push_back(l);
    }
    index.push_back(">>");
    f.putLines("Eq1\\eq1.ind", index);
    f.putLines("Eq1\\eq11.que", que);
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    std::vector<std::string> lines = reportLines(r);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], at("Main.ind", 83, "Main.ind:コースウェアは80個までです"));
    // Every one of the 80 lessons shares the folder; each reports its 81st unit.
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         at("Eq1/eq1.ind", 85, "Eq1/eq1.ind:副メニューは80個までです")),
              80);
    EXPECT_EQ(lines.size(), 81u);
}

TEST(CourseCheck, GraphPicturesComeFromTheLessonsGraphFolderFirst) {
    CourseFixture f;
    putCleanCourse(f);
    f.put("Graph\\shared.bmp", "BM");
    f.put("Eq1\\Graph\\own.bmp", "BM");
    std::vector<std::string> que{"[[unit1", "<<ques",  "a#1#",       ">>",   "<<AGraph", "own.bmp",
                                 "1",       "1",       "shared.bmp", "2",    "2",        ">>",
                                 "]]",      "[[unit2", "<<ques",     "b#1#", ">>",       "]]"};
    f.putLines("Eq1\\eq11.que", que);
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_EQ(reportLines(r),
              std::vector<std::string>{
                  at("Eq1/eq11.que", 9, "ファイル Eq1/Graph/shared.bmp が見つかりません")});

    // A picture reached through a link out of the course is refused as the program refuses
    // it, and so is a unit file.
    f.fp.files.linksOut = {"c:\\course\\eq1\\graph\\own.bmp", "c:\\course\\eq1\\eq11.que"};
    r = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_EQ(reportLines(r),
              std::vector<std::string>{
                  at("Eq1/eq1.ind", 2, "Eq1/eq11.que:コースのフォルダの外を指しています")});
    f.fp.files.linksOut = {"c:\\course\\eq1\\graph\\own.bmp"};
    r = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_EQ(reportLines(r),
              (std::vector<std::string>{
                  at("Eq1/eq11.que", 6, "Eq1/Graph/own.bmp:コースのフォルダの外を指しています"),
                  at("Eq1/eq11.que", 9, "ファイル Eq1/Graph/shared.bmp が見つかりません")}));
}

TEST(CourseCheck, AUnitAlikeInTextIsReadAgainWhenItsBlockRanPastItsEnd) {
    // Both units read "<<ques a#1# >> <<kgroup ]]". The first one's "<<kgroup" is closed by a ">>"
    // after its "]]" and reads clean; the second one's is never closed.
    CourseFixture f;
    f.putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1"});
    f.putLines("Eq1\\eq1.ind", {"t", "[[sect1", "s", "<<", "(1) a", "(2) b", "(3) c", ">>", "]]"});
    const std::vector<std::string> body{"<<ques", "a#1#", ">>", "<<kgroup", "]]"};
    std::vector<std::string> eq11{"[[unit1"};
    eq11.insert(eq11.end(), body.begin(), body.end());
    eq11.insert(eq11.end(), {">>", "]]"});
    eq11 = concat({eq11, goodUnit("[[unit3"), {"[[unit2"}, body});
    f.putLines("Eq1\\eq11.que", eq11);
    for (unsigned threads : {1u, 2u}) {
        const CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\",
                                                {.keys = false, .pages = {}, .threads = threads});
        EXPECT_EQ(reportLines(r),
                  std::vector<std::string>{at("Eq1/eq11.que", lineOf(eq11, "<<kgroup", 2),
                                              "<<kgroup block error (>>がありません)")})
            << threads << " threads";
        EXPECT_EQ(r.unitsChecked, 3);
    }
}
