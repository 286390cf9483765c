#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "formats/CourseIndex.h"

namespace {

// What a reader reports, in UTF-8. The reader shows nothing itself.
std::vector<std::string> reported(const CourseFixture& f, const Report& o) {
    EXPECT_TRUE(f.messages().empty());
    if (o.message.empty()) return {};
    return {U(o.message)};
}

} // namespace

TEST(LessonLine, IsCutAtTheFirstCommaAndBackslash) {
    struct Case {
        const char* line;
        bool comma;
        const char* text;
        const char* folder;
        const char* base;
    } cases[] = {
        {"方程式,Eq1\\ eq1", true, "方程式", "Eq1\\", "eq1"},
        {"A,B\\Cxyz", true, "A", "B\\", "xyz"},   // the byte after "\" is dropped
        {"abc", false, "?", "", ""},              // no comma
        {"A,Bxyz", true, "A", "", ",Bxyz"},       // no backslash: base from byte 2
        {"A\\B,Cdef", true, "A\\B", "", ",Cdef"}, // "\" before the comma
        {",F\\ b", true, "", "F\\", "b"},
        {"A,F\\", true, "A", "F\\", ""}, // nothing after the backslash
        {"A,F\\x", true, "A", "F\\", ""},
        {"表示,Hyo\\ hyo", true, "表示", "Hyo\\", "hyo"},
        {"A,表\\ x", true, "A", "表\\", "x"}, // "表" ends in 0x5C: not the separator
        {"ソ,F\\ y", true, "ソ", "F\\", "y"},
    };
    for (const auto& c : cases) {
        LessonLine l = ParseLessonLine(S(c.line));
        EXPECT_EQ(l.hasComma, c.comma) << c.line;
        EXPECT_EQ(U(l.menuText), c.text) << c.line;
        EXPECT_EQ(U(l.folder), c.folder) << c.line;
        EXPECT_EQ(U(l.base), c.base) << c.line;
    }
}

TEST(LessonList, ReadsLessonsUpToTheEndMarker) {
    CourseFixture f;
    f.putLines("Main.ind", {"数学問題集", "anything", "方程式,Eq1\\ eq1", "関数,Fn1\\ fn1", ">>",
                            "後ろ,X\\ x"});
    ASSERT_TRUE(f.loadList());
    EXPECT_EQ(U(f.p.course.courseTitle), "数学問題集");
    EXPECT_EQ(U(f.p.course.lessonNames), (std::vector<std::string>{"方程式", "関数"}));
    EXPECT_EQ(f.p.course.lessonFolder[2], "Fn1\\");
    EXPECT_EQ(f.p.course.lessonBase[2], "fn1");
    EXPECT_EQ(f.p.course.lessonFolder[3], "");
    EXPECT_TRUE(f.messages().empty());
}

TEST(LessonList, TitleOnlyGivesNoLessonsAndNoError) {
    CourseFixture f;
    f.putLines("Main.ind", {"title"});
    EXPECT_TRUE(f.loadList());
    EXPECT_TRUE(f.p.course.lessonNames.empty());
    EXPECT_TRUE(f.messages().empty());
}

TEST(LessonList, LineWithoutCommaShowsQuestionMarkAndKeepsOldEntries) {
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "A,F1\\ f1", "B,F2\\ f2"});
    ASSERT_TRUE(f.loadList());
    f.putLines("Main.ind", {"t", "", "A,G1\\ g1", "no comma here"});
    ASSERT_TRUE(f.loadList());
    EXPECT_EQ(f.p.course.lessonNames, (Lines{"A", "?"}));
    EXPECT_EQ(f.p.course.lessonFolder[1], "G1\\");
    EXPECT_EQ(f.p.course.lessonFolder[2], "F2\\");
    EXPECT_EQ(f.p.course.lessonBase[2], "f2");
}

TEST(LessonList, MissingMainIndIsReported) {
    CourseFixture f;
    Report r = f.loadList();
    EXPECT_FALSE(r);
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"ファイル C:\\course\\Main.ind が見つかりません"});
    f.put("Main.ind", "t\n");
    f.fp.files.unreadable.insert("c:\\course\\main.ind");
    r = f.loadList();
    EXPECT_FALSE(r);
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"ファイル C:\\course\\Main.ind が読み込めません"});
}

TEST(LessonList, MoreThanEightyLessonsIsARangeErrorThatStopsTheLoad) {
    CourseFixture f;
    std::vector<std::string> lines{"t", ""};
    for (int k = 1; k <= 82; ++k)
        lines.push_back("L" + std::to_string(k) + ",F" + std::to_string(k) + "\\ b");
    f.putLines("Main.ind", lines);
    const Report r = f.loadList();
    EXPECT_FALSE(r);
    EXPECT_EQ(f.p.course.lessonNames.size(), 80u);
    EXPECT_EQ(f.p.course.lessonFolder[80], "F80\\");
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"C:\\course\\Main.ind:コースウェアは80個までです"});
}

TEST(LessonList, LinesWithoutCommaDoNotIndexTheTable) {
    CourseFixture f;
    std::vector<std::string> lines{"t", ""};
    for (int k = 1; k <= 80; ++k)
        lines.push_back("L,F\\ b");
    lines.push_back("eighty-one without comma");
    f.putLines("Main.ind", lines);
    EXPECT_TRUE(f.loadList());
    EXPECT_EQ(f.p.course.lessonNames.size(), 81u);
    // Choosing it is the range error, not a read out of the table.
    const Report r = f.loadLesson(81);
    EXPECT_FALSE(r);
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"C:\\course\\Main.ind:コースウェアは80個までです"});
}

TEST(LessonList, SharedReaderKeepsTheCallersLimit) {
    // The open-copy dialog keeps at most 50 lessons.
    Lines mainInd{"t", ""};
    for (int k = 1; k <= 51; ++k)
        mainInd.push_back("L,F" + std::to_string(k) + "\\ b");
    std::vector<std::string> folders(51), bases(51);
    LessonLinesResult r = ReadLessonLines(mainInd, folders, bases);
    EXPECT_TRUE(r.overflow());
    EXPECT_EQ(r.overflowLine, 53);
    EXPECT_EQ(r.names.size(), 50u);
    EXPECT_EQ(folders[50], "F50\\");
}

namespace {

struct LessonFixture : CourseFixture {
    LessonFixture() {
        putLines("Main.ind", {"t", "", "方程式,Eq1\\ eq1"});
        EXPECT_TRUE(loadList());
    }
};

} // namespace

TEST(Lesson, LoadsSectionsAndUnitsInBlockOrder) {
    LessonFixture f;
    f.putLines("Eq1\\eq1.ind",
               {"方程式の問題", "[[sect1", "１次方程式", "<<", "(1) 移項", "(2) かっこのある方程式",
                ">>", "]]", "[[sect2", "文章題", "<<", "(1) 代金の問題", ">>", "]]"});
    ASSERT_TRUE(f.loadLesson(1));
    EXPECT_EQ(U(f.p.course.sectionNames), (std::vector<std::string>{"１次方程式", "文章題"}));
    EXPECT_EQ(f.p.course.sectionUnitCount[1], 2);
    EXPECT_EQ(f.p.course.sectionUnitCount[2], 1);
    EXPECT_EQ(U(f.p.course.sectionUnits[1][1]), "(2) かっこのある方程式");
    EXPECT_EQ(U(f.p.course.sectionUnits[2][0]), "(1) 代金の問題");
    EXPECT_EQ(f.p.course.currentLesson, 1);
}

TEST(Lesson, NumbersFollowBlockOrderAndAnyDoubleBracketOpensASection) {
    LessonFixture f;
    f.putLines("Eq1\\eq1.ind", {"title", "[[sect2", "first", "<<", "a", "[[inside", ">>", "]]",
                                "[[sect1", "second", "<<", "b", ">>", "[[", "third", "<<", "c"});
    ASSERT_TRUE(f.loadLesson(1));
    EXPECT_EQ(f.p.course.sectionNames, (Lines{"first", "second", "third"}));
    // "[[inside" is a unit line: only ">>" ends a unit list.
    EXPECT_EQ(f.p.course.sectionUnits[1], (Lines{"a", "[[inside"}));
    EXPECT_EQ(f.p.course.sectionUnits[2], Lines{"b"});
    // Without ">>" the unit list runs to the end of the file.
    EXPECT_EQ(f.p.course.sectionUnits[3], Lines{"c"});
}

TEST(Lesson, ABlockHeaderAtTheEndOfTheFileIsAnEmptySection) {
    LessonFixture f;
    f.putLines("Eq1\\eq1.ind", {"title", "[[sect1"});
    ASSERT_TRUE(f.loadLesson(1));
    EXPECT_EQ(f.p.course.sectionNames, Lines{""});
    EXPECT_EQ(f.p.course.sectionUnitCount[1], 0);
}

TEST(Lesson, MissingFolderKeepsTheSectionListAndMissingIndexEmptiesIt) {
    LessonFixture f;
    f.putLines("Eq1\\eq1.ind", {"t", "[[s", "kept", "<<", "u", ">>"});
    ASSERT_TRUE(f.loadLesson(1));
    f.p.course.lessonFolder[1] = "Gone\\";
    Report r = f.loadLesson(1);
    EXPECT_FALSE(r);
    EXPECT_EQ(f.p.course.sectionNames, Lines{"kept"});
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"ディレクトリ C:\\course\\Gone\\ が見つかりません"});

    f.p.course.lessonFolder[1] = "Eq1\\";
    f.p.course.lessonBase[1] = "other";
    r = f.loadLesson(1);
    EXPECT_FALSE(r);
    EXPECT_TRUE(f.p.course.sectionNames.empty());
    EXPECT_EQ(f.p.course.currentLesson, 0);
    EXPECT_TRUE(f.p.course.sectionUnits[1].empty()); // no unit line of the old lesson is left
    EXPECT_EQ(f.p.course.sectionUnitCount[1], 0);
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"ファイル C:\\course\\Eq1\\other.ind が見つかりません"});
}

TEST(Lesson, MoreThanEightySectionsIsARangeError) {
    LessonFixture f;
    std::vector<std::string> lines{"t"};
    for (int s = 1; s <= 81; ++s)
        for (const char* l : {"[[sect", "name", "<<", "u", ">>", "]]"})
            lines.push_back(std::string(l) + (l[0] == '[' ? std::to_string(s) : ""));
    f.putLines("Eq1\\eq1.ind", lines);
    const Report r = f.loadLesson(1);
    EXPECT_FALSE(r);
    EXPECT_EQ(f.p.course.sectionNames.size(), 80u);
    EXPECT_EQ(f.p.course.sectionUnitCount[80], 1);
    EXPECT_EQ(reported(f, r),
              std::vector<std::string>{"C:\\course\\Eq1\\eq1.ind:主メニューは80個までです"});
}

TEST(Lesson, ChoosingAnotherLessonReplacesTheSections) {
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "A,A\\ a", "B,B\\ b"});
    f.putLines("A\\a.ind", {"t", "[[1", "a1", "<<", "x", "y", ">>", "[[2", "a2", "<<", "z", ">>"});
    f.putLines("B\\b.ind", {"t", "[[1", "b1", "<<", ">>"});
    ASSERT_TRUE(f.loadList());
    ASSERT_TRUE(f.loadLesson(1));
    ASSERT_TRUE(f.loadLesson(2));
    EXPECT_EQ(f.p.course.sectionNames, Lines{"b1"});
    EXPECT_EQ(f.p.course.sectionUnitCount[1], 0);
    EXPECT_EQ(f.p.course.sectionUnitCount[2], 0);
    EXPECT_TRUE(f.p.course.sectionUnits[2].empty());
}
