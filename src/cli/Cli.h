#pragma once
// The command-line face: velmix check / render / export, --help and --version.

// True when argv names a sub-command or an option (an argument starting with "-"):
// the command line handles it; anything else starts the windowed program.
bool isCliInvocation(int argc, char** argv);

// Runs what argv[1] names; without anything prints the course of the working directory in
// outline. Returns the process exit status.
int runCli(int argc, char** argv);
