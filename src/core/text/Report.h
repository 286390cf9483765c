#pragma once
// What a step that may fail tells its caller: whether it went through and, when not, the
// message for the user (Shift-JIS). The step says nothing itself: the shell shows the
// message, the course check lists it.

#include <string>
#include <utility>

struct Report {
    bool ok = true;
    std::string message; // empty when there is nothing to tell

    static Report failed(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};
