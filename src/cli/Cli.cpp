#include "cli/Cli.h"

#include <cstdio>
#include <cstring>

namespace {

void usage() {
    std::fprintf(stderr, "usage: velmix [check|render|export] ...\n");
}

} // namespace

int runCli(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        usage();
        return 2;
    }
    usage();
    return 2;
}
