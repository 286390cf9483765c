#pragma once
// Small shell operations the worksheet document relies on: file checks with the
// program's message, the temporary and graph folders, rounding and number reading.

#include <string>

struct Program;

namespace sheethelp {

// True when the file exists; otherwise shows "ファイル " + path + " が見つかりません".
bool FileExistsOrSay(Program& program, const std::string& path);
// The temporary folder with a trailing "\".
std::string TempFolder(const Program& program);
// The lesson's "Graph\" folder, else the master folder's, else an empty text.
std::string GraphFolder(Program& program, int lesson);
// "" for 0, else "R" followed by n.
std::string RuidaiSuffix(int n);
// Nearest integer, halves to even.
int RoundEven(double v);
// round(√2 × width): the page height that goes with a paper width.
int PaperHeightFor(int width);
// The decimal integer the text holds (blanks around it allowed), else fallback.
int ReadInt(const std::string& text, int fallback);

} // namespace sheethelp
