// Entry point: a sub-command (or an option such as --help) runs the command-line face;
// otherwise the windowed program, a module of its own, starts on the course folder given.
#include <csignal>

#include "cli/Cli.h"
#include "cli/Modules.h"

int main(int argc, char** argv) {
    // A write beyond the largest file size the shell allows, or into a pipe whose reader has
    // gone, fails with its error (EFBIG, EPIPE) and is reported like a full disk, instead of
    // ending the program silently half-way through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    if (isCliInvocation(argc, argv)) return runCli(argc, argv);
    return runModule("velmix-desk", "velmix_desk_main", argc, argv);
}
