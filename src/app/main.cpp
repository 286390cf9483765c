// Entry point: a sub-command (or an option such as --help) runs the command-line face;
// otherwise the windowed program, a module of its own, starts on the course folder given.
#include "cli/Cli.h"
#include "cli/Modules.h"

int main(int argc, char** argv) {
    if (isCliInvocation(argc, argv)) return runCli(argc, argv);
    return runModule("velmix-desk", "velmix_desk_main", argc, argv);
}
