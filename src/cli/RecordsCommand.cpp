#include "cli/RecordsCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "cli/CourseSession.h"
#include "cli/StreamWriter.h"
#include "learners/ClassGrid.h"
#include "learners/LearnerFiles.h"
#include "learners/LearnerNames.h"
#include "learners/RecordsCsv.h"
#include "shell/Settings.h"
#include "text/CorePath.h"
#include "text/Lines.h"
#include "text/Sjis.h"

namespace {

const char* const Usage =
    "usage: velmix records [COURSE_DIR] [--learner NAME] [--lesson L]\n"
    "       velmix records [COURSE_DIR] --summary [--lesson L]\n"
    "Prints every practice record of the course (default: the working directory) as CSV\n"
    "(UTF-8, one header line): learner, lesson, records key, unit text or worksheet file,\n"
    "similar-question number, date, time, tries, correct, total, score, seconds.\n"
    "--learner takes one learner's files only (a name the course does not know is an\n"
    "error), --lesson one lesson's. A line or file that cannot be read is said on standard\n"
    "error and skipped; the exit status is then 1. Cells that begin with = + - @, a tab or\n"
    "a carriage return get a leading ' so that a spreadsheet shows them as text.\n"
    "--summary prints the class at a glance of one lesson (default 1) instead: a row per\n"
    "learner (the roster's and every learner file's) with the units practised and the mean\n"
    "of the last scores, two columns per unit and saved worksheet (runs, last score), and a\n"
    "last row with each unit's learners and mean.\n";

struct RecordsArgs {
    std::string courseDir;
    std::string learner; // UTF-8
    int lesson = 0;
    bool summary = false;
};

std::optional<RecordsArgs> parse(const std::vector<std::string>& args, std::string& error) {
    RecordsArgs out;
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--summary") {
            out.summary = true;
            continue;
        }
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
    if (out.summary && !out.learner.empty()) {
        error = "--summary shows every learner: it takes no --learner";
        return std::nullopt;
    }
    return out;
}

// A learner of the course: one with a learner file in some lesson, or one on the course's
// roster.
bool knownLearner(Program& p, const std::string& logOnFolder, const std::string& learner) {
    Files& files = p.platform.files;
    if (!FindLearnerFiles(files, p.course, logOnFolder, learner, 0).empty()) return true;
    std::string roster;
    if (files.read(LogOnFolder(p.course, logOnFolder) + "sname.txt", roster) != ReadStatus::Ok)
        return false;
    const Lines names = lines::split(roster);
    return std::find(names.begin(), names.end(), learner) != names.end();
}

class CsvToStreams : public RecordsCsvSink {
  public:
    CsvToStreams(StreamWriter& out, StreamWriter& err) : out_(out), err_(err) {}
    bool write(std::string_view csv) override {
        out_.write(csv);
        return !out_.failed();
    }
    void problem(const std::string& sjisText) override {
        err_.sjisLine(corepath::withSlashes(sjisText));
    }

  private:
    StreamWriter& out_;
    StreamWriter& err_;
};

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
    CourseSession session;
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
    if (!learner.empty() && !knownLearner(p, logOnFolder, learner)) {
        std::fprintf(stderr, "velmix records: there is no learner named %s in this course\n",
                     a->learner.c_str());
        return 1;
    }
    if (a->summary) {
        if (lessons < 1) {
            std::fprintf(stderr, "velmix records: the course has no lessons\n");
            return 2;
        }
        const ClassGrid grid = ReadClassGrid(p.platform.files, p.course, logOnFolder,
                                             a->lesson == 0 ? 1 : a->lesson);
        StreamWriter err(stderr);
        for (const std::string& problem : grid.problems)
            err.sjisLine(corepath::withSlashes(problem));
        err.finish("standard error");
        StreamWriter out(stdout);
        out.write(ClassGridCsv(grid));
        if (!out.finish()) return 2;
        return grid.problems.empty() ? 0 : 1;
    }
    // The CSV goes out as it is made; what is skipped is said on standard error when met.
    StreamWriter out(stdout), err(stderr);
    CsvToStreams sink(out, err);
    const RecordsCsvCount count = StreamRecordsCsv(
        p.platform.files, p.course,
        FindLearnerFiles(p.platform.files, p.course, logOnFolder, learner, a->lesson), sink);
    err.finish("standard error");
    if (!out.finish()) return 2;
    return count.problems == 0 ? 0 : 1;
}
