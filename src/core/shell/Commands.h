#pragma once
// The logic of the main window's commands that is not a single call into another part:
// the study run, closing every worksheet, the window list, the school name and the
// refusals. The main window's handlers call these and show the result.

#include <functional>
#include <optional>
#include <string>

struct Program;
class Settings;
class Worksheet;

// 目次作成 while worksheets are open: says "開いているファイルをすべて閉じてください" and
// returns true.
bool RefuseWhileWorksheetsOpen(Program& p);

// すべて閉じる: closes the worksheet of every listed key, key by key, through closeOne
// (which runs the worksheet's close query; a worksheet kept open stays listed).
void CloseAllWorksheets(Program& p, const std::function<bool(Worksheet&)>& closeOne);

// The study command (学習 or Enter). Each hook is the window side of one step.
struct StudyHooks {
    std::function<bool()> openMaster;            // open a unit through the menu
    std::function<void(Worksheet&)> scrollToTop; // the open worksheet's page to the top
    std::function<void(Worksheet&)> practice;    // the practice window, modal
    std::function<void(Worksheet&)> closeSheet;  // close the worksheet the run opened
    std::function<void()> answersChanged;        // show the 解答表示 button's new state
};
// Without a worksheet a unit is opened first (and closed again afterwards); the learner's
// name goes on the page and the answers are hidden for the run and restored after it.
// Without a practice window nothing happens.
void RunStudy(Program& p, const StudyHooks& hooks);

// 名前を付けて保存: asks for a file name (starting in the worksheet's lesson folder) until
// one with an acceptable extension is given or the dialog is cancelled, then saves the
// worksheet there, asking before a file is overwritten. True when it was saved.
using ChooseSavePath = std::function<std::optional<std::string>(const std::string& startFolder)>;
bool SaveWorksheetAs(Program& p, Worksheet& w, const ChooseSavePath& choose);

// The school name printed on every worksheet: the text to edit (the stored name while a
// worksheet is open, else the text of its last use), and setting a new one.
std::string SchoolNameToEdit(const Program& p, const std::string& lastText);
void SetSchoolName(Program& p, Settings& settings, const std::string& name);
