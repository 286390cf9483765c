#pragma once
// The command-line face: velmix check / render / export.

// Runs a sub-command named by argv[1]; without one prints the course of the working
// directory in outline. Returns the process exit status.
int runCli(int argc, char** argv);
