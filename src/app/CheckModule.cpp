// The course check as a module of its own, loaded by `velmix check`.
#include <string>
#include <vector>

#include "cli/CheckCommand.h"

extern "C" __attribute__((visibility("default"))) int velmix_check_main(int argc, char** argv) {
    // argv[0] is the program, argv[1] "check".
    return runCheck(std::vector<std::string>(argv + (argc > 2 ? 2 : argc), argv + argc));
}
