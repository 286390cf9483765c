#pragma once
// INI files as the learners' records and passwords use them: "[section]" lines followed
// by "key=value" lines, Shift-JIS with CR LF. Section and key names match without regard
// to ASCII case; names and values are trimmed of blanks. Every operation reads the file
// afresh, and every change rewrites it whole through one atomic write, keeping the lines
// it does not understand as they were. A change that fails returns the message for the
// user; the profile shows nothing itself.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "text/Report.h"

class Profile {
  public:
    // The longest value a read returns, in bytes; longer values are cut at a character.
    static constexpr std::size_t MaxValueBytes = 1023;

    Profile(Files& files, std::string path);

    const std::string& path() const { return path_; }

    // The value of key in section, or def when the file, section or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view def);
    // Sets key in section to value, creating the file, section or key as needed. Names
    // that would not read back as written (a line break, a key with "=" or starting with
    // "[" or ";", a name ending in a lone lead byte) are refused before anything is written.
    // On failure the message is "<path> に書き込めません" (with the system's reason when it
    // gave one) and the file stays as it was; a file reached through a link that leads out
    // of the course folder is refused with the outside-the-course message.
    Report writeString(std::string_view section, std::string_view key, std::string_view value);
    // The key names of section in file order; empty when the file or section is missing.
    std::vector<std::string> keys(std::string_view section);
    // Removes every "[section]" block with its keys. A missing file or section is no
    // failure; a failed write fails as writeString does.
    Report eraseSection(std::string_view section);

  private:
    enum class Load { Ok, Missing, Error, Outside };
    Load load(std::vector<std::string>& lines);
    Report save(const std::vector<std::string>& lines);
    Report writeFailure(const std::string& reason = {}) const;
    // A file that could not be read is not replaced: fails with the reason.
    Report refuseUnreadable(Load status) const;

    Files& files_;
    std::string path_;
};
