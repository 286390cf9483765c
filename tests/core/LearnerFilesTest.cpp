#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/LearnerFiles.h"

TEST(LearnerFiles, RecordKeysTellUnitsApartByTheirLines) {
    CourseFixture f;
    // Section 1 unit 12 and section 11 unit 2 share "S112" and differ by their unit lines.
    f.p.course.sectionUnits[1] = Lines(12, "u");
    f.p.course.sectionUnits[1][11] = S("(12) 移項");
    f.p.course.sectionUnits[11] = {"a", S("(2) 代金")};
    EXPECT_EQ(U(RecordKey(f.p.course, {1, 1, 12, 0})), "S112(12) 移項");
    EXPECT_EQ(U(RecordKey(f.p.course, {1, 11, 2, 0})), "S112(2) 代金");
    EXPECT_EQ(RecordKey(f.p.course, {1, 1, 13, 0}), "S113");
}

TEST(LearnerFiles, LearnerFileFallsBackToTheRecordsFolder) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Eq1\\";
    f.p.course.lessonFolder[2] = "Eq2\\";
    f.put("Eq1\\eq1.ind", "x\n");
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    EXPECT_EQ(U(f.learnerFile(1)), "C:\\course\\Eq1\\共通.ini");
    EXPECT_EQ(U(f.learnerFile(0)), "C:\\course\\Eq1\\共通.ini");
    EXPECT_EQ(U(f.learnerFile(2)), "C:\\data\\Velmix\\LogOn\\共通(2).ini"); // no Eq2 folder
    f.p.course.cdMode = true;
    EXPECT_EQ(U(f.learnerFile(1)), "C:\\data\\Velmix\\LogOn\\共通(1).ini");
    EXPECT_EQ(U(f.learnerFile(99)), "C:\\data\\Velmix\\LogOn\\共通(99).ini");
}

TEST(LearnerFiles, RostersLiveInTheCourseUnlessItIsOnACdRom) {
    CourseFixture f;
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    EXPECT_EQ(LogOnFolder(f.p.course, f.p.shell.logOnFolder), f.p.course.masterFolder + "LogOn\\");
    f.p.course.cdMode = true;
    EXPECT_EQ(LogOnFolder(f.p.course, f.p.shell.logOnFolder), "C:\\data\\Velmix\\LogOn\\");
}
