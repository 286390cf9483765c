#pragma once
// How a choice becomes an open worksheet: open master (the unit menu, then the unit),
// open copy (a worksheet file), add units to the open worksheet and edit its copy. The
// dialogs are reached through hooks, so the flows run without windows.

#include <functional>
#include <optional>
#include <string>

#include "text/Lines.h"

struct Program;
class Worksheet;

struct OpenMasterHooks {
    // Shows the unit menu (its mode already set); true when it closed with OK.
    std::function<bool()> showMenu;
    // The question editor on SelectedUnit in new-unit mode; true when it closed with OK.
    // Without one, a unit that cannot be read is not offered to be created.
    std::function<bool()> newUnitEditor;
};

// 開く: Main.ind must exist; shows the menu in mode "Open" and opens the chosen unit. A unit
// that is missing or refused by the reader offers to create it ("単元がありません\r\n
// 新規作成しますか?"); a file that cannot be read at all has said so, and nothing is offered.
// True when a worksheet was opened.
bool OpenMaster(Program& p, const OpenMasterHooks& hooks);

// Open copy: asks for a worksheet file until one with an acceptable extension is chosen
// (or the dialog is cancelled) and opens it. True when a worksheet was opened.
bool OpenCopy(Program& p, const std::function<std::optional<std::string>()>& chooseFile);

// 追加: appends a unit chosen in the menu (mode "Add") to the current worksheet.
enum class AddResult { NoWorksheet, Full, Cancelled, NotRead, Added };
AddResult AddUnits(Program& p, const std::function<bool()>& showMenu);

// The copy-edit dialog's fields, filled from a worksheet.
struct CopyEditFields {
    std::string title;    // edtTangen
    std::string school;   // edtSchool
    std::string nameLine; // edtShimei
    Lines questions;      // redQues
    Lines qgraph;         // memQGraph
    Lines agraph;         // memAGraph
    Lines data;           // memData: graph and page blocks as a worksheet file holds them
    int boxCount = 0;     // edtNQues: answer boxes of the last layout
};
CopyEditFields CopyEditOf(const Worksheet& w);
// Takes the edited copy: checks the blocks and the question count; on success the worksheet takes
// title, school, name line and question lines, is retitled, no longer offers 上書き保存, and is
// marked modified. False (with the message shown) when the dialog must stay open.
bool ApplyCopyEdit(Program& p, Worksheet& w, const CopyEditFields& fields);
