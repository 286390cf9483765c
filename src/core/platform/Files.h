#pragma once
// The file system as the program sees it. Paths are Shift-JIS core paths in the
// course's own form: folders joined with "\", the master folder ending in "\".
// The platform layer maps them to native paths.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WriteResult.h"

// Outside: the path lies in the course folder by name but a symbolic link on the way
// leads out of it; the file is refused as a name that leaves the folder is.
enum class ReadStatus { Ok, Missing, Error, Outside };

// A held lock of one file; released when destroyed.
class FileLock {
  public:
    virtual ~FileLock() = default;
};

struct LockResult {
    std::unique_ptr<FileLock> held; // null when the lock was not taken
    std::string reason;             // why not (Shift-JIS)
    explicit operator bool() const { return held != nullptr; }
};

class Files {
  public:
    virtual ~Files() = default;
    // Reads the whole file. Missing and unreadable files are told apart.
    virtual ReadStatus read(const std::string& path, std::string& bytes) = 0;
    // Writes the whole file atomically: on failure the old file stays whole.
    virtual WriteResult write(const std::string& path, std::string_view bytes) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool dirExists(const std::string& path) = 0;
    // Creates the folder (and missing parents).
    virtual bool makeDir(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Names (no folder) of the files in folder matching mask ("*.prp"), case-insensitive,
    // sorted by name.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& mask) = 0;
    // True when the path lies on read-only or optical media, or in a folder this user
    // cannot write.
    virtual bool isReadOnlyMedia(const std::string& path) = 0;
    // The course folder (ending in "\"; empty for none). Reading and writing a path inside
    // it whose file, through symbolic links, lies outside it gives Outside.
    virtual void setCourseFolder(const std::string& folder) = 0;
    // Takes the lock that every read-modify-write of path holds, shared with every process
    // that locks the same path on this or another computer: waits while another holds it
    // and gives up with the reason after a few seconds, or when the lock cannot be made
    // (a read-only folder). This default serves services no other process shares.
    virtual LockResult lock(const std::string& path) {
        (void)path;
        return {std::make_unique<FileLock>(), {}};
    }
};
