#include "learners/Records.h"

#include "text/Profile.h"

int RecordCount(Files& files, const std::string& learnerFile, const std::string& section) {
    Profile file(files, learnerFile);
    return static_cast<int>(file.keys(section).size());
}
