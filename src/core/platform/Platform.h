#pragma once
// The services the core reaches the outside world through. The Qt layer supplies the
// real ones; tests supply doubles.

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "platform/Random.h"
#include "platform/Registry.h"
#include "platform/Timers.h"

#include <string>

struct Platform {
    Files& files;
    Prompter& prompter;
    Clock& clock;
    Registry& registry;
    Pictures& pictures;
    Random& random;
    Timers& timers;
    // Process facts: the working directory at start (core path form) without a trailing
    // "\", and the user's data folder with one.
    std::string workingDir;
    std::string userDataDir;
};
