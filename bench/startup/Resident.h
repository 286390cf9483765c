#pragma once
// Resident memory of a process in kB, from /proc (-1 when it cannot be read).

#include <fstream>
#include <string>

inline long residentKb(const std::string& pid = "self") {
    std::ifstream status("/proc/" + pid + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}
