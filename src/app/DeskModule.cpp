// The windowed program as a module of its own, loaded by `velmix [COURSE_DIR]`: the command
// line never maps the widgets toolkit.
#include "gui/DeskApp.h"

extern "C" __attribute__((visibility("default"))) int velmix_desk_main(int argc, char** argv) {
    return runDesk(argc, argv);
}
