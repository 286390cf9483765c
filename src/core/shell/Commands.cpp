#include "shell/Commands.h"

#include <algorithm>

#include "Program.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "shell/SaveSteps.h"
#include "shell/Settings.h"
#include "text/Sjis.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

bool RefuseWhileWorksheetsOpen(Program& p) {
    if (p.sheets.count <= 0) return false;
    p.platform.prompter.message(J("開いているファイルをすべて閉じてください"));
    return true;
}

int FindWindowKey(const Program& p, const std::string& key) {
    const auto& keys = p.sheets.windowList;
    auto it = std::find(keys.begin(), keys.end(), key);
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

void CloseAllWorksheets(Program& p, const std::function<bool(Worksheet&)>& closeOne) {
    // lstDummyX: the keys as they stand now; closing changes the list itself. A worksheet
    // is found by its key, not its caption, since editing the copy retitles the window.
    const std::vector<std::string> keys = p.sheets.windowList;
    for (const std::string& key : keys)
        if (Worksheet* sheet = FindWorksheet(p, key)) closeOne(*sheet);
}

void RunStudy(Program& p, const StudyHooks& hooks) {
    if (!hooks.practice) return;
    Worksheet* sheet = p.sheets.current;
    const bool hadSheet = sheet != nullptr;
    if (hadSheet) {
        if (hooks.scrollToTop) hooks.scrollToTop(*sheet);
    } else {
        if (!hooks.openMaster || !hooks.openMaster()) return;
        sheet = p.sheets.current;
        if (!sheet) return;
        p.controls.settei.spnKranWX = sheet->kranSettings().width;
        sheet->Modified = false;
    }
    const bool shown = p.sheets.answersShown;
    p.sheets.answersShown = false;
    sheet->PrintLearner = true;
    hooks.practice(*sheet);
    // Back to the saved state through the 解答表示 command.
    p.sheets.answersShown = !shown;
    ToggleShowAnswers(p);
    if (hooks.answersChanged) hooks.answersChanged();
    // The worksheet this run opened is closed again, if the practice left it open.
    const auto& open = p.sheets.open;
    const bool stillOpen =
        std::any_of(open.begin(), open.end(), [&](const auto& s) { return s.get() == sheet; });
    if (!hadSheet && stillOpen && hooks.closeSheet) hooks.closeSheet(*sheet);
}

bool SaveWorksheetAs(Program& p, Worksheet& w, const ChooseSavePath& choose) {
    const std::string start =
        LessonFolderPath(p.course, w.unitRef.Lesson < 1 ? 1 : w.unitRef.Lesson);
    for (;;) {
        std::optional<std::string> path = choose(start);
        if (!path) return false;
        std::optional<std::string> accepted = AcceptWorksheetPath(p, *path);
        if (accepted) return SaveWorksheetTo(p, w, *accepted, true);
    }
}

std::string SchoolNameToEdit(const Program& p, const std::string& lastText) {
    return p.sheets.count > 0 ? p.session.schoolName : lastText;
}

void SetSchoolName(Program& p, Settings& settings, const std::string& name) {
    p.session.schoolName = name;
    settings.setSchool(name);
    if (p.sheets.current) Relayout(p, *p.sheets.current);
}
