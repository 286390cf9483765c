#include <gtest/gtest.h>

#include <set>

#include "CourseFixture.h"
#include "learners/LearnerFiles.h"
#include "text/Sjis.h"

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

// A read-only course keeps its learners' files in the records folder, one per learner and
// lesson. "taro1" in lesson 1 and "taro" in lesson 11 each have their own file, password
// and records.
TEST(LearnerFiles, RecordsFolderFilesOfTwoLearnersAndLessonsNeverCollide) {
    CourseFixture f;
    f.p.course.cdMode = true;
    f.p.course.lessonNames = Lines(12, "lesson");
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    const struct {
        const char* learner;
        int lesson;
        const char* file;
    } cases[] = {
        {"taro1", 1, "taro1(1).ini"},   {"taro", 11, "taro(11).ini"},
        {"taro11", 1, "taro11(1).ini"}, {"taro", 111, "taro(111).ini"},
        {"a(1)", 2, "a(1)(2).ini"},     {"a", 12, "a(12).ini"},
    };
    std::set<std::string> seen;
    for (const auto& c : cases) {
        const std::string file =
            LearnerFile(f.fp.files, f.p.course, S(c.learner), f.p.shell.logOnFolder, c.lesson);
        EXPECT_EQ(U(file), std::string("C:\\data\\Velmix\\LogOn\\") + c.file) << c.learner;
        EXPECT_TRUE(seen.insert(sjis::asciiLower(file)).second) << c.file;
        // The name reads back as its one learner and lesson.
        const std::vector<RecordsFolderOwner> owners = RecordsFolderOwners(S(c.file), 12);
        ASSERT_EQ(owners.size(), 1u) << c.file;
        EXPECT_EQ(U(owners[0].learner), c.learner);
        EXPECT_EQ(owners[0].lesson, c.lesson);
    }
}

// Files of older versions ("<name><lesson>.ini") are still read when only one learner and
// lesson of the course can own them; a name two could own is left to neither.
TEST(LearnerFiles, OlderRecordsFolderNamesAreKeptWhenTheyAreUnambiguous) {
    CourseFixture f;
    f.p.course.cdMode = true;
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    f.fp.files.putUtf8("C:\\data\\Velmix\\LogOn\\taro3.ini", "[password]\npw=old\n");
    f.fp.files.putUtf8("C:\\data\\Velmix\\LogOn\\taro11.ini", "[password]\npw=whose\n");
    auto file = [&](const char* learner, int lesson) {
        return U(LearnerFile(f.fp.files, f.p.course, S(learner), f.p.shell.logOnFolder, lesson));
    };
    f.p.course.lessonNames = Lines(5, "lesson");
    EXPECT_EQ(file("taro", 3), "C:\\data\\Velmix\\LogOn\\taro3.ini");
    f.p.course.lessonNames = Lines(12, "lesson");
    EXPECT_EQ(file("taro", 3), "C:\\data\\Velmix\\LogOn\\taro3.ini");
    EXPECT_EQ(file("taro", 11), "C:\\data\\Velmix\\LogOn\\taro(11).ini");
    EXPECT_EQ(file("taro1", 1), "C:\\data\\Velmix\\LogOn\\taro1(1).ini");
    // Once a newer file exists, it is the one.
    f.fp.files.putUtf8("C:\\data\\Velmix\\LogOn\\taro(3).ini", "[password]\npw=new\n");
    EXPECT_EQ(file("taro", 3), "C:\\data\\Velmix\\LogOn\\taro(3).ini");

    const struct {
        const char* file;
        int lessons;
        std::vector<std::pair<std::string, int>> owners;
    } cases[] = {
        {"taro11.ini", 12, {{"taro1", 1}, {"taro", 11}}},
        {"taro11.ini", 9, {{"taro1", 1}}},
        {"taro10.ini", 12, {{"taro", 10}}},
        {"sname.txt", 12, {}},
        {"12.ini", 12, {{"1", 2}}},
        {"(3).ini", 12, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, int>> owners;
        for (const RecordsFolderOwner& o : RecordsFolderOwners(c.file, c.lessons))
            owners.push_back({o.learner, o.lesson});
        EXPECT_EQ(owners, c.owners) << c.file << " " << c.lessons;
    }
}
