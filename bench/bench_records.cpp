// The learners' records on real files: appending one record to a learner file that holds
// 3,000 (the file's lock included), filling the records window's list for a lesson of 200
// units whose learner file holds 3,000 records, and "velmix records" on a class of 40
// learners × 3 lessons × 3,000 records compared with cat over the same files.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "RecordsClass.h"
#include "formats/CourseIndex.h"
#include "learners/Records.h"
#include "learners/RecordsList.h"
#include "practice/ResultsLine.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

using namespace recordsclass;

void BM_AppendRecordTo3000(benchmark::State& state) {
    QTemporaryDir tmp;
    writeFile(tmp.path() + "/taro.ini", learnerFile(10, 20, 3000));
    const std::string file = QtFiles::toCorePath(tmp.path()).value() + "\\taro.ini";
    const std::string section = "S11" + unitLine(1, 1);
    QtFiles files;
    int i = 0;
    for (auto _ : state)
        if (!AppendRecord(files, file, section, line(i++))) state.SkipWithError("append failed");
}
BENCHMARK(BM_AppendRecordTo3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecordsWindowLesson200Units3000(benchmark::State& state) {
    QTemporaryDir tmp;
    const std::string master = makeCourse(tmp.path(), 1, 10, 20);
    writeFile(tmp.path() + "/L1/taro.ini", learnerFile(10, 20, 3000));
    QtFiles files;
    CourseTables course;
    course.masterFolder = master;
    files.setCourseFolder(master);
    LoadLessonList(files, course);
    QListWidget list;
    for (auto _ : state) {
        RecordsWindowState s{"taro", {}, 1, {}, false};
        if (!FillRecordsList(files, course, master + "LogOn\\", s)) state.SkipWithError("fill");
        list.clear();
        for (const RecordsItem& it : s.items)
            list.addItem(QString::fromStdString(sjis::toUtf8(it.text)));
        benchmark::DoNotOptimize(s.items.size());
    }
}
BENCHMARK(BM_RecordsWindowLesson200Units3000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The class course, made once: 40 learners × 3 lessons × 3,000 records.
struct ClassCourse {
    QTemporaryDir dir;
    std::string files; // the learner files, quoted for the shell
    ClassCourse() {
        makeCourse(dir.path(), 3, 10, 20);
        const std::string content = learnerFile(10, 20, 3000);
        for (int l = 1; l <= 3; ++l)
            for (int k = 1; k <= 40; ++k) {
                const QString path = dir.path() + QStringLiteral("/L%1/pupil%2.ini").arg(l).arg(k);
                writeFile(path, content);
                files += " '" + path.toStdString() + "'";
            }
    }
};
ClassCourse& classCourse() {
    static ClassCourse c;
    return c;
}

// The velmix program beside the bench programs' folder.
void BM_CatClass(benchmark::State& state) {
    const std::string command = "cat" + classCourse().files + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatClass)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VelmixRecordsClass(benchmark::State& state) {
    const std::string command = "'" + velmixProgram() + "' records '" +
                                classCourse().dir.path().toStdString() + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("velmix records failed");
}
BENCHMARK(BM_VelmixRecordsClass)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
