#include "formats/CourseSummary.h"

#include <algorithm>

#include "formats/CourseIndex.h"

CourseSummary SummarizeCourse(Files& files, CourseTables& course) {
    CourseSummary s;
    auto note = [&s](const Report& o) {
        if (!o.message.empty()) s.messages.push_back(o.message);
        return o.ok;
    };
    // A lesson list beyond the table is reported and cut; the lessons read still count.
    bool listed = note(LoadLessonList(files, course));
    s.loaded = listed || !course.lessonNames.empty() || !course.courseTitle.empty();
    if (!s.loaded) return s;
    s.title = course.courseTitle;
    std::vector<std::string> names = course.lessonNames;
    for (std::size_t k = 0; k < names.size(); ++k) {
        CourseSummary::Lesson lesson;
        lesson.name = names[k];
        int number = static_cast<int>(k) + 1;
        lesson.loaded = note(LoadLesson(files, course, number));
        if (course.currentLesson == number) {
            for (std::size_t n = 0; n < course.sectionNames.size(); ++n)
                lesson.sections.push_back({course.sectionNames[n], course.sectionUnitCount[n + 1]});
        }
        s.lessons.push_back(std::move(lesson));
    }
    return s;
}
