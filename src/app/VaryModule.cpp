// velmix render --vary as a module of its own, loaded only for it: varied copies need the
// answer-key checker and its algebra library.
#include <string>
#include <vector>

#include "cli/VariedRender.h"

extern "C" __attribute__((visibility("default"))) int velmix_vary_main(int argc, char** argv) {
    // argv[0] is the program, argv[1] "render" or "export".
    const std::vector<std::string> args(argv + (argc > 2 ? 2 : argc), argv + argc);
    if (argc > 1 && std::string(argv[1]) == "export") return runVariedExport(args);
    return runVariedRender(args);
}
