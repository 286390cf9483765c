#pragma once
// The real platform services on QtCore alone, gathered into the Platform the core works
// with: files, settings, clock, timers, random numbers and console messages. Pictures come
// from the caller (QtPlatform brings the QtGui ones); without them no picture can be read,
// which suits the commands that read none (velmix records) and start without QtGui.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "qt/ConsolePrompter.h"
#include "qt/QtClock.h"
#include "qt/QtFiles.h"
#include "qt/QtRandom.h"
#include "qt/QtRegistry.h"
#include "qt/QtTimers.h"

// Services to use instead of the system's.
struct PlatformOverrides {
    Random* random = nullptr;
    Timers* timers = nullptr;
    Clock* clock = nullptr;
};

class QtCorePlatform {
  public:
    // Makes the pictures service on the platform's files.
    using PicturesMaker = std::function<std::unique_ptr<Pictures>(QtFiles&)>;
    // prompter: the message boxes to use; a ConsolePrompter answering No when null.
    // random, timers, clock: others than the system's (tests fix them); null for the real.
    // pictures: null for none (every picture then fails to load, and none is saved).
    using Overrides = PlatformOverrides;
    explicit QtCorePlatform(Prompter* prompter = nullptr, Overrides overrides = {},
                            const PicturesMaker& pictures = {});
    QtCorePlatform(const QtCorePlatform&) = delete;
    QtCorePlatform& operator=(const QtCorePlatform&) = delete;

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
    std::unique_ptr<Pictures> pictures_;
    QtRandom random_;
    QtTimers timers_;
    std::vector<std::string> problems_;
    std::unique_ptr<Platform> platform_;
};
