#include "cli/Cli.h"

#include <QDir>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Program.h"
#include "checks/CourseCheck.h"
#include "cli/CheckPages.h"
#include "cli/RecordsCommand.h"
#include "cli/RenderCommands.h"
#include "cli/StreamWriter.h"
#include "formats/CourseSummary.h"
#include "qt/QtFiles.h"
#include "qt/QtPlatform.h"
#include "qt/ToolkitMessages.h"

#ifndef VELMIX_VERSION
#define VELMIX_VERSION "0"
#endif

namespace {

const char* const MainUsage =
    "usage: velmix [COURSE_DIR]\n"
    "       velmix check [--keys] [COURSE_DIR]\n"
    "       velmix render [COURSE_DIR] (--unit L.S.U[.R] | --prp FILE) -o OUT.png|OUT.pdf ...\n"
    "       velmix export [COURSE_DIR] --unit L.S.U[.R] [-o FILE.prp]\n"
    "       velmix records [COURSE_DIR] [--learner NAME] [--lesson L]\n"
    "       velmix --help | --version\n"
    "Without a command velmix opens its windows on the course folder (default: the working\n"
    "directory). \"velmix COMMAND --help\" shows the options of a command.\n";

const char* const CheckUsage =
    "usage: velmix check [--keys] [COURSE_DIR]\n"
    "Reads the course (default: the working directory) as the program would and prints\n"
    "every problem as PATH:LINE: MESSAGE. Exit status 0 without problems, 1 with problems,\n"
    "2 when the course cannot be read.\n"
    "--keys also solves every question it can read as mathematics (equations, pairs of\n"
    "equations, expressions, straight lines) and compares the answer keys with the\n"
    "solution; it prints each wrong key and ends with \"keys: V checked, W wrong, N not\n"
    "checked\" (V counts the wrong keys too). Wrong keys make the exit status 1.\n";

// Prints text on standard output; the exit status of a request for it.
int printAndExit(const std::string& text) {
    StreamWriter out(stdout);
    out.write(text);
    return out.finish() ? 0 : 1;
}

// velmix check [COURSE_DIR]: every problem of the course on its own line.
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
    CheckPages pages;
    options.pages = [&](int w, int h) -> Canvas& { return pages(w, h); };
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

struct Command {
    const char* name;
    const char* (*usage)();
    int (*run)(const std::vector<std::string>& args);
};

const Command commands[] = {
    {"check", [] { return CheckUsage; }, runCheck},
    {"render", renderUsage, runRender},
    {"export", exportUsage, runExport},
    {"records", recordsUsage, runRecords},
};

bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

} // namespace

bool isCliInvocation(int argc, char** argv) {
    if (argc < 2) return false;
    if (argv[1][0] == '-') return true;
    for (const Command& c : commands)
        if (std::strcmp(argv[1], c.name) == 0) return true;
    return false;
}

namespace {

// velmix without anything: the course of the working directory in outline.
int runCourseOutline() {
    QtPlatform qt;
    Program program(qt.platform());
    std::string master = qt.platform().workingDir;
    if (master.empty() || master.back() != '\\') master += '\\';
    program.course.masterFolder = master;
    program.platform.files.setCourseFolder(master);
    CourseSummary s = SummarizeCourse(program.platform.files, program.course);
    for (const std::string& message : s.messages)
        program.platform.prompter.message(message);
    if (!s.loaded) return 2;
    StreamWriter out(stdout);
    out.sjisLine(s.title);
    for (std::size_t k = 0; k < s.lessons.size(); ++k) {
        const CourseSummary::Lesson& l = s.lessons[k];
        int units = 0;
        for (const auto& sec : l.sections)
            units += sec.units;
        std::string head = std::to_string(k + 1) + ". " + l.name;
        if (l.loaded || !l.sections.empty())
            head += " (" + std::to_string(l.sections.size()) + " sections, " +
                    std::to_string(units) + " units)";
        else
            head += " (not loaded)";
        out.sjisLine(head);
        for (std::size_t n = 0; n < l.sections.size(); ++n)
            out.sjisLine("   " + std::to_string(n + 1) + ". " + l.sections[n].name + " (" +
                         std::to_string(l.sections[n].units) + " units)");
    }
    return out.finish() ? 0 : 2;
}

} // namespace

int runCli(int argc, char** argv) {
    QuietToolkitUnlessAsked();
    if (argc < 2) return runCourseOutline();
    const std::string first = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (first == "--help" || first == "-h") return printAndExit(MainUsage);
    if (first == "--version") return printAndExit("velmix " VELMIX_VERSION "\n");
    for (const Command& c : commands) {
        if (first != c.name) continue;
        if (asksForHelp(args)) return printAndExit(c.usage());
        return c.run(args);
    }
    std::fprintf(stderr, "velmix: unknown command %s\n%s", first.c_str(), MainUsage);
    return 2;
}
