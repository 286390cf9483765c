#pragma once
// Every value the program keeps in the user's settings store: the key it is under, its
// name there and the value a first start writes. Whoever reads or writes a setting names
// it from this table, so that two parts of the program never disagree on a name.

#include <string>

#include "platform/Registry.h"

struct TextSetting {
    RegKey key;
    const char* name;
    const char* fallbackUtf8; // stored in Shift-JIS (FallbackText)
};
struct IntSetting {
    RegKey key;
    const char* name;
    int fallback;
};
struct BoolSetting {
    RegKey key;
    const char* name;
    bool fallback;
};

namespace settingkeys {

// The school or cram-school name the name line shows.
constexpr TextSetting School{RegKey::Program, "theSchool", ""};
// Show the tips panel at start.
constexpr BoolSetting ShowDoYouKnow{RegKey::Program, "ShowDoYouKnow", true};
// Paper width in layout units (A4 is 630).
constexpr IntSetting PaperSize{RegKey::Program, "PaperSize", 630};
// The learner last logged on; the shared learner until someone logs on.
constexpr TextSetting LogOnName{RegKey::Program, "LogOnName", "共通"};
// Student mode.
constexpr BoolSetting KeyLock{RegKey::Program, "KeyLock", false};
// The records drive, shared with the program's other titles; "C:\" means the user's data
// folder.
constexpr TextSetting RecDrive{RegKey::Shared, "RecDrive", "C:\\"};
// Printing at the printer's resolution (true) or as the screen page image: a first start
// prints sharp.
constexpr BoolSetting PrintMode{RegKey::Program, "PrintMode", true};
// Large letters: written for the program's other titles, never read here.
constexpr BoolSetting MojiL{RegKey::Program, "MojiL", false};

} // namespace settingkeys

// A text setting's first-start value, in Shift-JIS.
const std::string& FallbackText(const TextSetting& setting);

// Stores a setting's value in the registry.
WriteResult StoreSetting(Registry& registry, const TextSetting& setting, const std::string& value);
WriteResult StoreSetting(Registry& registry, const IntSetting& setting, int value);
WriteResult StoreSetting(Registry& registry, const BoolSetting& setting, bool value);
