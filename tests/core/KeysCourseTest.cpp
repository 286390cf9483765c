// The bundled course's own keys as they stand, every checked key changed by hand, and the
// course check with keys.
#include <gtest/gtest.h>

#include <map>

#include "BundledCourse.h"
#include "CourseFixture.h"
#include "checks/CourseCheck.h"
#include "keys/KeyCheck.h"

namespace {

UnitKeyCheck checkUnit(const std::vector<std::string>& ques) {
    const LineViews views = lines::views(ques);
    return CheckUnitKeys(views);
}

TEST(KeysCourse, TheBundledCourseKeysAreRightAndItsEquationUnitsChecked) {
    std::map<std::string, KeyTally> perFile;
    for (const CourseUnit& u : courseUnits()) {
        const UnitKeyCheck c = checkUnit(u.ques);
        for (const KeyFinding& f : c.findings)
            ADD_FAILURE() << u.file << ": " << U(u.ques[static_cast<std::size_t>(f.line)]) << ": "
                          << U(f.message);
        perFile[u.file] += c.tally;
    }
    // Equations, proportions, pairs and lines: every key.
    for (const char* file : {"Eq1/eq11.que", "Eq1/eq14.que", "Eq2/eq21.que", "Fn1/fn11.que"}) {
        EXPECT_GT(perFile[file].checked, 0) << file;
        EXPECT_EQ(perFile[file].notChecked, 0) << file;
    }
    // Word problems and terms: none is guessed.
    for (const char* file : {"Eq1/eq13.que", "Eq2/eq22.que"}) {
        EXPECT_EQ(perFile[file].checked, 0) << file;
        EXPECT_GT(perFile[file].notChecked, 0) << file;
    }
}

TEST(KeysCourse, EveryCheckedKeyChangedByHandIsReportedAtItsLine) {
    int caught = 0, checked = 0;
    for (const CourseUnit& u : courseUnits()) {
        const UnitKeyCheck before = checkUnit(u.ques);
        checked += before.tally.checked;
        for (std::size_t line = 0; line < u.ques.size(); ++line) {
            const std::string& l = u.ques[line];
            // Each answer of the line in turn: its main alternative plus one.
            for (std::size_t open = l.find('#'); open != std::string::npos;) {
                const std::size_t close = l.find('#', open + 1);
                if (close == std::string::npos) break;
                std::size_t end = std::min(l.find(';', open + 1), close);
                while (end > open + 1 && l[end - 1] == ' ')
                    --end;
                std::vector<std::string> changed = u.ques;
                changed[line].insert(end, "+1");
                const UnitKeyCheck after = checkUnit(changed);
                // Whether the key was checked: a key that is no value then counts as not
                // checked.
                std::vector<std::string> probe = u.ques;
                probe[line].replace(open + 1, end - open - 1, "?");
                if (checkUnit(probe).tally.checked == before.tally.checked - 1) {
                    // A checked key: it is now wrong, and reported at its line.
                    EXPECT_EQ(after.tally.wrong, before.tally.wrong + 1) << U(changed[line]);
                    bool atLine = false;
                    for (const KeyFinding& f : after.findings)
                        atLine |=
                            f.kind == KeyFinding::Kind::Wrong && f.line == static_cast<int>(line);
                    EXPECT_TRUE(atLine) << U(changed[line]);
                    ++caught;
                } else {
                    // A key that was not checked stays so, and is never called wrong.
                    EXPECT_EQ(after.tally.wrong, before.tally.wrong) << U(changed[line]);
                }
                open = close + 1 < l.size() ? l.find('#', close + 1) : std::string::npos;
            }
        }
    }
    EXPECT_EQ(caught, checked);
    EXPECT_GT(caught, 200);
}

TEST(KeysCourse, TheCourseCheckReportsKeysOnlyWhenAsked) {
    CourseFixture f;
    f.putLines("Main.ind", {"数学", "", "方程式,Eq1\\ eq1"});
    f.putLines("Eq1\\eq1.ind", {"t", "[[sect1", "s", "<<", "(1) a", ">>", "]]"});
    const std::vector<std::string> unit = unitBlock(
        "[[unit1", {"@B次の方程式を解きなさい。", "(1)　2x＝6　x＝#3#", "(2)　x+4=9　x=#4#"});
    const std::vector<std::string> similar =
        unitBlock("[[unit1R1", {"(1)　3x＝6　x＝#3#", "(2) ある数は #4#"});
    f.putLines("Eq1\\eq11.que", concat({unit, similar}));

    const CourseCheckReport plain = CheckCourse(f.fp.files, "C:\\course\\");
    EXPECT_TRUE(plain.problems.empty());
    EXPECT_EQ(plain.keys.checked + plain.keys.notChecked, 0);

    const CourseCheckReport r =
        CheckCourse(f.fp.files, "C:\\course\\", {.keys = true, .pages = {}});
    std::vector<std::string> lines;
    for (const CheckProblem& p : r.problems) {
        EXPECT_TRUE(p.key);
        lines.push_back(U(FormatProblem(p)));
    }
    const std::string wrong = "解答が式と合いません（正しくは ";
    EXPECT_EQ(lines, (std::vector<std::string>{"Eq1/eq11.que:5: " + wrong + "5）",
                                               "Eq1/eq11.que:40: " + wrong + "2）"}));
    EXPECT_EQ(r.keys.checked, 3);
    EXPECT_EQ(r.keys.wrong, 2);
    EXPECT_EQ(r.keys.notChecked, 1);
}

} // namespace
