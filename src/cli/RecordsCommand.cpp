#include "cli/RecordsCommand.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "cli/CliSession.h"
#include "cli/StreamWriter.h"
#include "learners/LearnerNames.h"
#include "learners/RecordsCsv.h"
#include "shell/Settings.h"
#include "text/CorePath.h"
#include "text/Sjis.h"

namespace {

const char* const Usage =
    "usage: velmix records [COURSE_DIR] [--learner NAME] [--lesson L]\n"
    "Prints every practice record of the course (default: the working directory) as CSV\n"
    "(UTF-8, one header line): learner, lesson, records key, unit text or worksheet file,\n"
    "similar-question number, date, time, tries, correct, total, score, seconds.\n"
    "--learner takes one learner's files only, --lesson one lesson's. A line or file that\n"
    "cannot be read is said on standard error and skipped; the exit status is then 1.\n";

struct RecordsArgs {
    std::string courseDir;
    std::string learner; // UTF-8
    int lesson = 0;
};

std::optional<RecordsArgs> parse(const std::vector<std::string>& args, std::string& error) {
    RecordsArgs out;
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--learner" || a == "--lesson") {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return std::nullopt;
            }
            const std::string& v = args[++i];
            if (a == "--learner") {
                out.learner = v;
                continue;
            }
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 1 || n > 10000) {
                error = "--lesson takes a lesson number from 1";
                return std::nullopt;
            }
            out.lesson = static_cast<int>(n);
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else if (haveDir) {
            error = "more than one course folder";
            return std::nullopt;
        } else {
            out.courseDir = a;
            haveDir = true;
        }
    }
    return out;
}

} // namespace

const char* recordsUsage() {
    return Usage;
}

int runRecords(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<RecordsArgs> a = parse(args, error);
    if (!a) {
        std::fprintf(stderr, "velmix records: %s\n%s", error.c_str(), Usage);
        return 2;
    }
    std::string learner;
    if (!a->learner.empty()) {
        const TypedText typed = TypedFromUtf8(a->learner);
        if (const std::string why = LearnerNameProblem(typed); !why.empty()) {
            StreamWriter err(stderr);
            err.sjisLine(why);
            err.finish("standard error");
            return 2;
        }
        learner = TidyLearnerName(typed.text);
    }
    CliSession session;
    if (!session.openCourse(a->courseDir)) return 2;
    Program& p = session.program();
    const int lessons = static_cast<int>(p.course.lessonNames.size());
    if (a->lesson > lessons) {
        std::fprintf(stderr, "velmix records: the course has %d lessons\n", lessons);
        return 2;
    }
    p.course.cdMode = p.platform.files.isReadOnlyMedia(p.course.masterFolder);
    // The records folder of a course on read-only media, as start-up sets it (nothing is
    // made here).
    Settings settings(p.platform.registry, p.platform.prompter);
    const std::string logOnFolder =
        settings.recordsDrive(p.platform.userDataDir) + "Velmix\\LogOn\\";
    const RecordsCsvResult csv =
        RecordsCsv(p.platform.files, p.course,
                   FindLearnerFiles(p.platform.files, p.course, logOnFolder, learner, a->lesson));
    StreamWriter err(stderr);
    for (const std::string& problem : csv.problems)
        err.sjisLine(corepath::withSlashes(problem));
    err.finish("standard error");
    StreamWriter out(stdout);
    out.write(csv.csv);
    if (!out.finish()) return 2;
    return csv.problems.empty() ? 0 : 1;
}
