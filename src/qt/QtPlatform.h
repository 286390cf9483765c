#pragma once
// The real platform services on Qt, gathered into the Platform the core works with.
// The command line and the windows each build one at start.

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "qt/ConsolePrompter.h"
#include "qt/QtClock.h"
#include "qt/QtFiles.h"
#include "qt/QtPictures.h"
#include "qt/QtRandom.h"
#include "qt/QtRegistry.h"
#include "qt/QtTimers.h"

// Services to use instead of the system's.
struct PlatformOverrides {
    Random* random = nullptr;
    Timers* timers = nullptr;
    Clock* clock = nullptr;
};

class QtPlatform {
  public:
    // prompter: the message boxes to use; a ConsolePrompter answering No when null.
    // random, timers, clock: others than the system's (tests fix them); null for the real.
    using Overrides = PlatformOverrides;
    explicit QtPlatform(Prompter* prompter = nullptr, Overrides overrides = {});
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform& platform() { return *platform_; }
    QtFiles& files() { return files_; }
    QtRegistry& registry() { return registry_; }
    // Folders that could not be put in core form (already reported through the prompter).
    const std::vector<std::string>& problems() const { return problems_; }

    // The process facts in core form, as the platform carries them.
    static std::optional<std::string> workingDir();
    static std::optional<std::string> tempDir();
    static std::optional<std::string> userDataDir();

  private:
    QtFiles files_;
    std::unique_ptr<ConsolePrompter> ownPrompter_;
    Prompter& prompter_;
    QtClock clock_;
    QtRegistry registry_;
    QtPictures pictures_{files_};
    QtRandom random_;
    QtTimers timers_;
    std::vector<std::string> problems_;
    std::unique_ptr<Platform> platform_;
};
