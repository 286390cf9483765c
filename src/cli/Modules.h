#pragma once
// Parts of the program kept in modules of their own and loaded only when asked for: the
// windows (the widgets toolkit) and the course check (the algebra library of the answer-key
// check). The other commands start without them.

// Loads the module name (a file "name.so" beside the program, or in the installed module
// folder) and runs its entry function with argc and argv; returns the process exit status,
// or 2 with a message when the module cannot be loaded.
int runModule(const char* name, const char* entry, int argc, char** argv);
