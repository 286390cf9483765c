#pragma once
// The command-line face: velmix check / render / export.

// Runs a sub-command; argv[1] names it. Returns the process exit status.
int runCli(int argc, char** argv);
