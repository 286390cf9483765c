#include "cli/Cli.h"

#include <QDir>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Program.h"
#include "cli/CheckUsage.h"
#include "cli/Modules.h"
#include "cli/RecordsCommand.h"
#include "cli/RenderUsage.h"
#include "cli/StreamWriter.h"
#include "formats/CourseSummary.h"
#include "qt/QtCorePlatform.h"
#include "qt/QtFiles.h"
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

// Prints text on standard output; the exit status of a request for it.
int printAndExit(const std::string& text) {
    StreamWriter out(stdout);
    out.write(text);
    return out.finish() ? 0 : 1;
}

// Runs command with args in the module name through its entry, as "velmix command args".
int runInModule(const char* name, const char* entry, const char* command,
                const std::vector<std::string>& args) {
    std::vector<std::string> all{"velmix", command};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return runModule(name, entry, static_cast<int>(all.size()), argv.data());
}

// The commands that draw or check run in modules of their own, so that the command line
// itself starts on QtCore alone: the check with the algebra library of the answer-key
// check, render and export with QtGui (varied copies with the algebra library too).
int runCheckModule(const std::vector<std::string>& args) {
    return runInModule("velmix-check", "velmix_check_main", "check", args);
}

bool asksForVariedCopies(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--vary") != args.end();
}

int runPaperModule(const char* command, const std::vector<std::string>& args) {
    if (asksForVariedCopies(args))
        return runInModule("velmix-vary", "velmix_vary_main", command, args);
    return runInModule("velmix-paper", "velmix_paper_main", command, args);
}

int runRenderModule(const std::vector<std::string>& args) {
    return runPaperModule("render", args);
}

int runExportModule(const std::vector<std::string>& args) {
    return runPaperModule("export", args);
}

struct Command {
    const char* name;
    const char* (*usage)();
    int (*run)(const std::vector<std::string>& args);
};

const Command commands[] = {
    {"check", [] { return CheckUsage; }, runCheckModule},
    {"render", [] { return RenderUsage; }, runRenderModule},
    {"export", [] { return ExportUsage; }, runExportModule},
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
    QtCorePlatform qt;
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
