// velmix render and velmix export as a module of their own, loaded only for them: the
// command line starts on QtCore alone, and only the commands that draw load QtGui.
#include <string>
#include <vector>

#include "cli/RenderCommands.h"

extern "C" __attribute__((visibility("default"))) int velmix_paper_main(int argc, char** argv) {
    // argv[0] is the program, argv[1] "render" or "export".
    const std::vector<std::string> args(argv + (argc > 2 ? 2 : argc), argv + argc);
    if (argc > 1 && std::string(argv[1]) == "export") return runExport(args);
    return runRender(args);
}
