#include "shell/UnitMenu.h"

#include <algorithm>

#include "Program.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "learners/ClassGrid.h"
#include "learners/LearnerFiles.h"
#include "learners/Records.h"
#include "shell/Prompts.h"
#include "text/Sjis.h"

namespace {

// The menu's lesson is loaded into the course tables.
bool lessonLoaded(const Program& p) {
    return p.menu.lesson >= 0 && p.course.currentLesson == p.menu.lesson + 1;
}

const Lines& unitsOf(const Program& p, int section) {
    static const Lines none;
    if (section < 1 || section > MaxTableEntry) return none;
    return p.course.sectionUnits[section];
}

std::string queFileOf(const Program& p, int lesson, int section) {
    return UnitFileNames(p.course, UnitRef{lesson, section, 1, 0}).queFile;
}

bool holdsLine(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void clearRuidai(MenuState& m) {
    m.ruidaiItems.clear();
    m.ruidaiSelected.clear();
    m.ruidaiCurrent = -1;
}

} // namespace

void PrepareUnitMenu(Program& p) {
    MenuState& m = p.menu;
    if (p.shell.indexChanged) {
        SayIfAny(p, LoadLessonList(p.platform.files, p.course).message);
        p.shell.indexChanged = false;
        m.firstShowing = true;
    }
    if (!p.course.lessonNames.empty()) {
        if (m.firstShowing) {
            MenuChooseLesson(p, 0); // chooses the first section too
            m.firstShowing = false;
        } else if (m.unit >= 0 && lessonLoaded(p)) {
            MenuChooseUnit(p, m.unit);
        }
    }
    MenuClearRuidai(p);
}

bool MenuChooseLesson(Program& p, int pos) {
    MenuState& m = p.menu;
    m.lesson = pos;
    m.section = -1;
    m.unit = -1;
    m.queBuffer.clear();
    clearRuidai(m);
    const Report loaded = LoadLesson(p.platform.files, p.course, pos + 1);
    SayIfAny(p, loaded.message);
    if (!loaded) {
        // Nothing of an earlier lesson may stand in for this one.
        m.selectedUnit.Lesson = -1;
        p.course.sectionNames.clear();
        p.course.currentLesson = 0;
        return false;
    }
    if (!p.course.sectionNames.empty()) MenuChooseSection(p, 0);
    ComputeMarks(p);
    return true;
}

void MenuChooseSection(Program& p, int pos) {
    MenuState& m = p.menu;
    if (!lessonLoaded(p) || pos < 0 || pos >= static_cast<int>(p.course.sectionNames.size()))
        return;
    m.section = pos;
    m.unit = -1;
    m.queBuffer.clear();
    clearRuidai(m);
    const std::string que = queFileOf(p, m.lesson + 1, pos + 1);
    if (p.platform.files.fileExists(que)) LoadLines(p.platform.files, que, m.queBuffer);
    if (!unitsOf(p, pos + 1).empty()) MenuChooseUnit(p, 0);
}

void MenuChooseUnit(Program& p, int pos) {
    MenuState& m = p.menu;
    if (!lessonLoaded(p) || m.section < 0) return;
    const Lines& units = unitsOf(p, m.section + 1);
    if (pos < 0 || pos >= static_cast<int>(units.size())) return;
    m.unit = pos;
    clearRuidai(m);
    const std::string que = queFileOf(p, m.lesson + 1, m.section + 1);
    m.queBuffer.clear();
    if (p.platform.files.fileExists(que) &&
        LoadLines(p.platform.files, que, m.queBuffer) == LoadStatus::Ok)
        m.ruidaiItems = ListRuidai(m.queBuffer, pos + 1);
    m.ruidaiSelected.assign(m.ruidaiItems.size(), false);
}

Lines ListRuidai(const Lines& queLines, int unit) {
    Lines items;
    std::size_t from = 0;
    for (int j = 1; j <= 5; ++j) {
        const std::string name = std::to_string(unit) + "R" + std::to_string(j);
        auto found = std::find(queLines.begin() + static_cast<std::ptrdiff_t>(from), queLines.end(),
                               "[[unit" + name);
        if (found == queLines.end()) break;
        items.push_back(J("類題　") + name);
        from = static_cast<std::size_t>(found - queLines.begin()) + 1;
    }
    return items;
}

void MenuSelectRuidai(Program& p, const std::vector<int>& selected, int current) {
    MenuState& m = p.menu;
    m.ruidaiSelected.assign(m.ruidaiItems.size(), false);
    for (int i : selected)
        if (i >= 0 && i < static_cast<int>(m.ruidaiSelected.size())) m.ruidaiSelected[i] = true;
    m.ruidaiCurrent =
        current >= 0 && current < static_cast<int>(m.ruidaiItems.size()) ? current : -1;
}

void MenuClearRuidai(Program& p) {
    MenuSelectRuidai(p, {}, -1);
}

bool MenuRuidaiSelected(const Program& p) {
    const auto& s = p.menu.ruidaiSelected;
    return std::find(s.begin(), s.end(), true) != s.end();
}

void ComputeMarks(Program& p) {
    MenuState& m = p.menu;
    for (Lines& marks : m.unitMarks)
        marks.clear();
    for (Lines& marks : m.nextMarks)
        marks.clear();
    if (!lessonLoaded(p)) return;
    const int lesson = m.lesson + 1;
    // The similar questions are looked up again after start-up, after the question editor
    // and whenever the lesson differs from that of the last look-up.
    const std::string lessonKey = LessonIndexPath(p.course, lesson);
    const bool full = p.shell.ruidaiScanPending || m.marksLesson != lessonKey;
    // The learner's file is read once for every unit's count.
    const RecordBook book(p.platform.files,
                          LearnerFile(p.platform.files, p.course, p.session.learnerName,
                                      p.shell.logOnFolder, lesson));
    const int sections = static_cast<int>(p.course.sectionNames.size());
    // What to practise next is the logged-on learner's; without one no unit is marked.
    const bool learner = !p.session.learnerName.empty();
    const DateTime now = p.platform.clock.now();
    for (int d = 1; d <= sections; ++d) {
        const std::string que = queFileOf(p, lesson, d);
        Lines lines;
        if (full ? LoadLines(p.platform.files, que, lines) != LoadStatus::Ok
                 : !p.platform.files.fileExists(que))
            break;
        const Lines& units = unitsOf(p, d);
        int count = static_cast<int>(units.size());
        if (count > MaxTableEntry) {
            p.platform.prompter.message(RangeErrorText(lessonKey, "副メニュー", MaxTableEntry));
            break;
        }
        if (full) m.hasRuidai[d].assign(count, false);
        m.hasRuidai[d].resize(count, false);
        for (int e = 1; e <= count; ++e) {
            if (full) m.hasRuidai[d][e - 1] = holdsLine(lines, "[[unit" + std::to_string(e) + "R1");
            const std::string key = RecordKey(p.course, UnitRef{lesson, d, e, 0});
            const int n = book.count(key);
            m.nextMarks[d].push_back(
                learner ? NextReasonMark(PracticeNext(ProgressOf(book.records(key)), now))
                        : std::string());
            m.unitMarks[d].push_back((m.hasRuidai[d][e - 1] ? J("◎") : J("　")) + "[" +
                                     (n == 0 ? std::string(" ") : std::to_string(n)) + "]");
        }
    }
    if (full) {
        p.shell.ruidaiScanPending = false;
        m.marksLesson = lessonKey;
    }
}

std::string UnitItemText(const std::string& mark, const std::string& unitLine) {
    std::string text = mark + unitLine;
    if (unitLine.size() < UnitLineWidth) text.append(UnitLineWidth - unitLine.size(), ' ');
    return text;
}

std::string UnitItemText(const Program& p, int pos) {
    const MenuState& m = p.menu;
    if (m.section < 0) return {};
    const Lines& units = unitsOf(p, m.section + 1);
    if (pos < 0 || pos >= static_cast<int>(units.size())) return {};
    const Lines& marks = m.unitMarks[m.section + 1];
    const std::string& mark = pos < static_cast<int>(marks.size()) ? marks[pos] : std::string();
    return UnitItemText(mark, units[pos]);
}

std::string UnitNextMark(const Program& p, int pos) {
    const MenuState& m = p.menu;
    if (m.section < 0 || m.section + 1 > MaxTableEntry) return {};
    const Lines& marks = m.nextMarks[m.section + 1];
    return pos >= 0 && pos < static_cast<int>(marks.size()) ? marks[pos] : std::string();
}

bool MenuChooseNextPractice(Program& p) {
    const MenuState& m = p.menu;
    for (int d = 1; d <= MaxTableEntry; ++d) {
        const Lines& marks = m.nextMarks[d];
        const auto at = std::find_if(marks.begin(), marks.end(),
                                     [](const std::string& s) { return !s.empty(); });
        if (at == marks.end()) continue;
        MenuChooseSection(p, d - 1);
        MenuChooseUnit(p, static_cast<int>(at - marks.begin()));
        return true;
    }
    p.platform.prompter.message(J("次に練習する単元はありません"));
    return false;
}

bool ConfirmUnitChoice(Program& p) {
    MenuState& m = p.menu;
    if (!lessonLoaded(p) || m.section < 0 || m.unit < 0) {
        p.platform.prompter.message(J("メニューを選択してください"));
        return false;
    }
    const Lines& units = unitsOf(p, m.section + 1);
    m.selectedNames = UnitTitleNames{p.course.lessonNames[m.lesson],
                                     p.course.sectionNames[m.section], units[m.unit]};
    int ruidai = 0;
    m.ruidaiChosen = MenuRuidaiSelected(p);
    if (m.ruidaiChosen) {
        // The item holding the focus; the first selected one when none does.
        int current = m.ruidaiCurrent;
        if (current < 0 || !m.ruidaiSelected[current])
            current =
                static_cast<int>(std::find(m.ruidaiSelected.begin(), m.ruidaiSelected.end(), true) -
                                 m.ruidaiSelected.begin());
        ruidai = current + 1;
    }
    m.selectedUnit = UnitRef{m.lesson + 1, m.section + 1, m.unit + 1, ruidai};
    return true;
}
