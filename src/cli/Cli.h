#pragma once
// The command-line face: velmix check / render / export, --help and --version.

// True when the arguments ask for the command line: a sub-command or an option. Without
// any, the program does its default (for now the course outline below).
bool HasCliCommand(int argc, char** argv);
// Runs what argv[1] names. Returns the process exit status.
int runCli(int argc, char** argv);
// velmix without arguments: the course of the working directory in outline.
int runCourseOutline();
