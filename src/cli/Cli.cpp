#include "cli/Cli.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QDir>
#include <QString>

#include "cli/RenderCommands.h"
#include "formats/CourseCheck.h"
#include "formats/CourseSummary.h"
#include "qt/QtFiles.h"
#include "qt/QtPlatform.h"
#include "shell/Program.h"
#include "text/Sjis.h"

namespace {

// One line of Shift-JIS text as UTF-8, line breaks inside it turned into blanks.
void printLine(std::FILE* out, const std::string& sjisText) {
    std::string utf8 = sjis::toUtf8(sjisText);
    for (char& c : utf8)
        if (c == '\r' || c == '\n') c = ' ';
    utf8 += '\n';
    std::fwrite(utf8.data(), 1, utf8.size(), out);
}

void usage() {
    std::fprintf(stderr,
                 "usage: velmix [check|render|export] ...\n"
                 "       velmix check [COURSE_DIR]\n"
                 "       velmix render [COURSE_DIR] (--unit L.S.U[.R] | --prp FILE) -o OUT\n"
                 "       velmix export [COURSE_DIR] --unit L.S.U[.R] [-o FILE]\n");
}

// velmix check [COURSE_DIR]: every problem of the course on its own line.
int runCheck(int argc, char** argv) {
    if (argc > 3) {
        usage();
        return 2;
    }
    QString dir =
        QDir(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QDir::currentPath()).absolutePath();
    std::optional<std::string> core = QtFiles::toCorePath(QDir::cleanPath(dir));
    if (!core) {
        std::fprintf(stderr, "%s: the folder name cannot be written in code page 932\n",
                     dir.toStdString().c_str());
        return 2;
    }
    if (core->empty() || core->back() != '\\') *core += '\\';
    QtFiles files;
    CourseCheckReport report = CheckCourse(files, *core);
    if (!report.ran) {
        printLine(stderr, report.fatal);
        return 2;
    }
    for (const CheckProblem& p : report.problems)
        printLine(stdout, FormatProblem(p));
    std::printf("checked %d units: %zu problems\n", report.unitsChecked, report.problems.size());
    return report.problems.empty() ? 0 : 1;
}

// velmix (no arguments, for now): the course of the working directory in outline.
int runSummary() {
    QtPlatform qt;
    Program program(qt.platform());
    std::string master = qt.platform().workingDir;
    if (master.empty() || master.back() != '\\') master += '\\';
    program.shell.masterFolder = master;
    CourseSummary s = SummarizeCourse(program);
    if (!s.loaded) return 2;
    printLine(stdout, s.title);
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
        printLine(stdout, head);
        for (std::size_t n = 0; n < l.sections.size(); ++n)
            printLine(stdout, "   " + std::to_string(n + 1) + ". " + l.sections[n].name + " (" +
                                  std::to_string(l.sections[n].units) + " units)");
    }
    return 0;
}

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

// The sub-commands: argv[1] names one.
int runRenderCommand(int argc, char** argv) {
    return runRender(std::vector<std::string>(argv + 2, argv + argc));
}

int runExportCommand(int argc, char** argv) {
    return runExport(std::vector<std::string>(argv + 2, argv + argc));
}

const Command commands[] = {
    {"check", runCheck},
    {"render", runRenderCommand},
    {"export", runExportCommand},
};

} // namespace

bool isCliInvocation(int argc, char** argv) {
    if (argc < 2) return false;
    if (argv[1][0] == '-') return true;
    for (const Command& c : commands)
        if (std::strcmp(argv[1], c.name) == 0) return true;
    return false;
}

int runCli(int argc, char** argv) {
    if (argc < 2) return runSummary();
    for (const Command& c : commands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc, argv);
    usage();
    return 2;
}
