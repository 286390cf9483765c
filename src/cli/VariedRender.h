#pragma once
// velmix render --vary SEED: numbered copies with new numbers, their answer sheets or their
// key booklet, into a PDF file. It runs in the module velmix-vary, which brings the
// answer-key checker's algebra library: a render without --vary never loads it.

#include <string>
#include <vector>

// args: the arguments after "render". The exit status: 0 every copy printed, 1 the
// worksheet could not be opened or written or a copy was left out (said on standard
// error), 2 a usage error.
int runVariedRender(const std::vector<std::string>& args);
// velmix export --vary SEED --copy N: copy N of the set as a worksheet file (Shift-JIS), its
// keys between the "#" pairs, to standard output or -o. The exit status as runExport's.
int runVariedExport(const std::vector<std::string>& args);
