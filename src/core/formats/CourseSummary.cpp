#include "formats/CourseSummary.h"

#include <algorithm>

#include "formats/CourseIndex.h"
#include "shell/Program.h"

CourseSummary SummarizeCourse(Program& p) {
    CourseSummary s;
    // A lesson list beyond the table is reported and cut; the lessons read still count.
    bool listed = LoadLessonList(p);
    s.loaded = listed || !p.course.lessonNames.empty() || !p.course.courseTitle.empty();
    if (!s.loaded) return s;
    s.title = p.course.courseTitle;
    std::vector<std::string> names = p.course.lessonNames;
    for (std::size_t k = 0; k < names.size(); ++k) {
        CourseSummary::Lesson lesson;
        lesson.name = names[k];
        int number = static_cast<int>(k) + 1;
        lesson.loaded = LoadLesson(p, number);
        if (p.course.currentLesson == number) {
            for (std::size_t n = 0; n < p.course.sectionNames.size(); ++n)
                lesson.sections.push_back(
                    {p.course.sectionNames[n], p.course.sectionUnitCount[n + 1]});
        }
        s.lessons.push_back(std::move(lesson));
    }
    return s;
}
