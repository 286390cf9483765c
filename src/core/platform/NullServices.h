#pragma once
// Services that do nothing: a clock at a fixed time, an empty settings store that keeps
// nothing, and no pictures. For programs that read a course without touching the user's
// settings (the course check, benchmarks).

#include "platform/Clock.h"
#include "platform/Pictures.h"
#include "platform/Registry.h"

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
