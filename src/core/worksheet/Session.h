#pragma once
// Who works with the program now and how: the school and the learner the page header
// names, student mode, and whether start-up has finished.

#include <string>

struct Session {
    std::string schoolName;  // theSchool
    std::string learnerName; // LogOnName
    bool keyLock = false;    // student mode: answers stay hidden
    // Start-up has finished: activating a worksheet pushes its values into the controls.
    bool startupDone = false; // StartupDone
};
