#pragma once
// INI files as the learners' records and passwords use them: "[section]" lines followed
// by "key=value" lines, Shift-JIS with CR LF. Section and key names match without regard
// to ASCII case; names and values are trimmed of blanks. A value read back is the value
// written: one that begins or ends with a blank or a quote is written inside one extra
// pair of double quotes, and a read strips one matching pair of quotes ('' or ""), as the
// original platform's files are read. Every operation reads the file afresh, and every
// change rewrites it whole through one atomic write, keeping the lines it does not
// understand as they were. A change that fails returns the message for the user; the
// profile shows nothing itself.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "text/Report.h"

// A name or value without the blanks around it, as a read sees it (Shift-JIS-safe: blanks
// are single-byte and never a second byte).
std::string_view TrimProfileBlanks(std::string_view s);
// An entry's value as a read gives it: trimmed, then one matching pair of quotes taken off.
std::string_view ProfileValueOf(std::string_view raw);

struct ProfileEntry {
    std::string key;
    std::string value;
};
struct ProfileSection {
    std::string name;
    std::vector<ProfileEntry> entries; // file order; a key given twice keeps its first value
};
// The whole file as the reads see it: each section once, at its first block.
struct ProfileContents {
    ReadStatus status = ReadStatus::Missing;
    std::vector<ProfileSection> sections;
};
// One value and whether the file could be read at all.
struct ProfileValue {
    ReadStatus status = ReadStatus::Missing; // of the file
    bool found = false;
    std::string text;
};

class Profile {
  public:
    // The longest value a read returns, in bytes; longer values are cut at a character.
    static constexpr std::size_t MaxValueBytes = 1023;

    Profile(Files& files, std::string path);

    const std::string& path() const { return path_; }

    // The value of key in section, or def when the file, section or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view def);
    // The value of key in section, telling a missing file or key from one that could not
    // be read.
    ProfileValue value(std::string_view section, std::string_view key);
    // Every section with its entries, read once.
    ProfileContents readAll();
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
    // Adds value to section (made when missing) under the key keyFor picks from the
    // section's present keys, in one read and one write. A file that cannot be read is not
    // replaced; the result is the files service's, or Failed with the reason.
    using KeyChooser = std::function<std::string(const std::vector<std::string>& keys)>;
    WriteResult addEntry(std::string_view section, const KeyChooser& keyFor,
                         std::string_view value);

  private:
    enum class Load { Ok, Missing, Error, Outside };
    Load load(std::vector<std::string>& lines);
    Report save(const std::vector<std::string>& lines);
    Report writeFailure(const std::string& reason = {}) const;
    static bool refusedNames(std::string_view section, std::string_view key);
    // A file that could not be read is not replaced: fails with the reason.
    Report refuseUnreadable(Load status) const;

    Files& files_;
    std::string path_;
};
