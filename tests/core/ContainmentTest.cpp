// A course may name only files inside its master folder: lesson folders and bases of
// "Main.ind", graph pictures of units and worksheet files, and the records files built
// from them. Names that lead out are refused before anything is read or written, with the
// same message whether or not the file out there exists.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "SheetFixture.h"
#include "checks/CourseCheck.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "shell/RecordFolders.h"
#include "text/CorePath.h"

namespace {

TEST(CorePath, NamesThatStayInsideTheirFolder) {
    struct Case {
        std::string name;
        bool inside;
    } cases[] = {
        {"", true},
        {"Eq1\\", true},
        {"Eq1\\eq1", true},
        {"a\\..\\b", true},
        {".\\a\\.\\b", true},
        {"a\\b\\..\\..\\c", true},
        {"x..y\\...\\..a", true}, // dots inside a name are no step up
        {S("表\\ソ"), true},      // trail bytes 0x5C are no separators
        {"..", false},
        {"..\\..\\somewhere", false},
        {"a\\..\\..\\b", false},
        {"a/../../b", false},
        {"\\etc\\passwd", false},
        {"/etc/passwd", false},
        {"C:\\Windows\\", false},
        {"c:x", false},
        {std::string("a\0\\..", 5), false}, // a NUL would cut the name short
        {"a\n", false},
        {"\x81/..\\..", false}, // a broken character hiding a "/"
        {"name\x81", false},    // a lead byte without its second half
    };
    for (const Case& c : cases)
        EXPECT_EQ(corepath::staysInside(c.name), c.inside) << U(c.name);
}

// Lesson lines that lead out of the master folder: the file out there exists for one of
// them and not for the other, and the user cannot tell which.
TEST(Containment, LessonsOutsideTheMasterFolderAreNotRead) {
    CourseFixture f;
    // Lesson lines: menu text, ",", folder up to its first "\\", one separator byte, base.
    f.putLines("Main.ind", {"t", "", "A,..\\ s", "B,Eq1\\ ..\\..\\gone", "C,\\ x", "D,Eq1\\ eq1"});
    f.fp.files.putUtf8("C:\\course\\..\\s.ind", "t\n[[1\nx\n<<\nu\n>>\n");
    f.putLines("Eq1\\eq1.ind", {"t", "[[1", "s", "<<", "u", ">>"});
    ASSERT_TRUE(f.loadList());
    std::vector<std::string> said;
    for (int lesson = 1; lesson <= 3; ++lesson) {
        const Report loaded = f.loadLesson(lesson);
        EXPECT_FALSE(loaded) << lesson;
        said.push_back(U(loaded.message));
        EXPECT_EQ(f.p.course.currentLesson, 0);
        EXPECT_EQ(UnitFileNames(f.p.course, {lesson, 1, 1, 0}).queFile, "");
    }
    EXPECT_EQ(said,
              (std::vector<std::string>{"C:\\course\\..\\s.ind:コースのフォルダの外を指しています",
                                        "C:\\course\\Eq1\\..\\..\\gone.ind:"
                                        "コースのフォルダの外を指しています",
                                        "C:\\course\\\\x.ind:コースのフォルダの外を指しています"}));
    EXPECT_TRUE(f.loadLesson(4));      // a sound lesson still loads
    EXPECT_TRUE(f.messages().empty()); // the reader only reports
    EXPECT_EQ(f.p.course.sectionUnits[1], Lines{"u"});
}

TEST(Containment, TheCourseCheckReportsLessonsOutside) {
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "A,..\\ s"});
    f.fp.files.putUtf8("C:\\course\\..\\s.ind", "t\n[[1\nx\n<<\nu\n>>\n");
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(U(FormatProblem(r.problems[0])),
              "Main.ind:3: ../s.ind:コースのフォルダの外を指しています");
}

using GraphFixture = SheetFixture;

// Graph names are taken below the graph folder; one that climbs out of the master folder
// or names an absolute path is refused with the same message whether its file exists.
TEST_F(GraphFixture, GraphNamesOutsideTheCourseAreRefused) {
    pictures.add("C:\\course\\Eq1\\Graph\\g.bmp", 10, 10);
    // The memory file service keeps ".." as written; the real one resolves it.
    pictures.add("C:\\course\\Eq1\\Graph\\..\\shared.bmp", 20, 20);
    pictures.add("C:\\secret.bmp", 30, 30);
    program.parse.qgraph = {"g.bmp",
                            "1",
                            "1",
                            "..\\shared.bmp",
                            "1",
                            "1",
                            "..\\..\\..\\secret.bmp",
                            "1",
                            "1",
                            "..\\..\\..\\none.bmp",
                            "1",
                            "1",
                            "\\secret.bmp",
                            "1",
                            "1"};
    Worksheet& sheet = open();
    EXPECT_EQ(sheet.qGraphPictures[0].width, 10);
    EXPECT_EQ(sheet.qGraphPictures[1].width, 20); // still inside the master folder
    for (int k = 2; k <= 4; ++k)
        EXPECT_TRUE(sheet.qGraphPictures[k].empty()) << k;
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"..\\..\\..\\secret.bmp:コースのフォルダの外を指しています",
                                        "..\\..\\..\\none.bmp:コースのフォルダの外を指しています",
                                        "\\secret.bmp:コースのフォルダの外を指しています"}));
}

TEST(Containment, TheCourseCheckReportsGraphsOutsideInUnitsAndWorksheetFiles) {
    CourseFixture f;
    f.putLines("Main.ind", {"t", "", "A,Eq1\\ eq1"});
    f.putLines("Eq1\\eq1.ind", {"t", "[[1", "s", "<<", "u", ">>"});
    f.putLines("Eq1\\eq11.que", {"[[unit1", "<<ques", "a#1#", ">>", "<<graph", "..\\..\\x.bmp", "1",
                                 "1", ">>", "]]"});
    f.putLines("Eq1\\w.prp", {"[[unitX", "<<header", "t", "s", "n", ">>", "<<ques", "a#1#", ">>",
                              "<<AGraph", "/etc/x.bmp", "1", "1", ">>", "]]"});
    CourseCheckReport r = CheckCourse(f.fp.files, "C:\\course\\");
    std::vector<std::string> lines;
    for (const auto& p : r.problems)
        lines.push_back(U(FormatProblem(p)));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Eq1/eq11.que:6: ../../x.bmp:コースのフォルダの外を指しています",
                         "Eq1/w.prp:11: /etc/x.bmp:コースのフォルダの外を指しています"}));
}

TEST(Containment, RecordsFilesStayInTheirFolders) {
    CourseFixture f;
    f.p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    f.p.course.lessonFolder[1] = "..\\..\\x\\";
    f.p.course.lessonFolder[2] = "Eq1\\";
    f.put("Eq1\\eq1.ind", "x\n");
    f.put("..\\..\\x\\a.txt", "x\n");
    // A lesson folder outside: the records folder instead.
    EXPECT_EQ(U(f.learnerFile(1)), "C:\\data\\Velmix\\LogOn\\共通(1).ini");
    EXPECT_EQ(U(f.learnerFile(2)), "C:\\course\\Eq1\\共通.ini");
    // A learner's name that leads out gives no file at all.
    f.p.session.learnerName = "..\\..\\..\\evil";
    EXPECT_EQ(f.learnerFile(1), "");
    EXPECT_EQ(f.learnerFile(2), "");
}

TEST(Containment, CdRomLessonFoldersAreMadeOnlyInsideTheWindowsFolder) {
    CourseFixture f;
    f.p.course.cdMode = true;
    f.p.course.lessonNames = {"a", "b", "c"};
    f.p.course.lessonBase[1] = "..\\..\\evil";
    f.p.course.lessonBase[2] = "\\root";
    f.p.course.lessonBase[3] = "eq3";
    ASSERT_TRUE(PrepareRecordFolders(f.p, "C:\\").ok);
    EXPECT_EQ(f.fp.files.dirs,
              (std::set<std::string>{"c:\\velmix\\", "c:\\velmix\\logon\\", "c:\\data\\eq3\\"}));
}

} // namespace
