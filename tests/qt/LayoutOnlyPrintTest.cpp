// A print job at the printer's resolution opens its worksheet without drawing the screen page,
// only laying it out: everything the printed pages take from that layout (the answer boxes,
// the text runs, the answers) is what a drawn screen page gives.
#include <gtest/gtest.h>

#include "cli/CliSession.h"
#include "formats/CourseIndex.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const std::string CourseDir = VELMIX_SOURCE_DIR "/course";

// What the layout of the unit leaves behind, as one text to compare.
std::string laidOut(const UnitRef& unit, bool drawsPage) {
    CliSession session;
    session.setDrawsPage(drawsPage);
    if (!session.openCourse(CourseDir) || !session.openUnit(unit)) return {};
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    // As the render command leaves it before printing.
    p.sheets.pageOptions.alternatives = true;
    ToggleShowAnswers(p);
    ToggleShowAnswers(p);
    Relayout(p, sheet);
    const SheetLayout& st = sheet.layout;
    std::string out = "boxes " + std::to_string(st.kranCount) + "\n";
    for (int k = 1; k <= st.kranCount; ++k) {
        const KranEntry& e = st.KranTable[k];
        for (int v : {e.x, e.y, e.width, e.answerTop, e.answerBottom, e.inkRight, e.fontSize,
                      static_cast<int>(e.answerShown)})
            out += std::to_string(v) + " ";
        out += e.answerText + "\n";
    }
    out += "runs " + std::to_string(st.runCount) + ":";
    for (int r = 1; r <= st.runCount && r < static_cast<int>(st.LinePos.size()); ++r)
        out += " " + std::to_string(st.LinePos[r].x) + "," + std::to_string(st.LinePos[r].y);
    out += "\nanswers " + std::to_string(st.answerCount) + ":";
    for (int x : st.RunStartX)
        out += " " + std::to_string(x);
    out += "\ntitle " + std::to_string(st.titleAnchor.x) + "," + std::to_string(st.titleAnchor.y);
    for (const std::string& kai : sheet.lstKai)
        out += "\n" + kai;
    return out;
}

} // namespace

TEST(LayoutOnlyPrint, TheLayoutIsThatOfADrawnScreenPage) {
    CliSession lister;
    ASSERT_TRUE(lister.openCourse(CourseDir));
    Program& lp = lister.program();
    int units = 0;
    for (int l = 1; l <= static_cast<int>(lp.course.lessonNames.size()); ++l) {
        ASSERT_TRUE(LoadLesson(lp.platform.files, lp.course, l).ok);
        for (int s = 1; s <= static_cast<int>(lp.course.sectionNames.size()); ++s)
            for (int u = 1; u <= lp.course.sectionUnitCount[s]; ++u)
                for (int r = 0; r <= 1; ++r) {
                    const UnitRef unit{l, s, u, r};
                    const std::string drawn = laidOut(unit, true);
                    if (drawn.empty()) continue; // no such similar question
                    EXPECT_EQ(laidOut(unit, false), drawn) << l << "." << s << "." << u << "." << r;
                    ++units;
                }
    }
    EXPECT_GE(units, 30);
}
