#include "worksheet/SheetHelpers.h"

#include <charconv>
#include <cmath>

#include "shell/Program.h"
#include "text/Sjis.h"

namespace sheethelp {

bool FileExistsOrSay(Program& program, const std::string& path) {
    if (program.platform.files.fileExists(path)) return true;
    program.platform.prompter.message(J("ファイル ") + path + J(" が見つかりません"));
    return false;
}

std::string TempFolder(const Program& program) {
    return program.platform.tempDir.substr(0, 255) + "\\";
}

std::string GraphFolder(Program& program, int lesson) {
    if (lesson < 1) lesson = 1;
    const std::string& master = program.shell.masterFolder;
    Files& files = program.platform.files;
    if (lesson <= MaxTableEntry) {
        std::string own = master + program.course.lessonFolder[lesson] + "Graph\\";
        if (files.dirExists(own)) return own;
    }
    std::string shared = master + "Graph\\";
    return files.dirExists(shared) ? shared : std::string();
}

std::string RuidaiSuffix(int n) { return n == 0 ? std::string() : "R" + std::to_string(n); }

int RoundEven(double v) { return static_cast<int>(std::lrint(v)); }

int PaperHeightFor(int width) { return RoundEven(std::sqrt(2.0) * width); }

int ReadInt(const std::string& text, int fallback) {
    std::size_t b = text.find_first_not_of(' ');
    std::size_t e = text.find_last_not_of(' ');
    if (b == std::string::npos) return fallback;
    const char* first = text.data() + b;
    const char* last = text.data() + e + 1;
    if (*first == '+') ++first;
    int v = 0;
    auto r = std::from_chars(first, last, v);
    return (r.ec == std::errc() && r.ptr == last) ? v : fallback;
}

} // namespace sheethelp
