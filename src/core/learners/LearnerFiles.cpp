#include "learners/LearnerFiles.h"

#include "formats/CourseNames.h"
#include "text/CorePath.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

#include <algorithm>
#include <cctype>

std::string RecordKey(const UnitRef& r, const std::string& unitLine) {
    return "S" + std::to_string(r.Section) + std::to_string(r.Unit) + unitLine;
}

std::string RecordKey(const CourseTables& course, const UnitRef& r) {
    std::string key = "S" + std::to_string(r.Section) + std::to_string(r.Unit);
    if (r.Section >= 1 && r.Section <= MaxTableEntry) {
        const Lines& units = course.sectionUnits[r.Section];
        if (r.Unit >= 1 && r.Unit <= static_cast<int>(units.size())) key += units[r.Unit - 1];
    }
    return key;
}

std::string RecordsFolderFileName(const std::string& learner, int lesson) {
    return learner + "(" + std::to_string(lesson) + ").ini";
}

std::vector<RecordsFolderOwner> RecordsFolderOwners(const std::string& fileName, int lessons) {
    std::vector<RecordsFolderOwner> out;
    if (fileName.size() <= 4 || !sjis::equalsIgnoreAsciiCase(ExtensionOf(fileName), ".ini"))
        return out;
    const std::string stem = fileName.substr(0, fileName.size() - 4);
    std::size_t digits = 0;
    while (digits < stem.size() && digits < 6 && std::isdigit(static_cast<unsigned char>(
                                                     stem[stem.size() - 1 - digits])))
        ++digits;
    if (digits > 0) {
        // The older form: name and lesson number side by side, as many ways as it splits.
        for (std::size_t d = 1; d <= digits && d < stem.size(); ++d) {
            const std::string number = stem.substr(stem.size() - d);
            if (number.front() == '0') continue;
            const int lesson = std::stoi(number);
            if (lesson >= 1 && lesson <= lessons)
                out.push_back({stem.substr(0, stem.size() - d), lesson});
        }
        return out;
    }
    // "<name>(<lesson>)": one way only.
    if (stem.empty() || stem.back() != ')') return out;
    const std::size_t open = sjis::rfind(stem, '(');
    if (open == std::string::npos || open == 0) return out;
    const std::string number = stem.substr(open + 1, stem.size() - open - 2);
    if (number.empty() || number.size() > 6 || number.front() == '0') return out;
    for (char c : number)
        if (!std::isdigit(static_cast<unsigned char>(c))) return out;
    out.push_back({stem.substr(0, open), std::stoi(number)});
    return out;
}

std::string LearnerFile(Files& files, const CourseTables& course, const std::string& learner,
                        const std::string& logOnFolder, int lesson) {
    if (lesson < 1) lesson = 1;
    if (!course.cdMode && lesson <= MaxTableEntry && LessonInside(course, lesson)) {
        const std::string& relative = course.lessonFolder[lesson];
        std::string folder = course.masterFolder + relative;
        if (files.dirExists(folder)) {
            if (!corepath::staysInside(relative + learner + ".ini")) return {};
            return folder + learner + ".ini";
        }
    }
    // A CD-ROM course or a missing lesson folder: the records folder prepared at start-up,
    // one file per learner and lesson, "<learner>(<lesson>).ini".
    const std::string name = RecordsFolderFileName(learner, lesson);
    if (!corepath::staysInside(name)) return {};
    if (files.fileExists(logOnFolder + name)) return logOnFolder + name;
    // Files of older versions put the number straight after the name; such a file is still
    // this learner's when it cannot be read as any other learner's and lesson's.
    const std::string older = learner + std::to_string(lesson) + ".ini";
    const int lessons = static_cast<int>(course.lessonNames.size());
    if (corepath::staysInside(older) && files.fileExists(logOnFolder + older)) {
        const std::vector<RecordsFolderOwner> owners =
            RecordsFolderOwners(older, std::max(lessons, lesson));
        if (owners.size() == 1) return logOnFolder + older;
    }
    return logOnFolder + name;
}

std::string LogOnFolder(const CourseTables& course, const std::string& logOnFolder) {
    return course.cdMode ? logOnFolder : course.masterFolder + "LogOn\\";
}
