#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "shell/Helpers.h"
#include "shell/RecordFolders.h"

TEST(Helpers, TrimWideTrimsBlanksThenFullWidthSpaces) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"  　abc　 ", "abc"}, {"\t　　x　\r\n", "x"},
        {"　 x", " x"},  // a blank behind a full-width space stays
        {"x 　 ", "x "}, // the ASCII trim runs first, once
        {"　　", ""},          {"", ""},
        {"中　間", "中　間"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(U(TrimWide(S(c.in))), c.out) << c.in;
    std::string spaces;
    for (int i = 0; i < 300; ++i)
        spaces += S("　");
    EXPECT_TRUE(TrimWide("x" + spaces + S("表") + spaces) == "x" + spaces + S("表"));
    // "ａ@" ends in the bytes 0x81 0x40 of "　", but they belong to "ａ" and "@".
    std::string tricky = S("ａ@");
    ASSERT_EQ(tricky.substr(1), "\x81\x40");
    EXPECT_EQ(TrimWide(tricky), tricky);
}

TEST(Helpers, PadToWidthPadsToTheReferenceLength) {
    EXPECT_EQ(PadToWidth("3", "12345"), " 3   ");
    EXPECT_EQ(PadToWidth("ab", "abc"), " ab");
    EXPECT_EQ(PadToWidth("abc", "ab"), "abc");
    EXPECT_EQ(PadToWidth("abc", "abc"), "abc");
    EXPECT_EQ(PadToWidth("", "abc"), "   ");
    // An empty text gives twelve blanks at most; a text gets one blank in front.
    EXPECT_EQ(PadToWidth("", std::string(15, 'x')), std::string(12, ' '));
    EXPECT_EQ(PadToWidth("x", std::string(20, 'y')), " x" + std::string(12, ' '));
    // Lengths count bytes: a full-width answer is two per character.
    EXPECT_EQ(PadToWidth(S("３"), S("x＝３")), " " + S("３") + "  ");
}

TEST(Helpers, SplitAtHashAndSemicolon) {
    Lines l{"stale"};
    EXPECT_EQ(SplitAtHash("", l), 0);
    EXPECT_TRUE(l.empty());
    EXPECT_EQ(SplitAtHash("abc", l), 0);
    EXPECT_EQ(l, Lines{"abc"});
    EXPECT_EQ(SplitAtHash("x=#3#", l), 2);
    EXPECT_EQ(l, (Lines{"x=", "3", ""}));
    EXPECT_EQ(SplitAtHash("#", l), 1);
    EXPECT_EQ(l, (Lines{"", ""}));
    EXPECT_EQ(SplitAtHash("a#b#c#d#e", l), 4);
    EXPECT_EQ(l, (Lines{"a", "b", "c", "d", "e"}));

    EXPECT_EQ(SplitAtSemicolon("", l), 1);
    EXPECT_EQ(l, Lines{""});
    EXPECT_EQ(SplitAtSemicolon("3;x=3", l), 2);
    EXPECT_EQ(l, (Lines{"3", "x=3"}));
    EXPECT_EQ(SplitAtSemicolon(";", l), 2);
    EXPECT_EQ(l, (Lines{"", ""}));
}

TEST(Helpers, ExtensionOfIsWhatFollowsTheFileNamesLastDot) {
    struct Case {
        const char* name;
        const char* ext;
    } cases[] = {
        {"a.prp", ".prp"},           {"A.PRP", ".prp"},
        {"a.Prp", ".prp"},           {"a", ""},
        {"a.txt", ".txt"},           {"a.pr", ".pr"},
        {"a.prpx", ".prpx"},         {"unit-1.1.1.prp", ".prp"},
        {"test.v2.prp", ".prp"},     {"2026.12.07.PRP", ".prp"},
        {"x.prp.que", ".que"},       {"a.", "."},
        {"C:\\my.folder\\file", ""}, {"C:\\my.folder\\file.PRP", ".prp"},
        {"/home/u/v1.2/x", ""},      {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionOf(c.name), c.ext) << c.name;
    // "表" ends in 0x5C: it is not a folder separator.
    EXPECT_EQ(ExtensionOf(S("dir\\x.y表")), "."
                                            "y" +
                                                S("表"));
}

TEST(Helpers, AfterLastCharAndSmallTexts) {
    EXPECT_EQ(AfterLastChar('\\', "C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(AfterLastChar('\\', "plain"), "plain");
    EXPECT_EQ(AfterLastChar('\\', "end\\"), "");
    EXPECT_EQ(U(AfterLastChar('\\', S("C:\\表"))), "表");
    EXPECT_EQ(BoolText(true), "True");
    EXPECT_EQ(BoolText(false), "False");
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(2005), "2005");
    EXPECT_EQ(RuidaiSuffix(0), "");
    EXPECT_EQ(RuidaiSuffix(12), "R12");
    EXPECT_EQ(UnitBlockKey({1, 2, 3, 0}), "[[unit3");
    EXPECT_EQ(UnitBlockKey({1, 2, 3, 1}), "[[unit3R1");
}

TEST(Helpers, DatesComeFromTheClock) {
    FixedClock clock;
    clock.time = {2005, 6, 22, 9, 5, 41};
    EXPECT_EQ(U(DateTextJa(clock)), "2005年06月22日");
    EXPECT_EQ(DateTextDots(clock), "2005.06.22");
    EXPECT_EQ(TimeText(clock), "09:05");
    clock.time = {2026, 12, 31, 23, 59, 0};
    EXPECT_EQ(U(DateTextJa(clock)), "2026年12月31日");
    EXPECT_EQ(DateTextDots(clock), "2026.12.31");
    EXPECT_EQ(TimeText(clock), "23:59");
}

TEST(Helpers, ShuffleItemsSwapsWithInjectedPicks) {
    Lines l{"a", "b", "c"};
    std::vector<int> picks{2, 2, 0};
    std::size_t next = 0;
    ShuffleItems(l, [&](int count) {
        EXPECT_EQ(count, 3);
        return picks[next++];
    });
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(l, (Lines{"b", "a", "c"}));
    Lines one{"x"};
    ShuffleItems(one, [](int) -> int {
        ADD_FAILURE() << "no pick for one item";
        return 0;
    });
    // A source out of range never indexes outside the list.
    ShuffleItems(l, [](int) { return 7; });
    EXPECT_EQ(l.size(), 3u);
}

TEST(Helpers, FileAndFolderTestsSayWhatIsMissing) {
    CourseFixture f;
    f.put("Main.ind", "t\n");
    EXPECT_TRUE(FileExistsOrSay(f.p, "C:\\course\\Main.ind"));
    EXPECT_TRUE(DirectoryExistsOrSay(f.p, "C:\\course\\"));
    EXPECT_TRUE(f.messages().empty());
    EXPECT_FALSE(FileExistsOrSay(f.p, "C:\\course\\Title.BMP"));
    EXPECT_FALSE(DirectoryExistsOrSay(f.p, "C:\\course\\Eq9\\"));
    EXPECT_EQ(f.messages(),
              (std::vector<std::string>{"ファイル C:\\course\\Title.BMP が見つかりません",
                                        "ディレクトリ C:\\course\\Eq9\\ が見つかりません"}));
    f.fp.prompter.answers = {answer::No, answer::Cancel};
    EXPECT_EQ(AskYesNo(f.p, "q"), answer::No);
    EXPECT_EQ(AskYesNoCancel(f.p, "q"), answer::Cancel);
}

TEST(Helpers, UnitNamesAndRecordKeys) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Eq1\\";
    f.p.course.lessonBase[1] = "eq1";
    UnitNames n = UnitFileNames(f.p, {1, 2, 3, 1});
    EXPECT_EQ(n.queFile, "C:\\course\\Eq1\\eq12.que");
    EXPECT_EQ(n.windowKey, "C:\\course\\Eq1\\eq12.que-U3R1");
    EXPECT_EQ(n.shortKey, "eq12.que-U3R1");
    EXPECT_EQ(UnitFileNames(f.p, {1, 2, 3, 0}).windowKey, "C:\\course\\Eq1\\eq12.que-U3");
    // Out of the table: no entry, no crash.
    EXPECT_EQ(UnitFileNames(f.p, {81, 1, 1, 0}).queFile, "C:\\course\\1.que");

    // Section 1 unit 12 and section 11 unit 2 share "S112" and differ by their unit lines.
    f.p.course.sectionUnits[1] = Lines(12, "u");
    f.p.course.sectionUnits[1][11] = S("(12) 移項");
    f.p.course.sectionUnits[11] = {"a", S("(2) 代金")};
    EXPECT_EQ(U(RecordKey(f.p, {1, 1, 12, 0})), "S112(12) 移項");
    EXPECT_EQ(U(RecordKey(f.p, {1, 11, 2, 0})), "S112(2) 代金");
    EXPECT_EQ(RecordKey(f.p, {1, 1, 13, 0}), "S113");
}

TEST(Helpers, LearnerFileFallsBackToTheRecordsFolder) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Eq1\\";
    f.p.course.lessonFolder[2] = "Eq2\\";
    f.put("Eq1\\eq1.ind", "x\n");
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    EXPECT_EQ(U(LearnerFile(f.p, 1)), "C:\\course\\Eq1\\共通.ini");
    EXPECT_EQ(U(LearnerFile(f.p, 0)), "C:\\course\\Eq1\\共通.ini");
    EXPECT_EQ(U(LearnerFile(f.p, 2)), "C:\\data\\Velmix\\LogOn\\共通2.ini"); // no Eq2 folder
    f.p.shell.cdMode = true;
    EXPECT_EQ(U(LearnerFile(f.p, 1)), "C:\\data\\Velmix\\LogOn\\共通1.ini");
    EXPECT_EQ(U(LearnerFile(f.p, 99)), "C:\\data\\Velmix\\LogOn\\共通99.ini");
}

TEST(Helpers, RostersLiveInTheCourseUnlessItIsOnACdRom) {
    CourseFixture f;
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    EXPECT_EQ(LogOnFolder(f.p), f.p.shell.masterFolder + "LogOn\\");
    f.p.shell.cdMode = true;
    EXPECT_EQ(LogOnFolder(f.p), "C:\\data\\Velmix\\LogOn\\");
}

TEST(Helpers, GraphAndTempFolders) {
    CourseFixture f;
    f.p.course.lessonFolder[1] = "Fn1\\";
    f.p.course.lessonFolder[2] = "Eq1\\";
    EXPECT_EQ(GraphFolder(f.p, 1), "");
    f.put("Graph\\g.bmp", "x");
    EXPECT_EQ(GraphFolder(f.p, 1), "C:\\course\\Graph\\");
    f.put("Fn1\\Graph\\h.bmp", "x");
    EXPECT_EQ(GraphFolder(f.p, 1), "C:\\course\\Fn1\\Graph\\");
    EXPECT_EQ(GraphFolder(f.p, 0), "C:\\course\\Fn1\\Graph\\");
    EXPECT_EQ(GraphFolder(f.p, 2), "C:\\course\\Graph\\");
    EXPECT_EQ(TempFolder(f.p), "C:\\temp\\");
    f.fp.platform.tempDir = std::string(300, 't');
    EXPECT_EQ(TempFolder(f.p), std::string(255, 't') + "\\");
}

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
    f.p.shell.cdMode = true;
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
