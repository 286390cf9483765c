// The editors on large files, through the real file service: the question editor opening,
// checking and saving one unit of a 1 MB question unit file, and the index editor adding a
// section to a lesson of 2,000 units, saving it and reading the lesson again as the unit
// menu does after the editor closed.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "NullServices.h"
#include "Program.h"
#include "authoring/IndexEditor.h"
#include "authoring/QuestionEditor.h"
#include "formats/CourseIndex.h"
#include "keys/KeyCheck.h"
#include "platform/NullServices.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

constexpr int Sections = 25;
constexpr int UnitsPerSection = 80; // 2,000 units in the lesson
constexpr int UnitsInFile = 2600;   // about 1 MB in the first section's file

std::string crlf(const std::vector<std::string>& utf8) {
    std::string out;
    for (const std::string& l : utf8)
        out += sjis::fromUtf8(l) + "\r\n";
    return out;
}

struct LargeCourse {
    QTemporaryDir dir;
    QtFiles files;
    QuietPrompter prompter;
    FixedTimeClock clock{DateTime{2026, 12, 7, 9, 5, 0}};
    EmptyRegistry registry;
    NoPictures pictures;
    FirstPick random;
    StillTimers timers;
    Platform platform{files, prompter, clock, registry, pictures, random, timers, {}, {}};
    std::unique_ptr<Program> program;
    std::string master;
    std::size_t queBytes = 0;

    LargeCourse() {
        master = QtFiles::toCorePath(dir.path()).value_or("") + "\\";
        files.write(master + "Main.ind", crlf({"大きな教材", "", "方程式,Eq1\\ eq1", ">>"}));
        files.makeDir(master + "Eq1");
        std::vector<std::string> index{"方程式の問題"};
        for (int s = 1; s <= Sections; ++s) {
            index.insert(index.end(),
                         {"[[sect" + std::to_string(s), "節" + std::to_string(s), "<<"});
            for (int u = 1; u <= UnitsPerSection; ++u)
                index.push_back("(" + std::to_string(u) + ") 単元");
            index.insert(index.end(), {">>", "]]"});
        }
        files.write(master + "Eq1\\eq1.ind", crlf(index));
        std::vector<std::string> que;
        for (int u = 1; u <= UnitsInFile; ++u) {
            que.insert(que.end(),
                       {"[[unit" + std::to_string(u), "<<ques", "次の方程式を解きなさい。"});
            for (int q = 1; q <= 8; ++q)
                que.push_back("(" + std::to_string(q) + ") " + std::to_string(q + 1) + "x+" +
                              std::to_string(q) + "=" + std::to_string(3 * (q + 1) + q) + "# x=3#");
            que.insert(que.end(), {">>",     "<<dummy", ">>",      "<<hint", "両辺から同じ数をひく",
                                   ">>",     "<<value", "630",     "False",  "40",
                                   "5",      "5",       "1",       "7",      ">>",
                                   "<<font", "12",      "MS 明朝", "False",  "False",
                                   "False",  "False",   "0",       ">>",     "<<kran",
                                   "5",      "15",      "2",       "0",      "0",
                                   "0",      "15",      "10",      "0",      "0",
                                   ">>",     "]]"});
        }
        const std::string bytes = crlf(que);
        queBytes = bytes.size();
        files.write(master + "Eq1\\eq11.que", bytes);
        platform.workingDir = master.substr(0, master.size() - 1);
        program = std::make_unique<Program>(platform);
        program->course.masterFolder = master;
        files.setCourseFolder(master);
        LoadLessonList(files, program->course);
    }
};

LargeCourse& course() {
    static LargeCourse c;
    return c;
}

const UnitRef Middle{1, 1, UnitsInFile / 2, 0};

void BM_OpenUnitOfLargeFile(benchmark::State& state) {
    LargeCourse& c = course();
    QuestionEditorState s;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadQuestionEditor(*c.program, s, Middle, "", false));
    state.counters["file_kB"] = static_cast<double>(c.queBytes) / 1024;
}
BENCHMARK(BM_OpenUnitOfLargeFile)->Unit(benchmark::kMillisecond);

void BM_CheckUnit(benchmark::State& state) {
    LargeCourse& c = course();
    QuestionEditorState s;
    LoadQuestionEditor(*c.program, s, Middle, "", false);
    const GraphPlace place{c.master, s.graphFolder};
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckUnitText(s.memos, place));
        benchmark::DoNotOptimize(CheckUnitKeys(lines::views(s.memos.ques)));
    }
}
BENCHMARK(BM_CheckUnit)->Unit(benchmark::kMillisecond);

void BM_SaveUnitIntoLargeFile(benchmark::State& state) {
    LargeCourse& c = course();
    QuestionEditorState s;
    LoadQuestionEditor(*c.program, s, Middle, "", false);
    int n = 0;
    for (auto _ : state) {
        // A changed question each time, so that the file is written every time.
        s.memos.hint = {sjis::fromUtf8("ヒント") + std::to_string(++n)};
        if (!SaveQuestionUnit(*c.program, s).saved) state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_SaveUnitIntoLargeFile)->Unit(benchmark::kMillisecond);

void BM_AddSectionAndReloadMenu(benchmark::State& state) {
    LargeCourse& c = course();
    IndexEditorState opened;
    if (!OpenIndexEditor(c.files, opened, c.master, 1)) state.SkipWithError("no lesson");
    const std::string title = sjis::fromUtf8("関数");
    for (auto _ : state) {
        IndexEditorState s = opened;
        AddIndexSection(s, title);
        if (!SaveLessonIndex(c.files, c.prompter, s)) state.SkipWithError("not saved");
        benchmark::DoNotOptimize(LoadLesson(c.files, c.program->course, 1));
    }
    state.counters["units"] = Sections * UnitsPerSection;
}
BENCHMARK(BM_AddSectionAndReloadMenu)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
