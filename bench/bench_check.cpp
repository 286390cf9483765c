// The course check on large synthetic courses (scripts/make-large-course.py: sections of 80
// units with two similar questions each, graphs in the master folder only), read from disk
// through the real file service. Sizes double from one run to the next, so the times show
// whether the work grows with the course and no faster.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "checks/CourseCheck.h"
#include "qt/QtFiles.h"

namespace {

// One course per size in megabytes, made once for all runs.
struct Course {
    std::unique_ptr<QTemporaryDir> dir;
    std::string core; // the folder as a core path ending in "\"
    double bytes = 0;
};

const Course& courseOf(int megabytes) {
    static std::map<int, Course> made;
    auto it = made.find(megabytes);
    if (it != made.end()) return it->second;
    Course c;
    c.dir = std::make_unique<QTemporaryDir>();
    const std::string folder = c.dir->path().toStdString() + "/course";
    const std::string command = "python3 '" VELMIX_SOURCE_DIR "/scripts/make-large-course.py' '" +
                                folder + "' --mb " + std::to_string(megabytes) + " > /dev/null";
    if (std::system(command.c_str()) != 0) return made[megabytes] = std::move(c);
    c.core = QtFiles::toCorePath(QString::fromStdString(folder)).value_or("") + "\\";
    QDirIterator files(QString::fromStdString(folder), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        c.bytes += static_cast<double>(QFileInfo(files.next()).size());
    return made[megabytes] = std::move(c);
}

void BM_CheckLargeCourse(benchmark::State& state) {
    const Course& course = courseOf(static_cast<int>(state.range(0)));
    if (course.core.size() < 2) {
        state.SkipWithError("the course could not be made (python3 and the script are needed)");
        return;
    }
    QtFiles files;
    int units = 0;
    std::size_t problems = 0;
    for (auto _ : state) {
        const CourseCheckReport report = CheckCourse(files, course.core);
        units = report.unitsChecked;
        problems = report.problems.size();
    }
    state.counters["units"] = units;
    state.counters["problems"] = static_cast<double>(problems);
    state.SetBytesProcessed(static_cast<std::int64_t>(course.bytes) * state.iterations());
    state.SetComplexityN(static_cast<std::int64_t>(course.bytes));
}
BENCHMARK(BM_CheckLargeCourse)
    ->Arg(12)
    ->Arg(25)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
