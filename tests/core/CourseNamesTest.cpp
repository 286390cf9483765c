#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "formats/CourseNames.h"

TEST(CourseNames, UnitFilesWindowKeysAndBlockHeaders) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Eq1\\";
    f.p.course.lessonBase[1] = "eq1";
    UnitNames n = UnitFileNames(f.p.course, {1, 2, 3, 1});
    EXPECT_EQ(n.queFile, "C:\\course\\Eq1\\eq12.que");
    EXPECT_EQ(n.windowKey, "C:\\course\\Eq1\\eq12.que-U3R1");
    EXPECT_EQ(n.shortKey, "eq12.que-U3R1");
    EXPECT_EQ(UnitFileNames(f.p.course, {1, 2, 3, 0}).windowKey, "C:\\course\\Eq1\\eq12.que-U3");
    EXPECT_EQ(RuidaiSuffix(0), "");
    EXPECT_EQ(RuidaiSuffix(12), "R12");
    EXPECT_EQ(UnitBlockKey({1, 2, 3, 0}), "[[unit3");
    EXPECT_EQ(UnitBlockKey({1, 2, 3, 1}), "[[unit3R1");
    // Out of the table: no entry, no crash.
    EXPECT_EQ(UnitFileNames(f.p.course, {81, 1, 1, 0}).queFile, "C:\\course\\1.que");
}

TEST(CourseNames, GraphFolderOfALessonOrTheCourse) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Fn1\\";
    f.p.course.lessonFolder[2] = "Eq1\\";
    EXPECT_EQ(GraphFolder(f.fp.files, f.p.course, 1), "");
    f.put("Graph\\g.bmp", "x");
    EXPECT_EQ(GraphFolder(f.fp.files, f.p.course, 1), "C:\\course\\Graph\\");
    f.put("Fn1\\Graph\\h.bmp", "x");
    EXPECT_EQ(GraphFolder(f.fp.files, f.p.course, 1), "C:\\course\\Fn1\\Graph\\");
    EXPECT_EQ(GraphFolder(f.fp.files, f.p.course, 0), "C:\\course\\Fn1\\Graph\\");
    EXPECT_EQ(GraphFolder(f.fp.files, f.p.course, 2), "C:\\course\\Graph\\");
}
