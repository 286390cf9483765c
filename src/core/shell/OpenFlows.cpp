#include "shell/OpenFlows.h"

#include "Program.h"
#include "authoring/UnitBlock.h"
#include "formats/CourseNames.h"
#include "formats/UnitReader.h"
#include "shell/Commands.h"
#include "shell/Prompts.h"
#include "text/Sjis.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/Paper.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"

namespace {

// The copy-edit fields into the buffer a worksheet reloads from (or is extended from):
// header texts and questions, and the graphs when asked.
void toBuffer(Program& p, const CopyEditFields& f, bool graphs) {
    ParseBuffer& b = p.parse;
    b.title = f.title;
    b.school = f.school;
    b.nameField = f.nameLine;
    b.questions = f.questions;
    if (!graphs) return;
    b.qgraph = f.qgraph;
    b.agraph = f.agraph;
}

} // namespace

bool OpenMaster(Program& p, const OpenMasterHooks& hooks) {
    if (!FileExistsOrSay(p, p.course.masterFolder + "Main.ind")) return false;
    p.sheets.answersShown = true;
    p.menu.mode = MenuState::Mode::Open;
    if (!hooks.showMenu || !hooks.showMenu()) return false;
    const MenuState& m = p.menu;
    OpenResult r = OpenUnit(p, m.selectedUnit, m.selectedNames, false, m.ruidaiChosen);
    if (r == OpenResult::Opened) return true;
    if (r != OpenResult::NotRead || !hooks.newUnitEditor) return false;
    if (AskYesNo(p, J("単元がありません\r\n新規作成しますか?")) != answer::Yes) return false;
    if (!hooks.newUnitEditor()) return false;
    r = OpenUnit(p, m.selectedUnit, m.selectedNames, false, m.ruidaiChosen);
    SelectPaper(p, 630);
    return r == OpenResult::Opened;
}

bool OpenCopy(Program& p, const std::function<std::optional<std::string>()>& chooseFile) {
    for (;;) {
        std::optional<std::string> path = chooseFile();
        if (!path) return false;
        OpenResult r = OpenWorksheetFile(p, *path);
        if (r != OpenResult::BadPath) return r == OpenResult::Opened;
    }
}

AddResult AddUnits(Program& p, const std::function<bool()>& showMenu) {
    Worksheet* w = p.sheets.current;
    if (!w) {
        p.platform.prompter.message(J("追加する元のファイルがありません"));
        return AddResult::NoWorksheet;
    }
    toBuffer(p, CopyEditOf(*w), true);
    if (w->lstQGraph.size() >= 3 * static_cast<std::size_t>(MaxGraphs)) {
        p.platform.prompter.message(J("これ以上追加できません"));
        return AddResult::Full;
    }
    p.menu.mode = MenuState::Mode::Add;
    const bool chosen = showMenu && showMenu();
    p.menu.mode = MenuState::Mode::Open;
    if (!chosen) return AddResult::Cancelled;

    const UnitRef& ref = p.menu.selectedUnit;
    UnitReadRequest request;
    request.path = UnitFileNames(p.course, ref).queFile;
    request.header = UnitBlockKey(ref);
    request.unit = ref.Unit;
    request.section = ref.Section;
    request.mode = UnitReadMode::Append;
    request.names = p.menu.selectedNames;
    request.target =
        AppendTarget{w->strTangen,       w->strTitleBase, w->masterFlag,
                     w->unitRef.Section, w->unitRef.Unit, static_cast<int>(w->lstQGraph.size())};
    UnitReadResult read = ReadUnit(p.platform.files, p.parse, p.fileLines, request);
    if (!read.ok()) {
        // A partly read buffer never reaches the worksheet.
        p.platform.prompter.message(read.message.empty() ? J("単元がありません") : read.message);
        return AddResult::NotRead;
    }
    ReloadAfterAppend(p, *w);
    return AddResult::Added;
}

CopyEditFields CopyEditOf(const Worksheet& w) {
    CopyEditFields f;
    f.title = w.strTangen;
    f.school = w.strSchool;
    f.nameLine = w.strShimei;
    f.questions = w.lstQues;
    f.qgraph = w.lstQGraph;
    f.agraph = w.lstAGraph;
    if (!w.lstQGraph.empty()) AppendBlock(f.data, "<<graph", w.lstQGraph);
    if (!w.lstAGraph.empty()) AppendBlock(f.data, "<<AGraph", w.lstAGraph);
    Lines page = PageBlockLines(w, w.paper.Width);
    f.data.insert(f.data.end(), page.begin(), page.end());
    f.boxCount = w.layout.kranCount;
    return f;
}

bool ApplyCopyEdit(Program& p, Worksheet& w, const CopyEditFields& fields) {
    std::string problem = CheckPageBlocks(fields.data);
    if (problem.empty() && fields.questions.size() > static_cast<std::size_t>(MaxQuestionLines))
        problem = J("問題の行は６０行以下です");
    if (!problem.empty()) {
        p.platform.prompter.message(problem);
        return false;
    }
    toBuffer(p, fields, false);
    ReloadAfterEdit(p, w);
    return true;
}
