#pragma once
// The file service on the local file system. Core paths are Shift-JIS with "\" between
// folders; native paths are UTF-8 with "/". A name that does not exist as written is
// looked up without regard to case, one path component at a time, because courses come
// from file systems that ignore case ("Main.ind" finds "MAIN.IND").
//
// Inside the course folder, a path whose file lies outside it through a symbolic link
// (a linked file or folder) is refused for reading and writing, as the program refuses a
// name that climbs out of the folder. Writes go through the atomic save.

#include <optional>
#include <string>

#include <QString>

#include "platform/Files.h"

class QtFiles : public Files {
  public:
    // The native path for a core path, with case-insensitive lookup of each component
    // that does not exist as written. Components not found at all stay as written.
    static QString toNative(const std::string& corePath);
    // The core path for a native path, or nothing when the path holds characters that
    // code page 932 cannot represent.
    static std::optional<std::string> toCorePath(const QString& nativePath);
    // Case-insensitive wildcard match of "*" and "?" over Shift-JIS names ("*.*" is "*").
    static bool matchMask(std::string_view mask, std::string_view name);

    // The native path of a file to read, or nothing when it is refused as outside the
    // course folder.
    std::optional<QString> readablePath(const std::string& corePath) const;

    ReadStatus read(const std::string& path, std::string& bytes) override;
    WriteResult write(const std::string& path, std::string_view bytes) override;
    bool fileExists(const std::string& path) override;
    bool dirExists(const std::string& path) override;
    bool makeDir(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    std::vector<std::string> list(const std::string& folder, const std::string& mask) override;
    bool isReadOnlyMedia(const std::string& path) override;
    void setCourseFolder(const std::string& folder) override;
    // An flock() on a lock file beside the file (".<name>.lock", hidden from the program's
    // file lists, left in place): other processes, here or on another computer sharing
    // the folder, wait for it; the system releases it when its holder ends.
    LockResult lock(const std::string& path) override;

    // How long lock() waits for another holder, in milliseconds.
    static constexpr int LockWaitMs = 10000;

  private:
    // True when native lies in the course folder by name but its file lies outside it.
    bool leavesCourse(const QString& native) const;

    QString courseByName_;   // the course folder, absolute and clean; empty for none
    QString courseResolved_; // the same with every link resolved
};
