#pragma once
// Worksheet files (".prp"): a worksheet saved as one unit "[[unitX" in the unit grammar,
// read back by the unit reader in mode 1.

#include <optional>
#include <string>

#include "text/Lines.h"

struct Program;
class Worksheet;

// The lines of a worksheet file, in the order of the format: header, questions, the empty
// answer block, graphs (only when present), value (paperWidth first), font, kran (always
// ten lines), kgroup.
Lines WorksheetFileLines(const Worksheet& w, int paperWidth, const Lines& kgroup);

// Appends a block: the keyword line, the content lines and ">>".
void AppendBlock(Lines& out, const char* keyword, const Lines& content);

// The worksheet's "<<value", "<<font" and "<<kran" blocks, keyword and ">>" lines
// included, as worksheet files and question unit files hold them.
Lines PageBlockLines(const Worksheet& w, int paperWidth);

// The extension rule of the save and open-copy dialogs: the extension is what follows the
// file name's last "." ("unit-1.1.1.prp" is a worksheet file); ".prp" in any case is
// accepted and kept; a name without extension gets ".prp"; any other extension shows
// path + ":拡張子が不正です" and gives nullopt (the dialog is shown again).
std::optional<std::string> AcceptWorksheetPath(Program& p, const std::string& path);

// Writes the worksheet to path (".prp" appended when the file name has no extension).
// When askOverwrite is set and the file exists, asks "ファイル" + path +
// "を上書きしてもいいですか？" first; No writes nothing and returns false. The paper width
// is the program's, the kgroup lines those of the unit read last. On success the window
// list swaps the worksheet's old key for the path; window key, caption and strFileName
// become the path, Modified and the master flag are cleared. A write error shows path +
// "の保存に失敗しました" and changes nothing.
bool SaveWorksheetTo(Program& p, Worksheet& w, const std::string& path, bool askOverwrite);
