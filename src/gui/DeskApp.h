#pragma once
// The windowed program's start: `velmix [COURSE_DIR]` with no sub-command.

// Runs the windowed program on the course folder named in argv (the working directory
// when none is named); returns the process exit status.
int runDesk(int argc, char** argv);
