#pragma once
// File and prompter services that have nothing and say nothing, and a program on them, for
// benchmarks that lay pages out without a course.

#include <string>
#include <string_view>
#include <vector>

#include "Program.h"
#include "platform/Files.h"
#include "platform/NullServices.h"
#include "platform/Prompter.h"

struct NullServices : Files, Prompter {
    ReadStatus read(const std::string&, std::string&) override { return ReadStatus::Missing; }
    WriteResult write(const std::string&, std::string_view) override {
        return WriteResult::failed();
    }
    bool fileExists(const std::string&) override { return false; }
    bool dirExists(const std::string&) override { return false; }
    bool makeDir(const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
    bool rename(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> list(const std::string&, const std::string&) override { return {}; }
    bool isReadOnlyMedia(const std::string&) override { return false; }
    void setCourseFolder(const std::string&) override {}
    void message(const std::string&) override {}
    int askYesNo(const std::string&) override { return 6; }
    int askYesNoCancel(const std::string&) override { return 6; }
};

// A program on the null services at a fixed moment (7 Dec 2026, 09:05).
struct NullProgram {
    NullServices services;
    FixedTimeClock clock{DateTime{2026, 12, 7, 9, 5, 0}};
    EmptyRegistry registry;
    NoPictures pictures;
    FirstPick random;
    StillTimers timers;
    Platform platform{services, services, clock,  registry,     pictures,
                      random,   timers,   "C:\\course", "C:\\data\\"};
    Program program{platform};
};
