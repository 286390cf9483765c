// Entry point: a sub-command (or an option such as --help) runs the command-line face;
// otherwise the windowed program starts on the course folder given, if any.
#include "cli/Cli.h"
#include "gui/DeskApp.h"

int main(int argc, char** argv) {
    if (isCliInvocation(argc, argv)) return runCli(argc, argv);
    return runDesk(argc, argv);
}
