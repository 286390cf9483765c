#pragma once
// Test doubles for the platform services.

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ManualTimers.h"
#include "keys/SeededRandom.h"
#include "platform/Platform.h"

// Files held in memory, keyed by core path compared case-insensitively for ASCII.
// Folders are implicit for files and explicit through makeDir. Writes can be made to fail.
class MemoryFiles : public Files {
  public:
    std::map<std::string, std::string> files; // key: lower-cased path
    std::map<std::string, std::string> names; // lower-cased path -> path as written
    std::set<std::string> dirs;               // lower-cased, with trailing "\"
    std::set<std::string> unreadable;         // lower-cased paths that fail to read
    // Lower-cased paths of files and folders that are links leading out of the course
    // folder: they and everything below them read and write as Outside.
    std::set<std::string> linksOut;
    bool failWrites = false;
    std::string failReason = "No space left on device"; // given by failed writes
    bool readOnlyMedia = false;

    void put(const std::string& path, const std::string& bytes);
    void putUtf8(const std::string& utf8Path, const std::string& utf8Text); // CR LF lines
    std::string get(const std::string& path) const;

    ReadStatus read(const std::string& path, std::string& bytes) override;
    WriteResult write(const std::string& path, std::string_view bytes) override;
    bool fileExists(const std::string& path) override;
    bool dirExists(const std::string& path) override;
    bool makeDir(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    std::vector<std::string> list(const std::string& folder, const std::string& mask) override;
    bool isReadOnlyMedia(const std::string&) override { return readOnlyMedia; }
    void setCourseFolder(const std::string& folder) override { courseFolder = folder; }
    std::string courseFolder;

    // Locks: how many were taken, the lower-cased paths held now, and the lower-cased paths
    // written while their lock was not held. failLocks refuses every lock.
    int locksTaken = 0;
    std::multiset<std::string> held;
    std::vector<std::string> writtenUnlocked;
    bool failLocks = false;
    std::set<std::string> lockedElsewhere; // lower-cased paths whose lock is never had
    LockResult lock(const std::string& path) override;

  private:
    bool outside(const std::string& path) const;
};

// Records every message and answers questions from a queue (Yes when empty).
class ScriptedPrompter : public Prompter {
  public:
    std::vector<std::string> messages; // Shift-JIS, in order
    std::deque<int> answers;
    void message(const std::string& text) override { messages.push_back(text); }
    int askYesNo(const std::string& text) override { return next(text); }
    int askYesNoCancel(const std::string& text) override { return next(text); }
    // The messages converted to UTF-8, for readable assertions.
    std::vector<std::string> utf8() const;

  private:
    int next(const std::string& text);
};

class FixedClock : public Clock {
  public:
    DateTime time{2026, 12, 7, 9, 5, 0};
    DateTime now() override { return time; }
};

class MemoryRegistry : public Registry {
  public:
    struct Value {
        enum Kind { Text, Int, Bool } kind;
        std::string text;
        int number = 0;
    };
    std::map<std::pair<int, std::string>, Value> values;
    bool failWrites = false; // writes keep nothing and say "No space left on device"

    bool has(RegKey key, const std::string& name) override;
    std::optional<std::string> readText(RegKey key, const std::string& name) override;
    std::optional<int> readInt(RegKey key, const std::string& name) override;
    std::optional<bool> readBool(RegKey key, const std::string& name) override;
    WriteResult writeText(RegKey key, const std::string& name, const std::string& value) override;
    WriteResult writeInt(RegKey key, const std::string& name, int value) override;
    WriteResult writeBool(RegKey key, const std::string& name, bool value) override;
};

class MemoryPictures : public Pictures {
  public:
    std::map<std::string, Bitmap> stored; // lower-cased path
    ReadStatus load(const std::string& path, Bitmap& out) override;
    bool saveBmp(const std::string& path, const Bitmap& picture) override;
};

// Random numbers from a fixed seed: the same on every run and every machine.
class SeededRandomSource : public Random {
  public:
    explicit SeededRandomSource(std::uint64_t seed = 1) : r_(seed) {}
    int below(int count) override {
        if (count < 1) return 0;
        return static_cast<int>(r_.between(0, static_cast<std::uint64_t>(count) - 1));
    }

  private:
    keys::SeededRandom r_;
};

// A platform made of the doubles above, with the working directory "C:\course".
struct FakePlatform {
    MemoryFiles files;
    ScriptedPrompter prompter;
    FixedClock clock;
    MemoryRegistry registry;
    MemoryPictures pictures;
    SeededRandomSource random;
    ManualTimers timers;
    Platform platform{files,  prompter, clock,        registry,
                      pictures, random, timers, "C:\\course", "C:\\data\\"};
};
