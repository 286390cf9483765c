#include "MenuFixture.h"

#include "learners/LearnerFiles.h"
#include "shell/Settings.h"
#include "shell/Startup.h"

namespace {

class Startup : public MenuFixture {
  protected:
    Settings settings{fp.registry, fp.prompter};
    Startup() {
        p.session.startupDone = false;
        p.shell.ruidaiScanPending = false;
        p.session.learnerName.clear();
        put("Title.BMP", "BM");
        fp.pictures.saveBmp("c:\\course\\title.bmp", Bitmap(40, 30));
    }
    std::optional<std::string> text(RegKey key, const char* name) {
        return fp.registry.readText(key, name);
    }
};

TEST(MasterFolder, GetsOneTrailingBackslash) {
    struct Case {
        std::string workingDir;
        std::string expected;
    };
    const std::string hyou = S("C:\\表"); // ends in the trail byte 0x5C
    const Case cases[] = {
        {"C:\\course", "C:\\course\\"},
        {"C:\\course\\", "C:\\course\\"},
        {hyou, hyou + "\\"},
        {"\\", "\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MasterFolderOf(c.workingDir), c.expected) << c.workingDir;
}

TEST_F(Startup, FirstRunLeavesEveryValueInTheStore) {
    StartupOutcome out = RunStartup(p, settings);
    EXPECT_EQ(out.end, StartupOutcome::End::Done);
    EXPECT_EQ(out.titlePicture.width, 40);
    EXPECT_EQ(text(RegKey::Program, "theSchool"), "");
    EXPECT_EQ(fp.registry.readBool(RegKey::Program, "ShowDoYouKnow"), true);
    EXPECT_EQ(fp.registry.readInt(RegKey::Program, "PaperSize"), 630);
    EXPECT_EQ(U(*text(RegKey::Program, "LogOnName")), "共通");
    EXPECT_EQ(fp.registry.readBool(RegKey::Program, "KeyLock"), false);
    EXPECT_EQ(text(RegKey::Shared, "RecDrive"), "C:\\");
    EXPECT_EQ(fp.registry.readBool(RegKey::Program, "PrintMode"), true);
    // The program's state after start-up: it prints at the printer's resolution.
    EXPECT_TRUE(p.sheets.printerResolution);
    EXPECT_TRUE(p.session.startupDone);
    EXPECT_TRUE(p.sheets.answersShown);
    EXPECT_TRUE(p.shell.ruidaiScanPending);
    EXPECT_EQ(U(p.session.learnerName), "共通");
    EXPECT_EQ(p.shell.logOnFolder, "C:\\data\\Velmix\\LogOn\\");
    EXPECT_TRUE(fp.files.dirExists("C:\\data\\Velmix\\LogOn"));
    EXPECT_EQ(p.course.lessonNames.size(), 2u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Startup, StoredValuesAreTaken) {
    struct Case {
        int paperSize;
        int button, width, height;
    };
    for (const Case& c :
         {Case{600, 630, 600, 849}, Case{771, 771, 771, 1090}, Case{546, 546, 546, 772}}) {
        fp.registry.writeInt(RegKey::Program, "PaperSize", c.paperSize);
        fp.registry.writeText(RegKey::Program, "theSchool", S("西中学校"));
        fp.registry.writeText(RegKey::Program, "LogOnName", S("青木"));
        fp.registry.writeBool(RegKey::Program, "KeyLock", true);
        fp.registry.writeBool(RegKey::Program, "PrintMode", false);
        RunStartup(p, settings);
        EXPECT_FALSE(p.sheets.printerResolution); // 画面に忠実に印刷する, as chosen last
        EXPECT_FALSE(p.sheets.answersShown); // locked for students: no answers
        EXPECT_EQ(p.sheets.paperChoice, c.button) << c.paperSize;
        EXPECT_EQ(p.sheets.paperWidth, c.width) << c.paperSize;
        EXPECT_EQ(p.sheets.paperHeight, c.height) << c.paperSize;
        EXPECT_EQ(U(p.session.schoolName), "西中学校");
        EXPECT_EQ(U(p.session.learnerName), "青木");
        EXPECT_TRUE(p.session.keyLock);
    }
}

TEST_F(Startup, MissingCourseIndexEndsAfterItsMessage) {
    fp.files.remove("C:\\course\\Main.ind");
    fp.files.remove("C:\\course\\Title.BMP");
    StartupOutcome out = RunStartup(p, settings);
    EXPECT_EQ(out.end, StartupOutcome::End::NoCourse);
    EXPECT_TRUE(out.titlePicture.empty());
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"ファイル C:\\course\\Title.BMP が見つかりません",
                                        "ファイル C:\\course\\Main.ind が見つかりません"}));
    EXPECT_FALSE(p.session.startupDone);
}

TEST_F(Startup, TitleThatIsNoPictureIsReportedAndStartUpGoesOn) {
    fp.pictures.stored.clear();
    StartupOutcome out = RunStartup(p, settings);
    EXPECT_EQ(out.end, StartupOutcome::End::Done);
    EXPECT_TRUE(out.titlePicture.empty());
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "ファイル C:\\course\\Title.BMP は画像として読み込めません"});
}

TEST_F(Startup, RecordsFolderFailureStopsButKeepsTheLock) {
    fp.registry.writeBool(RegKey::Program, "KeyLock", true);
    fp.files.failWrites = true;
    StartupOutcome out = RunStartup(p, settings);
    EXPECT_EQ(out.end, StartupOutcome::End::FoldersFailed);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"ディレクトリ C:\\data\\Velmix を作成できません"});
    EXPECT_TRUE(p.session.keyLock);
    EXPECT_FALSE(p.shell.ruidaiScanPending);
}

TEST_F(Startup, ReadOnlyCourseKeepsRecordsOutOfTheCourseFolder) {
    fp.files.readOnlyMedia = true;
    RunStartup(p, settings);
    EXPECT_TRUE(p.course.cdMode);
    EXPECT_TRUE(fp.files.dirExists("C:\\data\\eq1"));
    EXPECT_TRUE(fp.files.dirExists("C:\\data\\fn1"));
    EXPECT_EQ(U(learnerFile(1)), "C:\\data\\Velmix\\LogOn\\共通(1).ini");
    EXPECT_EQ(LogOnFolder(p.course, p.shell.logOnFolder), "C:\\data\\Velmix\\LogOn\\");
}

TEST_F(Startup, KeyLockIsStoredOnEveryChange) {
    RunStartup(p, settings);
    for (bool locked : {true, false, true}) {
        ApplyKeyLock(p, settings, locked);
        EXPECT_EQ(p.session.keyLock, locked);
        EXPECT_EQ(fp.registry.readBool(RegKey::Program, "KeyLock"), locked);
    }
}

} // namespace
