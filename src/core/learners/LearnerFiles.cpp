#include "learners/LearnerFiles.h"

#include "formats/CourseNames.h"
#include "text/CorePath.h"

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
    // one file per learner and lesson.
    std::string name = learner + std::to_string(lesson) + ".ini";
    if (!corepath::staysInside(name)) return {};
    return logOnFolder + name;
}

std::string LogOnFolder(const CourseTables& course, const std::string& logOnFolder) {
    return course.cdMode ? logOnFolder : course.masterFolder + "LogOn\\";
}
