// "velmix records" (or "velmix records --summary") against cat of the same learner files:
// makes a class course in a temporary folder, runs both programs in turn, interleaved, and
// prints the median wall time and processor time of each, their ratios and velmix's peak
// resident memory. On a shared machine the processor times are the steadier measure.
//
//   records_ratio [--summary] [--learners N] [--lessons L] [--units U] [--records R]
//                 [--rounds K] [--keep DIR]
//
// --units is the number of units per lesson (in blocks of 20), --records the records per
// learner file. Without --summary the defaults are the class of "velmix records" (40
// learners × 3 lessons × 3,000 records); with it, one lesson of 200 units. --keep DIR
// leaves the course in DIR instead of a temporary folder.

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "RecordsClass.h"

extern char** environ;

namespace {

struct Run {
    double ms = 0;
    double cpuMs = 0; // user and system time
    long maxRssKb = 0;
    bool ok = false;
};

// Runs argv with standard output on /dev/null; its wall time and peak resident memory.
Run spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Run run;
    timespec t0{}, t1{};
    clock_gettime(CLOCK_MONOTONIC, &t0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            clock_gettime(CLOCK_MONOTONIC, &t1);
            run.ms = (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6;
            run.maxRssKb = usage.ru_maxrss;
            run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool summary = false;
    int learners = 40, lessons = 3, units = 200, records = 3000, rounds = 21;
    std::string keep;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto number = [&](int& out) {
            if (i + 1 < argc) out = std::max(1, std::atoi(argv[++i]));
        };
        if (a == "--summary")
            summary = true;
        else if (a == "--learners")
            number(learners);
        else if (a == "--lessons")
            number(lessons);
        else if (a == "--units")
            number(units);
        else if (a == "--records")
            number(records);
        else if (a == "--rounds")
            number(rounds);
        else if (a == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else {
            std::fprintf(stderr, "records_ratio: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (summary && lessons == 3) lessons = 1;
    const int blocks = std::max(1, units / 20), perBlock = std::max(1, units / blocks);

    QTemporaryDir tmp;
    const QString dir = keep.empty() ? tmp.path() : QString::fromStdString(keep);
    QDir().mkpath(dir);
    recordsclass::makeCourse(dir, lessons, blocks, perBlock);
    const std::string content = recordsclass::learnerFile(blocks, perBlock, records);
    std::vector<std::string> cat{"cat"};
    for (int l = 1; l <= lessons; ++l)
        for (int k = 1; k <= learners; ++k) {
            const QString path = dir + QStringLiteral("/L%1/pupil%2.ini").arg(l).arg(k);
            recordsclass::writeFile(path, content);
            cat.push_back(path.toStdString());
        }
    std::vector<std::string> velmix{recordsclass::velmixProgram(), "records", dir.toStdString()};
    if (summary) velmix.insert(velmix.end(), {"--summary", "--lesson", "1"});

    std::vector<double> catMs, velmixMs, catCpu, velmixCpu;
    long rss = 0;
    spawn(cat); // warm the page cache
    spawn(velmix);
    for (int r = 0; r < rounds; ++r) {
        const Run c = spawn(cat);
        const Run v = spawn(velmix);
        if (!c.ok || !v.ok) {
            std::fprintf(stderr, "records_ratio: %s failed\n", c.ok ? "velmix" : "cat");
            return 1;
        }
        catMs.push_back(c.ms);
        velmixMs.push_back(v.ms);
        catCpu.push_back(c.cpuMs);
        velmixCpu.push_back(v.cpuMs);
        rss = std::max(rss, v.maxRssKb);
    }
    const double catMedian = median(catMs), velmixMedian = median(velmixMs);
    std::printf("%s: %d learners x %d lessons x %d units x %d records, %d rounds\n",
                summary ? "records --summary" : "records", learners, lessons, blocks * perBlock,
                records, rounds);
    const double catCpuMedian = median(catCpu), velmixCpuMedian = median(velmixCpu);
    std::printf("           wall ms    cpu ms (user + system)\n");
    std::printf("  cat     %9.2f %9.2f\n  velmix  %9.2f %9.2f\n  ratio   %9.2f %9.2f\n",
                catMedian, catCpuMedian, velmixMedian, velmixCpuMedian, velmixMedian / catMedian,
                velmixCpuMedian / std::max(catCpuMedian, 0.001));
    std::printf("  velmix peak RSS %ld kB\n", rss);
    return 0;
}
