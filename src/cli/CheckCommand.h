#pragma once
// velmix check [--keys] [COURSE_DIR]: the course read as the program reads it, every problem
// on a line of its own.

#include <string>
#include <vector>

// The arguments after "check"; returns the process exit status.
int runCheck(const std::vector<std::string>& arguments);
