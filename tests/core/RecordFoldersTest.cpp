#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "shell/RecordFolders.h"

TEST(RecordFolders, CreatesTheLogOnFolderOnTheRecordsDrive) {
    CourseFixture f;
    FolderResult r = PrepareRecordFolders(f.p, "D:\\rec");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(f.p.shell.recordsDrive, "D:\\rec\\");
    EXPECT_EQ(f.p.shell.logOnFolder, "D:\\rec\\Velmix\\LogOn\\");
    EXPECT_EQ(f.p.shell.windowsFolder, "C:\\data\\");
    EXPECT_TRUE(f.fp.files.dirExists("D:\\rec\\Velmix"));
    EXPECT_TRUE(f.fp.files.dirExists("D:\\rec\\Velmix\\LogOn"));
    EXPECT_FALSE(f.fp.files.dirExists("C:\\data\\eq1")); // not a CD-ROM
    EXPECT_TRUE(f.messages().empty());
}

TEST(RecordFolders, CdRomCourseGetsLessonFoldersInTheWindowsFolder) {
    CourseFixture f;
    f.p.course.cdMode = true;
    f.p.course.lessonNames = {"a", "b"};
    f.p.course.lessonBase[1] = "eq1";
    f.p.course.lessonBase[2] = "eq2";
    EXPECT_TRUE(PrepareRecordFolders(f.p, "C:\\").ok);
    EXPECT_TRUE(f.fp.files.dirExists("C:\\data\\eq1"));
    EXPECT_TRUE(f.fp.files.dirExists("C:\\data\\eq2"));
}

TEST(RecordFolders, AFolderThatCannotBeCreatedIsReportedNotThrown) {
    CourseFixture f;
    f.fp.files.failWrites = true;
    FolderResult r = PrepareRecordFolders(f.p, "E:\\");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(U(r.message), "ディレクトリ E:\\Velmix を作成できません");
    EXPECT_EQ(f.messages(), std::vector<std::string>{U(r.message)});
    EXPECT_EQ(f.p.shell.logOnFolder, "");
}
