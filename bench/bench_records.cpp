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

#include "formats/CourseIndex.h"
#include "learners/Records.h"
#include "learners/RecordsList.h"
#include "practice/ResultsLine.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

// A results line of run i.
std::string line(int i) {
    const RunResult run{RunKind::Practice,        i % 11, 10,
                        ComputeScore(i % 11, 10), "1121", 60 + i % 600};
    return ResultsLine(run, {2005 + i % 20, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0}, i % 3);
}

// The unit line of unit u (from 1) of block b.
std::string unitLine(int b, int u) {
    return J("(") + std::to_string(u) + J(") 単元") + std::to_string(b) + "-" + std::to_string(u);
}

void writeFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A learner file of `records` records spread over the units of `blocks` × `units`.
std::string learnerFile(int blocks, int units, int records) {
    std::string out = "[password]\r\npw=?\r\n";
    const int sections = blocks * units;
    for (int s = 0; s < sections; ++s) {
        const int b = s / units + 1, u = s % units + 1;
        out += "[S" + std::to_string(b) + std::to_string(u) + unitLine(b, u) + "]\r\n";
        int key = 1;
        for (int r = s; r < records; r += sections)
            out += std::to_string(key++) + "=" + line(r) + "\r\n";
    }
    return out;
}

// A course of `lessons` lessons of `blocks` × `units` units each.
std::string makeCourse(const QString& dir, int lessons, int blocks, int units) {
    std::string main = J("記録のコース\r\n中学\r\n");
    for (int l = 1; l <= lessons; ++l) {
        const std::string folder = "L" + std::to_string(l);
        main += J("課") + std::to_string(l) + "," + folder + "\\ l" + std::to_string(l) + "\r\n";
        std::string index = J("課\r\n");
        for (int b = 1; b <= blocks; ++b) {
            index += "[[sect" + std::to_string(b) + "\r\n" + J("ブロック") + std::to_string(b) +
                     "\r\n<<\r\n";
            for (int u = 1; u <= units; ++u)
                index += unitLine(b, u) + "\r\n";
            index += ">>\r\n]]\r\n";
        }
        writeFile(dir + "/" + QString::fromStdString(folder + "/l" + std::to_string(l) + ".ind"),
                  index);
    }
    writeFile(dir + "/Main.ind", main + ">>\r\n");
    return QtFiles::toCorePath(dir).value() + "\\";
}

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
std::string velmixProgram() {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string exe(self, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/')) + "/../velmix";
}

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
