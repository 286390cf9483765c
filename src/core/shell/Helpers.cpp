#include "shell/Helpers.h"

#include <random>

#include "shell/Program.h"
#include "text/CorePath.h"
#include "text/Sjis.h"

namespace {

const std::string& tableEntry(const std::array<std::string, 81>& table, int index) {
    static const std::string empty;
    return index >= 1 && index <= MaxTableEntry ? table[index] : empty;
}

bool isFullWidthSpace(const std::string& s, std::size_t pos) {
    return pos + 1 < s.size() && s[pos] == '\x81' && s[pos + 1] == '\x40';
}

} // namespace

std::string FileMissingText(const std::string& path) {
    return J("ファイル ") + path + J(" が見つかりません");
}

std::string DirectoryMissingText(const std::string& path) {
    return J("ディレクトリ ") + path + J(" が見つかりません");
}

std::string WriteFailureText(const std::string& path, const WriteResult& result) {
    if (result.status == WriteResult::Status::Outside) return OutsideCourseText(path);
    std::string text = path + J("の保存に失敗しました");
    if (!result.reason.empty()) text += ": " + result.reason;
    return text;
}

bool LessonInside(const Program& p, int lesson) {
    if (lesson < 1 || lesson > MaxTableEntry) return false;
    const std::string& folder = p.course.lessonFolder[lesson];
    // The base is joined to the folder for the index and question unit files.
    return corepath::staysInside(folder) &&
           corepath::staysInside(folder + p.course.lessonBase[lesson]);
}

bool FileExistsOrSay(Program& p, const std::string& path) {
    if (p.platform.files.fileExists(path)) return true;
    p.platform.prompter.message(FileMissingText(path));
    return false;
}

bool DirectoryExistsOrSay(Program& p, const std::string& path) {
    if (p.platform.files.dirExists(path)) return true;
    p.platform.prompter.message(DirectoryMissingText(path));
    return false;
}

int AskYesNo(Program& p, const std::string& text) {
    return p.platform.prompter.askYesNo(text);
}

int AskYesNoCancel(Program& p, const std::string& text) {
    return p.platform.prompter.askYesNoCancel(text);
}

std::string RuidaiSuffix(int n) {
    return n == 0 ? std::string() : "R" + std::to_string(n);
}

std::string UnitBlockKey(const UnitRef& r) {
    return "[[unit" + std::to_string(r.Unit) + RuidaiSuffix(r.Ruidai);
}

UnitNames UnitFileNames(const Program& p, const UnitRef& r) {
    const bool inTable = r.Lesson >= 1 && r.Lesson <= MaxTableEntry;
    if (inTable && !LessonInside(p, r.Lesson)) return {};
    const std::string& folder = tableEntry(p.course.lessonFolder, r.Lesson);
    const std::string& base = tableEntry(p.course.lessonBase, r.Lesson);
    std::string file = base + std::to_string(r.Section) + ".que";
    std::string tail = "-U" + std::to_string(r.Unit) + RuidaiSuffix(r.Ruidai);
    UnitNames n;
    n.queFile = p.shell.masterFolder + folder + file;
    n.windowKey = n.queFile + tail;
    n.shortKey = file + tail;
    return n;
}

std::string RecordKey(const Program& p, const UnitRef& r) {
    std::string key = "S" + std::to_string(r.Section) + std::to_string(r.Unit);
    if (r.Section >= 1 && r.Section <= MaxTableEntry) {
        const Lines& units = p.course.sectionUnits[r.Section];
        if (r.Unit >= 1 && r.Unit <= static_cast<int>(units.size())) key += units[r.Unit - 1];
    }
    return key;
}

std::string LogOnFolder(const Program& p) {
    return p.shell.cdMode ? p.shell.logOnFolder : p.shell.masterFolder + "LogOn\\";
}

std::string LearnerFile(Program& p, int lesson) {
    if (lesson < 1) lesson = 1;
    const std::string& learner = p.shell.learnerName;
    if (!p.shell.cdMode && lesson <= MaxTableEntry && LessonInside(p, lesson)) {
        const std::string& relative = p.course.lessonFolder[lesson];
        std::string folder = p.shell.masterFolder + relative;
        if (p.platform.files.dirExists(folder)) {
            if (!corepath::staysInside(relative + learner + ".ini")) return {};
            return folder + learner + ".ini";
        }
    }
    // A CD-ROM course or a missing lesson folder: the records folder prepared at start-up,
    // one file per learner and lesson.
    std::string name = learner + std::to_string(lesson) + ".ini";
    if (!corepath::staysInside(name)) return {};
    return p.shell.logOnFolder + name;
}

std::string TempFolder(const Program& p) {
    std::string t = p.platform.tempDir.substr(0, 255);
    return t + "\\";
}

std::string GraphFolder(Program& p, int lesson) {
    if (lesson < 1) lesson = 1;
    Files& files = p.platform.files;
    if (LessonInside(p, lesson)) {
        std::string own = p.shell.masterFolder + p.course.lessonFolder[lesson] + "Graph\\";
        if (files.dirExists(own)) return own;
    }
    std::string shared = p.shell.masterFolder + "Graph\\";
    if (files.dirExists(shared)) return shared;
    return {};
}

std::optional<std::string> GraphPicturePath(const Program& p, const std::string& graphFolder,
                                            const std::string& name) {
    const std::string& master = p.shell.masterFolder;
    std::string folder = graphFolder.empty() ? master : graphFolder;
    // The graph folder is the master folder's or a lesson's own: its part below the master
    // folder counts when the name climbs out of it.
    std::string below = folder.compare(0, master.size(), master) == 0 ? folder.substr(master.size())
                                                                      : std::string();
    if (corepath::isAbsolute(name) || !corepath::staysInside(below + name)) return std::nullopt;
    return folder + name;
}

std::string ExtensionOf(const std::string& name) {
    // Only the file name counts: folder names may hold dots.
    std::size_t start = 0;
    for (std::size_t i = 0; i < name.size(); i += sjis::charLen(name, i))
        if (name[i] == '\\' || name[i] == '/') start = i + 1;
    std::size_t dot = std::string::npos;
    for (std::size_t i = start; i < name.size(); i += sjis::charLen(name, i))
        if (name[i] == '.') dot = i;
    if (dot == std::string::npos) return {};
    return sjis::asciiLower(name.substr(dot));
}

std::string BoolText(bool b) {
    return b ? "True" : "False";
}

int SplitAtHash(std::string_view text, std::vector<std::string_view>& pieces) {
    pieces.clear();
    if (text.empty()) return 0;
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t hash = text.find('#', start); // "#" is never a trail byte
        if (hash == std::string_view::npos) break;
        pieces.push_back(text.substr(start, hash - start));
        ++count;
        start = hash + 1;
    }
    pieces.push_back(text.substr(start));
    return count;
}

int SplitAtSemicolon(std::string_view text, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t semi = text.find(';', start); // ";" is never a trail byte
        if (semi == std::string_view::npos) break;
        pieces.push_back(text.substr(start, semi - start));
        start = semi + 1;
    }
    pieces.push_back(text.substr(start));
    return static_cast<int>(pieces.size());
}

namespace {
int toLines(int result, const std::vector<std::string_view>& pieces, Lines& list) {
    list.assign(pieces.begin(), pieces.end());
    return result;
}
} // namespace

int SplitAtHash(const std::string& text, Lines& list) {
    std::vector<std::string_view> pieces;
    return toLines(SplitAtHash(std::string_view(text), pieces), pieces, list);
}

int SplitAtSemicolon(const std::string& text, Lines& list) {
    std::vector<std::string_view> pieces;
    return toLines(SplitAtSemicolon(std::string_view(text), pieces), pieces, list);
}

std::string TrimWide(const std::string& text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    std::string s = text.substr(b, e - b);
    std::size_t lead = 0;
    while (isFullWidthSpace(s, lead))
        lead += 2;
    s.erase(0, lead);
    // At the end, only a "　" that is a whole character counts: one walk from the start
    // finds where the run of such characters that ends the text begins.
    std::size_t run = 0;
    for (std::size_t i = 0; i < s.size(); i += sjis::charLen(s, i))
        if (!isFullWidthSpace(s, i) || sjis::charLen(s, i) != 2) run = i + sjis::charLen(s, i);
    s.erase(run);
    return s;
}

void PadToWidth(std::string_view text, std::string_view reference, std::string& out) {
    out.assign(text);
    if (text.size() >= reference.size()) return;
    if (!text.empty()) out.insert(out.begin(), ' ');
    out.append(12, ' ');
    if (out.size() > reference.size()) out.resize(reference.size());
}

std::string PadToWidth(const std::string& text, const std::string& reference) {
    std::string out;
    PadToWidth(std::string_view(text), std::string_view(reference), out);
    return out;
}

void ShuffleItems(Lines& list, const PickIndex& pick) {
    int count = static_cast<int>(list.size());
    if (count <= 1) return;
    for (int i = 0; i < count; ++i) {
        int j = pick(count);
        if (j < 0 || j >= count) continue; // a broken source never indexes out of range
        if (j != i) std::swap(list[i], list[j]);
    }
}

void ShuffleItems(Lines& list) {
    static std::mt19937 engine{std::random_device{}()};
    ShuffleItems(
        list, [](int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine); });
}

std::string AfterLastChar(char c, const std::string& text) {
    std::size_t pos = sjis::rfind(text, c);
    return pos == std::string::npos ? text : text.substr(pos + 1);
}

std::string TwoDigits(int n) {
    return (n <= 9 ? "0" : "") + std::to_string(n);
}

std::string TimeText(const DateTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

std::string TimeText(Clock& clock) {
    return TimeText(clock.now());
}

std::string DateTextJa(Clock& clock) {
    DateTime t = clock.now();
    return TwoDigits(t.year) + J("年") + TwoDigits(t.month) + J("月") + TwoDigits(t.day) + J("日");
}

std::string DateTextDots(const DateTime& t) {
    return std::to_string(t.year) + "." + TwoDigits(t.month) + "." + TwoDigits(t.day);
}

std::string DateTextDots(Clock& clock) {
    return DateTextDots(clock.now());
}
