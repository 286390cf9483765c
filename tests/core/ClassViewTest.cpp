// Sorting and filtering the class overview, and the records behind one of its cells, on a
// small class whose order is worked out by hand.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/ClassView.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"

namespace {

struct ClassViewTest : CourseFixture, ::testing::Test {
    ClassViewTest() {
        putLines("Main.ind", {"数学", "中学", "１次方程式,Eq1\\ eq1", ">>"});
        putLines("Eq1\\eq1.ind", {"１次方程式", "[[sect1", "解き方", "<<", "(1) 等式", "(2) 移項",
                                  ">>", "]]", "[[sect2", "文章題", "<<", "(1) 数", ">>", "]]"});
        put("Eq1\\copy.prp", "");
        EXPECT_TRUE(loadList());
        put("LogOn\\sname.txt", "公開\ntaro\nhanako\njiro\n");
        run("taro", "S11(1) 等式", 50, 1);
        run("taro", "S11(1) 等式", 90, 2);
        run("taro", "S12(2) 移項", 70, 3);
        run("hanako", "S11(1) 等式", 60, 1);
        run("hanako", "S21(1) 数", 80, 2);
        run("hanako", "copy.prp", 95, 3);
        run("saburo", "S11(1) 等式", 40, 5);
        run("saburo", "S11(1) 等式", 45, 6);
        run("saburo", "S11(1) 等式", 30, 7);
        run("broken", "S11(1) 等式", 100, 5);
        fp.files.unreadable.insert(sjis::asciiLower(file("broken")));
        view = ViewOfGrid(ReadClassGrid(fp.files, p.course, p.shell.logOnFolder, 1));
    }
    std::string file(const char* learner) {
        return LearnerFile(fp.files, p.course, S(learner), p.shell.logOnFolder, 1);
    }
    void run(const char* learner, const char* section, int score, int day) {
        const RunResult r{RunKind::Practice, score / 10, 10, score, "0", 60};
        ASSERT_TRUE(AppendRecord(fp.files, file(learner), S(section),
                                 ResultsLine(r, {2005, 3, day, 9, 0, 0}, 0)));
    }
    std::vector<std::string> order() const {
        std::vector<std::string> names;
        for (int r : view.rows)
            names.push_back(U(view.grid.rows[r].learner));
        return names;
    }
    std::vector<std::string> shownKeys() const {
        std::vector<std::string> keys;
        for (int c : view.columns)
            keys.push_back(U(view.grid.columns[c].key));
        return keys;
    }
    int column(const char* key) const {
        for (std::size_t i = 0; i < view.grid.columns.size(); ++i)
            if (view.grid.columns[i].key == S(key)) return static_cast<int>(i);
        return -1;
    }
    int row(const char* learner) const {
        for (std::size_t i = 0; i < view.grid.rows.size(); ++i)
            if (view.grid.rows[i].learner == S(learner)) return static_cast<int>(i);
        return -1;
    }
    ClassViewState view;
};

using Names = std::vector<std::string>;

TEST_F(ClassViewTest, RowsSortByEveryKindOfColumn) {
    const int eq = column("S11(1) 等式"), move = column("S12(2) 移項");
    struct Case {
        const char* what;
        ClassSortKey key;
        int column;
        bool descending;
        Names want;
    };
    // taro 2 runs/90, 1 run/70, mean 80, 2 practised; hanako 1/60, mean 78.3, 3 practised;
    // jiro roster only; saburo 3/30, mean 30, 1 practised; broken unreadable.
    const Case cases[] = {
        {"names up", ClassSortKey::Learner, -1, false, {"broken", "hanako", "jiro", "saburo", "taro"}},
        {"names down", ClassSortKey::Learner, -1, true, {"taro", "saburo", "jiro", "hanako", "broken"}},
        {"score up", ClassSortKey::Score, eq, false, {"saburo", "hanako", "taro", "broken", "jiro"}},
        {"score down", ClassSortKey::Score, eq, true, {"taro", "hanako", "saburo", "broken", "jiro"}},
        {"runs down", ClassSortKey::Runs, eq, true, {"saburo", "taro", "hanako", "jiro", "broken"}},
        {"runs up", ClassSortKey::Runs, eq, false, {"jiro", "hanako", "taro", "saburo", "broken"}},
        {"unit few did", ClassSortKey::Score, move, true, {"taro", "broken", "hanako", "jiro", "saburo"}},
        {"mean up", ClassSortKey::Mean, -1, false, {"saburo", "hanako", "taro", "broken", "jiro"}},
        {"practised down", ClassSortKey::Practised, -1, true, {"hanako", "taro", "saburo", "jiro", "broken"}},
    };
    for (const Case& c : cases) {
        SortRows(view, c.key, c.column, c.descending);
        EXPECT_EQ(order(), c.want) << c.what;
    }
}

TEST_F(ClassViewTest, TheClassListOrderIsTheRostersThenTheOtherFilesAndComesBack) {
    EXPECT_EQ(order(), (Names{"taro", "hanako", "jiro", "broken", "saburo"}));
    SortRows(view, ClassSortKey::Learner, -1, false);
    SortRows(view, ClassSortKey::Roster, -1, false);
    EXPECT_EQ(order(), (Names{"taro", "hanako", "jiro", "broken", "saburo"}));
}

TEST_F(ClassViewTest, OneSectionsSummariesCountOnlyItsUnits) {
    struct Case {
        int section;
        const char* learner;
        int practised;
        double mean;
    };
    // taro: 等式 90, 移項 70; hanako: 等式 60, 数 80, copy.prp 95; saburo: 等式 30.
    const Case cases[] = {
        {0, "taro", 2, 80.0},   {0, "hanako", 3, 235.0 / 3}, {1, "taro", 2, 80.0},
        {1, "hanako", 1, 60.0}, {2, "hanako", 1, 80.0},      {2, "taro", 0, -1},
        {-1, "hanako", 1, 95.0}, {1, "jiro", 0, -1},         {2, "saburo", 0, -1},
    };
    for (const Case& c : cases) {
        FilterSection(view, c.section);
        const RowSummary s = ShownSummary(view, row(c.learner));
        EXPECT_EQ(s.practised, c.practised) << c.section << c.learner;
        EXPECT_DOUBLE_EQ(s.mean, c.mean) << c.section << c.learner;
    }
    // Over every column the summary is the row's own.
    FilterSection(view, 0);
    for (std::size_t r = 0; r < view.grid.rows.size(); ++r) {
        EXPECT_EQ(ShownSummary(view, static_cast<int>(r)).practised, view.grid.rows[r].practised);
        EXPECT_DOUBLE_EQ(ShownSummary(view, static_cast<int>(r)).mean, view.grid.rows[r].mean);
    }
    // Ordered by the mean of the second section: hanako the only one with a score there.
    FilterSection(view, 2);
    SortRows(view, ClassSortKey::Mean, -1, true);
    EXPECT_EQ(order().front(), "hanako");
    FilterSection(view, 1);
    SortRows(view, ClassSortKey::Mean, -1, false);
    EXPECT_EQ(order(), (Names{"saburo", "hanako", "taro", "broken", "jiro"}));
}

TEST_F(ClassViewTest, ASectionShowsOnlyItsColumnsAndKeepsTheRowOrder) {
    SortRows(view, ClassSortKey::Mean, -1, true);
    const Names rows = order();
    struct Case {
        int section;
        Names keys;
    };
    const Case cases[] = {
        {1, {"S11(1) 等式", "S12(2) 移項"}},
        {2, {"S21(1) 数"}},
        {-1, {"copy.prp"}},
        {7, {}},
        {0, {"S11(1) 等式", "S12(2) 移項", "S21(1) 数", "copy.prp"}},
    };
    for (const Case& c : cases) {
        FilterSection(view, c.section);
        EXPECT_EQ(shownKeys(), c.keys) << c.section;
        EXPECT_EQ(order(), rows) << c.section;
    }
}

TEST_F(ClassViewTest, SectionsAreListedWithTheirTitlesAndTheSavedWorksheetsLast) {
    const auto sections = ClassSections(view.grid);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].first, 1);
    EXPECT_EQ(U(sections[0].second), "解き方");
    EXPECT_EQ(sections[1].first, 2);
    EXPECT_EQ(U(sections[1].second), "文章題");
    EXPECT_EQ(sections[2].first, -1);
    EXPECT_EQ(U(sections[2].second), "保存したプリント");
}

TEST_F(ClassViewTest, ACellListsThatLearnersRecordLinesOfThatUnit) {
    const Lines lines = CellRecordLines(fp.files, view.grid, row("saburo"), column("S11(1) 等式"));
    ASSERT_EQ(lines.size(), 3u);
    const std::vector<Record> written = ReadRecords(fp.files, file("saburo"), S("S11(1) 等式"));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], written[i].line);
    EXPECT_NE(U(lines[2]).find("30"), std::string::npos);
    EXPECT_EQ(CellRecords(fp.files, view.grid, row("saburo"), column("S11(1) 等式")).size(), 3u);
}

TEST_F(ClassViewTest, EmptyMissingAndDamagedCellsSayWhy) {
    struct Case {
        const char* learner;
        const char* key;
        std::string want;
    };
    const Case cases[] = {
        {"taro", "S21(1) 数", "練習の記録はありません"},
        {"jiro", "S11(1) 等式", "練習の記録はありません"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellRecordLines(fp.files, view.grid, row(c.learner), column(c.key)),
                  Lines{S(c.want.c_str())})
            << c.learner;
    const Lines damaged = CellRecordLines(fp.files, view.grid, row("broken"), column("S11(1) 等式"));
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_NE(U(damaged[0]).find("broken"), std::string::npos); // names the file
    EXPECT_EQ(damaged[0], view.grid.rows[row("broken")].problem);
    EXPECT_TRUE(CellRecordLines(fp.files, view.grid, 99, 0).empty());
}

} // namespace
