#include "cli/CheckCommand.h"

#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "checks/CourseCheck.h"
#include "cli/CheckPages.h"
#include "cli/CheckUsage.h"
#include "cli/CheckWorkers.h"
#include "cli/RenderCommands.h"
#include "cli/StreamWriter.h"
#include "qt/QtFiles.h"

namespace {

// VELMIX_CHECK_WORKERS when it is a number from 1, else one per usable processor.
unsigned WorkersWanted() {
    if (const char* s = std::getenv("VELMIX_CHECK_WORKERS")) {
        const int n = std::atoi(s);
        if (n >= 1) return static_cast<unsigned>(std::min(n, 64));
    }
    return UsableProcessors();
}

} // namespace

int runCheck(const std::vector<std::string>& arguments) {
    CourseCheckOptions options;
    std::vector<std::string> args;
    for (const std::string& a : arguments) {
        if (a == "--keys")
            options.keys = true;
        else
            args.push_back(a);
    }
    if (args.size() > 1 || (args.size() == 1 && !args[0].empty() && args[0][0] == '-')) {
        std::fprintf(stderr, "%s", CheckUsage);
        return 2;
    }
    QString dir = QDir(args.empty() ? QDir::currentPath() : QString::fromLocal8Bit(args[0].c_str()))
                      .absolutePath();
    std::optional<std::string> core = QtFiles::toCorePath(QDir::cleanPath(dir));
    if (!core) {
        std::fprintf(stderr, "%s: the folder name cannot be written in code page 932\n",
                     dir.toStdString().c_str());
        return 2;
    }
    if (core->empty() || core->back() != '\\') *core += '\\';
    QtFiles files;
    // Fonts need the application; each thread of the check lays out on pages of its own.
    const std::unique_ptr<QGuiApplication> app = makeApplication();
    options.pages = CheckPages::maker();
    // As many threads, or with keys processes, as the processors it may use, unless told.
    const unsigned workers = WorkersWanted();
    options.threads = workers;
    options.runParts = [workers](const CheckParts& parts) {
        WorkerOptions w;
        w.workers = workers;
        if (const char* s = std::getenv("VELMIX_CHECK_PART_SECONDS"); s && std::atoi(s) > 0)
            w.secondsPerPart = std::atoi(s);
        return RunPartsInWorkers(parts, w);
    };
    CourseCheckReport report = CheckCourse(files, *core, options);
    if (!report.ran) {
        StreamWriter err(stderr);
        err.sjisLine(report.fatal);
        err.finish("standard error");
        return 2;
    }
    StreamWriter out(stdout);
    std::size_t problems = 0;
    for (const CheckProblem& p : report.problems) {
        out.sjisLine(FormatProblem(p));
        if (!p.key) ++problems;
    }
    out.write("checked " + std::to_string(report.unitsChecked) +
              " units: " + std::to_string(problems) + " problems\n");
    if (options.keys)
        out.write("keys: " + std::to_string(report.keys.checked) + " checked, " +
                  std::to_string(report.keys.wrong) + " wrong, " +
                  std::to_string(report.keys.notChecked) + " not checked\n");
    if (!out.finish()) return 2;
    return problems == 0 && report.keys.wrong == 0 ? 0 : 1;
}
