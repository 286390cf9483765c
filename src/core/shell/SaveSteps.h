#pragma once
// The steps of saving a worksheet: the save dialog's extension rule with its message,
// writing a worksheet file (asking before one is overwritten), and 上書き保存 into the
// unit's question unit file. Every write goes through the files service's atomic save; a
// failure is shown and changes nothing.

#include <optional>
#include <string>

struct Program;
class Worksheet;

// The extension rule of the save and open-copy dialogs (WorksheetPathFor); any other
// extension shows path + ":拡張子が不正です" and gives nullopt (the dialog is shown again).
std::optional<std::string> AcceptWorksheetPath(Program& p, const std::string& path);

// Writes the worksheet to path (".prp" appended when the file name has no extension).
// When askOverwrite is set and the file exists, asks "ファイル" + path +
// "を上書きしてもいいですか？" first; No writes nothing and returns false. The paper width
// is the program's, the kgroup lines those of the unit read last. On success the window
// list swaps the worksheet's old key for the path; window key, caption and strFileName
// become the path, Modified and the master flag are cleared. A write error shows path +
// "の保存に失敗しました" and changes nothing.
bool SaveWorksheetTo(Program& p, Worksheet& w, const std::string& path, bool askOverwrite);

// 上書き保存: writes the worksheet's unit into its question unit file (rewriting its
// blocks or appending it) and marks it unmodified; a new unit block makes the unit menu
// look for similar questions again. A file that cannot be read or written is reported and
// left as it was; the worksheet stays modified.
bool OverwriteUnit(Program& p, Worksheet& w);
