#pragma once
// velmix records: every practice record of a course as CSV on standard output.

#include <string>
#include <vector>

// args: the arguments after "records". Exit status: 0 done, 1 some file or line could not
// be read (each said on standard error, the rest printed), 2 a usage error or a course
// that cannot be read.
int runRecords(const std::vector<std::string>& args);
const char* recordsUsage();
