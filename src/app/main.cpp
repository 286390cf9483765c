// Entry point: a sub-command runs the command-line face.
#include "cli/Cli.h"

int main(int argc, char** argv) { return runCli(argc, argv); }
