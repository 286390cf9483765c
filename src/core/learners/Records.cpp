#include "learners/Records.h"

#include "shell/Program.h"
#include "text/Profile.h"

int RecordCount(Program& p, const std::string& learnerFile, const std::string& section) {
    Profile file(p.platform.files, p.platform.prompter, learnerFile);
    return static_cast<int>(file.keys(section).size());
}
