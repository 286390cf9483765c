#pragma once
// The life of a worksheet document: created from the unit parse buffer, reloaded after
// units are added or the copy is edited, activated, asked to close and closed. The
// documents live in the program's worksheet state; each window shows one.

#include <functional>
#include <string>

#include "worksheet/Worksheet.h"

struct Workspace;

// Where a new worksheet comes from.
struct SheetOrigin {
    UnitRef ref;
    std::string lessonName, sectionName, unitName; // the unit's names in the course index
    std::string windowKey;                         // caption and window-list entry
    std::string printName;                         // strPrintName
};

// Lays the worksheet out again on its own page image (through the window's hook).
// Nothing happens while LayoutEnabled is off or no worksheet is current.
void Relayout(Workspace& program, Worksheet& sheet);

// Creates a worksheet from the parse buffer. LayoutEnabled is left off; activating the
// worksheet sets it again and lays the page out. The created hook runs last.
Worksheet& CreateWorksheet(Workspace& program, const SheetOrigin& origin);

// After units were appended into the buffer (which had first been loaded from the
// worksheet): title, school, name line, question lines and both graph lists with their
// pictures come from the buffer; triples beyond those held before the append (the
// reader's count for question graphs, the worksheet's own for answer graphs) keep only
// the file name and are placed automatically ("-1"). Marks the worksheet modified, retitles
// it with the composed title and lays it out again.
void ReloadAfterAppend(Workspace& program, Worksheet& sheet);

// After the copy was edited into the buffer: title, school, name line and question lines
// come from the buffer; marks modified, retitles and lays out again.
void ReloadAfterEdit(Workspace& program, Worksheet& sheet);

// Makes the worksheet current and, once start-up is done, pushes its values into the
// controls without marking it modified; then lays it out again and runs the activated hook.
// In student mode the worksheet's answers stay hidden.
void ActivateWorksheet(Workspace& program, Worksheet& sheet);

// The open worksheet whose window key is key, or null.
Worksheet* FindWorksheet(Workspace& program, const std::string& key);

// Asks "<caption>を保存しますか？" when the worksheet is modified. Yes runs save (which
// returns whether it saved), No allows closing, Cancel keeps the worksheet open.
// Returns whether the worksheet may close.
bool CloseRequest(Workspace& program, Worksheet& sheet,
                  const std::function<bool(Worksheet&)>& save);

// Closes the worksheet: the closing hook runs first; then the window-list entry is
// removed, no worksheet is current, the count lowered, the document freed (references to
// it become invalid).
void CloseWorksheet(Workspace& program, Worksheet& sheet);

// CloseRequest followed by CloseWorksheet when allowed; returns whether it closed.
bool TryCloseWorksheet(Workspace& program, Worksheet& sheet,
                       const std::function<bool(Worksheet&)>& save);
