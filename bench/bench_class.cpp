// The class overview on real files: a lesson of 200 units (10 blocks × 20) and 40 learners
// whose files hold 3,000 records each. Reading the class's grid (every file under its lock),
// ordering the rows by a unit's score and by its runs, showing one section, and
// "velmix records --summary" beside cat over the same files.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "RecordsClass.h"
#include "formats/CourseIndex.h"
#include "learners/ClassGrid.h"
#include "learners/ClassView.h"
#include "practice/ResultsLine.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

using namespace recordsclass;

// The class, made once: one lesson, 40 learner files of 3,000 records.
struct ClassLesson {
    QTemporaryDir dir;
    std::string master;
    std::string files; // the learner files, quoted for the shell
    ClassLesson() {
        master = makeCourse(dir.path(), 1, 10, 20);
        for (int k = 1; k <= 40; ++k) {
            const QString path = dir.path() + QStringLiteral("/L1/pupil%1.ini").arg(k);
            // Each learner a little different, so sorting has work to do.
            writeFile(path, learnerFile(10, 20, 3000 - k));
            files += " '" + path.toStdString() + "'";
        }
    }
};
ClassLesson& classLesson() {
    static ClassLesson c;
    return c;
}

struct LoadedCourse {
    QtFiles files;
    CourseTables course;
    std::string logOn;
    LoadedCourse() {
        const std::string& master = classLesson().master;
        course.masterFolder = master;
        files.setCourseFolder(master);
        LoadLessonList(files, course);
        logOn = master + "LogOn\\";
    }
    ClassGrid read() { return ReadClassGrid(files, course, logOn, 1); }
};

void BM_ReadClassGrid40x200x3000(benchmark::State& state) {
    LoadedCourse c;
    for (auto _ : state) {
        const ClassGrid grid = c.read();
        if (grid.rows.size() < 40 || grid.columns.size() < 200) state.SkipWithError("grid");
        benchmark::DoNotOptimize(grid.summaries.data());
    }
    state.counters["records"] = 40.0 * 3000;
}
BENCHMARK(BM_ReadClassGrid40x200x3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortClassByScoreThenRuns(benchmark::State& state) {
    LoadedCourse c;
    ClassViewState view = ViewOfGrid(c.read());
    int unit = 0;
    for (auto _ : state) {
        SortRows(view, ClassSortKey::Score, unit, true);
        SortRows(view, ClassSortKey::Runs, unit, false);
        unit = (unit + 7) % static_cast<int>(view.grid.columns.size());
        benchmark::DoNotOptimize(view.rows.data());
    }
}
BENCHMARK(BM_SortClassByScoreThenRuns)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_FilterClassSection(benchmark::State& state) {
    LoadedCourse c;
    ClassViewState view = ViewOfGrid(c.read());
    const auto sections = ClassSections(view.grid);
    std::size_t i = 0;
    for (auto _ : state) {
        FilterSection(view, sections[i++ % sections.size()].first);
        benchmark::DoNotOptimize(view.columns.data());
    }
}
BENCHMARK(BM_FilterClassSection)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The velmix program beside the bench programs' folder.
void BM_CatClassLesson(benchmark::State& state) {
    const std::string command = "cat" + classLesson().files + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatClassLesson)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VelmixRecordsSummary(benchmark::State& state) {
    std::string command = "'" + velmixProgram() + "' records '" +
                          classLesson().dir.path().toStdString() +
                                "' --summary --lesson 1";
    // Once, to see that it read the class: a header, 40 learners and the class's line.
    const std::string check = command + " | wc -l";
    FILE* pipe = popen(check.c_str(), "r");
    int lines = 0;
    if (pipe) {
        if (std::fscanf(pipe, "%d", &lines) != 1) lines = 0;
        pclose(pipe);
    }
    state.counters["lines"] = lines;
    if (lines < 42) state.SkipWithError("velmix records --summary did not list the class");
    command += " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("velmix records failed");
}
BENCHMARK(BM_VelmixRecordsSummary)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
