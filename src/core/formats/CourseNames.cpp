#include "formats/CourseNames.h"

#include "text/CorePath.h"

namespace {

const std::string& tableEntry(const std::array<std::string, 81>& table, int index) {
    static const std::string empty;
    return index >= 1 && index <= MaxTableEntry ? table[index] : empty;
}

} // namespace

std::string RuidaiSuffix(int n) {
    return n == 0 ? std::string() : "R" + std::to_string(n);
}

std::string UnitBlockKey(const UnitRef& r) {
    return "[[unit" + std::to_string(r.Unit) + RuidaiSuffix(r.Ruidai);
}

bool LessonInside(const CourseTables& course, int lesson) {
    if (lesson < 1 || lesson > MaxTableEntry) return false;
    const std::string& folder = course.lessonFolder[lesson];
    // The base is joined to the folder for the index and question unit files.
    return corepath::staysInside(folder) &&
           corepath::staysInside(folder + course.lessonBase[lesson]);
}

UnitNames UnitFileNames(const CourseTables& course, const UnitRef& r) {
    const bool inTable = r.Lesson >= 1 && r.Lesson <= MaxTableEntry;
    if (inTable && !LessonInside(course, r.Lesson)) return {};
    const std::string& folder = tableEntry(course.lessonFolder, r.Lesson);
    const std::string& base = tableEntry(course.lessonBase, r.Lesson);
    std::string file = base + std::to_string(r.Section) + ".que";
    std::string tail = "-U" + std::to_string(r.Unit) + RuidaiSuffix(r.Ruidai);
    UnitNames n;
    n.queFile = course.masterFolder + folder + file;
    n.windowKey = n.queFile + tail;
    n.shortKey = file + tail;
    return n;
}

std::string LessonFolderPath(const CourseTables& course, int lesson) {
    if (lesson < 1 || lesson > MaxTableEntry) return course.masterFolder;
    return course.masterFolder + course.lessonFolder[lesson];
}

std::string LessonIndexPath(const CourseTables& course, int lesson) {
    if (lesson < 1 || lesson > MaxTableEntry) return course.masterFolder + ".ind";
    return LessonFolderPath(course, lesson) + course.lessonBase[lesson] + ".ind";
}

std::string GraphFolder(Files& files, const CourseTables& course, int lesson) {
    if (lesson < 1) lesson = 1;
    if (LessonInside(course, lesson)) {
        std::string own = course.masterFolder + course.lessonFolder[lesson] + "Graph\\";
        if (files.dirExists(own)) return own;
    }
    std::string shared = course.masterFolder + "Graph\\";
    if (files.dirExists(shared)) return shared;
    return {};
}

std::optional<std::string> GraphPicturePath(const std::string& master,
                                            const std::string& graphFolder,
                                            const std::string& name) {
    std::string folder = graphFolder.empty() ? master : graphFolder;
    // The graph folder is the master folder's or a lesson's own: its part below the master
    // folder counts when the name climbs out of it.
    std::string below = folder.compare(0, master.size(), master) == 0 ? folder.substr(master.size())
                                                                      : std::string();
    if (corepath::isAbsolute(name) || !corepath::staysInside(below + name)) return std::nullopt;
    return folder + name;
}
