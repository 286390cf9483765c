#pragma once
// The settings store: the program's key and the shared key of the user's registry.
// Every read follows one rule: a value that exists is read; a missing value (or key) is
// written with its default and the default returned, so after the first run every value
// the program reads is present. A value of the wrong type is reported once and its
// default used; the stored value is left alone. A value that cannot be stored (a full
// disk) is reported, once while the store keeps failing; the store keeps what it held.

#include <set>
#include <string>

#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "text/FileMessages.h"
#include "text/SettingKeys.h"

class Settings {
  public:
    // The records drive as the original platform's default spells it.
    static constexpr const char* DefaultRecDrive = settingkeys::RecDrive.fallbackUtf8;

    Settings(Registry& registry, Prompter& prompter);

    // theSchool: the school or cram-school name.
    std::string school();
    void setSchool(const std::string& name);
    // ShowDoYouKnow: show the tips panel at start.
    bool showDoYouKnow();
    void setShowDoYouKnow(bool show);
    // PaperSize: paper width in layout units.
    int paperSize();
    // LogOnName: the learner last logged on.
    std::string logOnName();
    void setLogOnName(const std::string& name);
    // KeyLock: student mode.
    bool keyLock();
    void setKeyLock(bool locked);
    // RecDrive of the shared key, as stored.
    std::string recDrive();
    // The records drive to use, ending in "\": the user's data folder while RecDrive
    // holds the untouched default (or nothing), else RecDrive.
    std::string recordsDrive(const std::string& userDataDir);
    // PrintMode: true prints at the printer's resolution, false the screen page image.
    bool printMode();

    // The read-default-write-back rule for a setting of the table.
    std::string read(const TextSetting& setting);
    int read(const IntSetting& setting);
    bool read(const BoolSetting& setting);

    // The read-default-write-back rule for any value.
    std::string readText(RegKey key, const std::string& name, const std::string& def);
    int readInt(RegKey key, const std::string& name, int def);
    bool readBool(RegKey key, const std::string& name, bool def);

  private:
    void reportWrongType(RegKey key, const std::string& name);
    void stored(const WriteResult& result);

    Registry& registry_;
    Prompter& prompter_;
    std::set<std::pair<int, std::string>> reported_;
    bool failing_ = false; // the last write failed and was reported
};
