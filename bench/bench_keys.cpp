// The course check with and without answer keys, on the bundled course and on a large
// course, read from disk through the real file service. The counter "keys_ratio" of a run
// with keys is its time over the time of the same check without them, measured in the same
// run. The large course is the folder named by VELMIX_SYNTHETIC_COURSE when it is set (a
// course of replicated units, as teachers' copies and similar questions repeat them), else
// one made by scripts/make-large-course.py (every unit with numbers of its own).
//
// Also: keys of one unit, and similar questions made from the bundled course's units.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "checks/CourseCheck.h"
#include "keys/KeyCheck.h"
#include "keys/SimilarQuestions.h"
#include "qt/QtFiles.h"
#include "text/Lines.h"

namespace {

std::string corePath(const QString& folder) {
    return QtFiles::toCorePath(QDir::cleanPath(folder)).value_or("") + "\\";
}

// The large course, made once.
const std::string& largeCourse() {
    static std::unique_ptr<QTemporaryDir> dir;
    static const std::string path = [] {
        if (const char* given = std::getenv("VELMIX_SYNTHETIC_COURSE"))
            return corePath(QString::fromLocal8Bit(given));
        dir = std::make_unique<QTemporaryDir>();
        const std::string folder = dir->path().toStdString() + "/course";
        const std::string command = "python3 '" VELMIX_SOURCE_DIR
                                    "/scripts/make-large-course.py' '" +
                                    folder + "' --mb 50 > /dev/null";
        if (std::system(command.c_str()) != 0) return std::string();
        return corePath(QString::fromStdString(folder));
    }();
    return path;
}

double seconds(const std::string& course, bool keys, CourseCheckReport& report) {
    QtFiles files;
    const auto start = std::chrono::steady_clock::now();
    report = CheckCourse(files, course, {.keys = keys, .pages = {}});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void checkCourse(benchmark::State& state, const std::string& course) {
    if (course.size() < 2) {
        state.SkipWithError("no course (python3 and scripts/make-large-course.py are needed)");
        return;
    }
    const bool keys = state.range(0) != 0;
    CourseCheckReport report;
    double with = 0, without = 0;
    for (auto _ : state) {
        with += seconds(course, keys, report);
        state.PauseTiming();
        CourseCheckReport plain;
        without += seconds(course, false, plain);
        state.ResumeTiming();
    }
    state.counters["units"] = report.unitsChecked;
    state.counters["keys_checked"] = report.keys.checked;
    state.counters["keys_wrong"] = report.keys.wrong;
    state.counters["keys_not_checked"] = report.keys.notChecked;
    state.counters["keys_ratio"] = without > 0 ? with / without : 0;
}

void BM_CheckBundledCourse(benchmark::State& state) {
    checkCourse(state, corePath(QStringLiteral(VELMIX_SOURCE_DIR "/course")));
}
BENCHMARK(BM_CheckBundledCourse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CheckLargeCourse(benchmark::State& state) {
    checkCourse(state, largeCourse());
}
BENCHMARK(BM_CheckLargeCourse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The question blocks of the bundled course.
std::vector<Lines> bundledUnits() {
    std::vector<Lines> out;
    for (const char* file : {"Eq1/eq11.que", "Eq1/eq12.que", "Eq1/eq14.que", "Eq2/eq21.que",
                             "Fn1/fn11.que", "Fn1/fn13.que"}) {
        std::ifstream in(std::string(VELMIX_SOURCE_DIR) + "/course/" + file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const Lines lines = lines::split(bytes.str());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != "<<ques") continue;
            Lines ques;
            for (++i; i < lines.size() && lines[i] != ">>"; ++i)
                ques.push_back(lines[i]);
            out.push_back(std::move(ques));
        }
    }
    return out;
}

// Every unit's keys, checked anew each time (no results remembered).
void BM_CheckUnitKeys(benchmark::State& state) {
    const std::vector<Lines> units = bundledUnits();
    long answers = 0;
    for (auto _ : state)
        for (const Lines& u : units) {
            const LineViews v = lines::views(u);
            const UnitKeyCheck c = CheckUnitKeys(v);
            answers += c.tally.checked + c.tally.notChecked;
        }
    state.SetItemsProcessed(answers);
}
BENCHMARK(BM_CheckUnitKeys)->Unit(benchmark::kMillisecond);

// A similar question of every unit, as "類題を作る" would make it.
void BM_MakeSimilarUnits(benchmark::State& state) {
    const std::vector<Lines> units = bundledUnits();
    std::uint64_t seed = 1;
    long remade = 0;
    for (auto _ : state)
        for (const Lines& u : units) {
            const LineViews v = lines::views(u);
            remade += MakeSimilarUnit(v, seed++).remade;
        }
    state.SetItemsProcessed(remade);
}
BENCHMARK(BM_MakeSimilarUnits)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
