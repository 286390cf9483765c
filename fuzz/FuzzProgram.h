#pragma once
// What every harness needs: a program on in-memory services with its master folder at
// "C:\course\", and a check that stops the run (libFuzzer reports it) when a property
// of the program's results does not hold.

#include <cstdio>
#include <cstdlib>

#include "Fakes.h"
#include "shell/Program.h"
#include "text/Sjis.h"

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__,        \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

struct FuzzProgram {
    static constexpr const char* Master = "C:\\course\\";
    FakePlatform fake;
    Program program{fake.platform};

    FuzzProgram() {
        program.shell.masterFolder = Master;
        program.shell.learnerName = J("共通");
        program.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
        program.shell.defaultFontFace = J("ＭＳ 明朝");
        program.shell.startupDone = true;
        program.shell.answersShown = true;
    }
};
