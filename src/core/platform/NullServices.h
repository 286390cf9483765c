#pragma once
// Services that do nothing: a clock at a fixed time, an empty settings store that keeps
// nothing, no pictures, a prompter that says nothing, a random source that always picks
// the first, and timers that never tick. For programs that read a course without a window
// or the user's settings (the course check, benchmarks).

#include "platform/Clock.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "platform/Random.h"
#include "platform/Registry.h"
#include "platform/Timers.h"

class FixedTimeClock : public Clock {
  public:
    explicit FixedTimeClock(DateTime t = {}) : time_(t) {}
    DateTime now() override { return time_; }

  private:
    DateTime time_;
};

class EmptyRegistry : public Registry {
  public:
    bool has(RegKey, const std::string&) override { return false; }
    std::optional<std::string> readText(RegKey, const std::string&) override { return {}; }
    std::optional<int> readInt(RegKey, const std::string&) override { return {}; }
    std::optional<bool> readBool(RegKey, const std::string&) override { return {}; }
    WriteResult writeText(RegKey, const std::string&, const std::string&) override { return {}; }
    WriteResult writeInt(RegKey, const std::string&, int) override { return {}; }
    WriteResult writeBool(RegKey, const std::string&, bool) override { return {}; }
};

class NoPictures : public Pictures {
  public:
    ReadStatus load(const std::string&, Bitmap&) override { return ReadStatus::Missing; }
    bool saveBmp(const std::string&, const Bitmap&) override { return false; }
};

class QuietPrompter : public Prompter {
  public:
    void message(const std::string&) override {}
    int askYesNo(const std::string&) override { return answer::No; }
    int askYesNoCancel(const std::string&) override { return answer::Cancel; }
};

class FirstPick : public Random {
  public:
    int below(int) override { return 0; }
};

class StillTimers : public Timers {
  public:
    std::unique_ptr<Timer> make() override { return std::make_unique<Still>(); }

  private:
    class Still : public Timer {
      public:
        void start(int, std::function<void()>) override { on_ = true; }
        void stop() override { on_ = false; }
        bool running() const override { return on_; }

      private:
        bool on_ = false;
    };
};
