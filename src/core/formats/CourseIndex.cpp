#include "formats/CourseIndex.h"

#include "formats/CourseNames.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"

namespace {

const char* const LessonsWord = "コースウェア";
const char* const SectionsWord = "主メニュー";

} // namespace

LessonLine ParseLessonLine(std::string_view line) {
    LessonLine out;
    std::size_t comma = sjis::find(line, ',');
    if (comma == std::string_view::npos) {
        out.menuText = "?";
        return out;
    }
    out.hasComma = true;
    out.menuText = std::string(line.substr(0, comma));
    // With 1-based positions c (comma) and b (backslash, 0 when absent): the folder is the
    // b - c bytes from byte c + 1, the base everything from byte b + 2.
    std::size_t slash = sjis::find(line, '\\');
    long c = static_cast<long>(comma) + 1;
    long b = slash == std::string_view::npos ? 0 : static_cast<long>(slash) + 1;
    if (b - c > 0) out.folder = std::string(line.substr(static_cast<std::size_t>(c), b - c));
    std::size_t baseStart = static_cast<std::size_t>(b + 1); // 0-based index of byte b + 2
    if (baseStart < line.size()) out.base = std::string(line.substr(baseStart));
    return out;
}

LessonLinesResult ReadLessonLines(const Lines& mainInd, std::span<std::string> folders,
                                  std::span<std::string> bases) {
    LessonLinesResult r;
    if (!mainInd.empty()) r.title = mainInd[0];
    std::size_t limit = std::min(folders.size(), bases.size());
    limit = limit == 0 ? 0 : limit - 1;
    for (std::size_t i = 2; i < mainInd.size() && mainInd[i] != ">>"; ++i) {
        std::size_t k = i - 1; // lesson number
        LessonLine l = ParseLessonLine(mainInd[i]);
        if (l.hasComma) {
            if (k > limit) {
                r.overflowLine = static_cast<int>(i) + 1;
                break;
            }
            folders[k] = l.folder;
            bases[k] = l.base;
        }
        r.names.push_back(l.menuText);
    }
    return r;
}

std::vector<SectionBlock> ParseLessonIndex(const Lines& lines) {
    std::vector<SectionBlock> blocks;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].compare(0, 2, "[[") == 0) {
            SectionBlock b;
            b.headerLine = static_cast<int>(i);
            if (i + 1 < lines.size()) b.name = lines[i + 1];
            i += 3;
            while (i < lines.size() && lines[i] != ">>") {
                b.units.push_back(lines[i]);
                b.unitLines.push_back(static_cast<int>(i));
                ++i;
            }
            blocks.push_back(std::move(b));
        }
        ++i;
    }
    return blocks;
}

std::string RangeErrorText(const std::string& path, const char* whatUtf8, int limit) {
    return path + ":" + sjis::fromUtf8(whatUtf8) + J("は") + std::to_string(limit) +
           J("個までです");
}

std::string LoadFailureText(const std::string& path, LoadStatus status) {
    switch (status) {
    case LoadStatus::Missing:
        return FileMissingText(path);
    case LoadStatus::Outside:
        return OutsideCourseText(path);
    default:
        return ReadErrorText(path);
    }
}

LoadStatus LoadLines(Files& files, const std::string& path, Lines& out) {
    std::string bytes;
    switch (files.read(path, bytes)) {
    case ReadStatus::Ok:
        out = lines::split(bytes);
        return LoadStatus::Ok;
    case ReadStatus::Missing:
        return LoadStatus::Missing;
    case ReadStatus::Outside:
        return LoadStatus::Outside;
    case ReadStatus::Error:
        break;
    }
    return LoadStatus::Error;
}

namespace {

// Reads a file that the caller requires: a missing or unreadable file fails with its message.
Report loadRequired(Files& files, const std::string& path, Lines& out) {
    const LoadStatus status = LoadLines(files, path, out);
    if (status == LoadStatus::Ok) return {};
    return Report::failed(LoadFailureText(path, status));
}

} // namespace

Report LoadLessonList(Files& files, CourseTables& c) {
    c.courseTitle.clear();
    c.lessonNames.clear();
    c.sectionNames.clear();
    c.currentLesson = 0;
    std::string path = c.masterFolder + "Main.ind";
    Lines mainInd;
    if (Report read = loadRequired(files, path, mainInd); !read) return read;
    LessonLinesResult r = ReadLessonLines(mainInd, c.lessonFolder, c.lessonBase);
    c.courseTitle = r.title;
    c.lessonNames = std::move(r.names);
    if (r.overflow()) return Report::failed(RangeErrorText(path, LessonsWord, MaxTableEntry));
    return {};
}

Report LoadLesson(Files& files, CourseTables& c, int lesson) {
    if (lesson < 1 || lesson > MaxTableEntry)
        return Report::failed(
            RangeErrorText(c.masterFolder + "Main.ind", LessonsWord, MaxTableEntry));
    // A lesson line of "Main.ind" may not lead out of the master folder: nothing is read
    // through it, and whether such files exist is not told either.
    if (!LessonInside(c, lesson))
        return Report::failed(
            OutsideCourseText(LessonFolderPath(c, lesson) + c.lessonBase[lesson] + ".ind"));
    const std::string folder = LessonFolderPath(c, lesson);
    if (!files.dirExists(folder)) return Report::failed(DirectoryMissingText(folder));
    // From here no lesson is loaded until this one is: the unit lists of the previous
    // lesson must not stand in for it (records keys are built from them).
    c.sectionNames.clear();
    c.currentLesson = 0;
    for (Lines& units : c.sectionUnits)
        units.clear();
    c.sectionUnitCount.fill(0);
    std::string path = LessonIndexPath(c, lesson);
    if (Report read = loadRequired(files, path, c.lessonIndexLines); !read) {
        c.lessonIndexLines.clear();
        return read;
    }

    std::vector<SectionBlock> blocks = ParseLessonIndex(c.lessonIndexLines);
    bool overflow = blocks.size() > static_cast<std::size_t>(MaxTableEntry);
    if (overflow) blocks.resize(MaxTableEntry);
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        int n = static_cast<int>(k) + 1;
        c.sectionNames.push_back(blocks[k].name);
        c.sectionUnitCount[n] = static_cast<int>(blocks[k].units.size());
        c.sectionUnits[n] = std::move(blocks[k].units);
    }
    c.currentLesson = lesson; // the tables hold this lesson's sections (the first 80)
    if (overflow) return Report::failed(RangeErrorText(path, SectionsWord, MaxTableEntry));
    return {};
}
