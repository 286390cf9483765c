#pragma once
// Worksheet files (".prp"): a worksheet saved as one unit "[[unitX" in the unit grammar,
// read back by the unit reader in mode 1.

#include <optional>
#include <string>

#include "text/Lines.h"

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
// accepted and kept; a name without extension gets ".prp"; any other extension gives
// nothing (the dialog says BadExtensionText and asks again).
std::optional<std::string> WorksheetPathFor(const std::string& path);
// path + ":拡張子が不正です".
std::string BadExtensionText(const std::string& path);
