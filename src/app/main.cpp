// Entry point: a sub-command or an option runs the command-line face; without any, the
// program's default.
#include "cli/Cli.h"

int main(int argc, char** argv) {
    if (!HasCliCommand(argc, argv)) return runCourseOutline();
    return runCli(argc, argv);
}
