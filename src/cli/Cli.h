#pragma once
// The command-line face: velmix check / render / export.

// True when argv names a sub-command or an option (an argument starting with "-"):
// the command line handles it; anything else starts the windowed program.
bool isCliInvocation(int argc, char** argv);

// Runs a sub-command named by argv[1]; without one prints the course of the working
// directory in outline. Returns the process exit status.
int runCli(int argc, char** argv);
