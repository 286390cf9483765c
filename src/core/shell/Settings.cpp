#include "shell/Settings.h"

#include <utility>

#include "text/Sjis.h"

namespace {
const std::string& programKey() {
    return J("SoftWare\\Velmix++\\VelmixEQ");
}
const std::string& sharedKey() {
    return J("SoftWare\\Velmix\\Common");
}
} // namespace

Settings::Settings(Registry& registry, Prompter& prompter)
    : registry_(registry), prompter_(prompter) {}

void Settings::stored(const WriteResult& result) {
    if (result) {
        failing_ = false;
        return;
    }
    if (std::exchange(failing_, true)) return;
    prompter_.message(SettingsWriteFailureText(result));
}

void Settings::reportWrongType(RegKey key, const std::string& name) {
    if (!reported_.insert({static_cast<int>(key), sjis::asciiLower(name)}).second) return;
    const std::string& where = key == RegKey::Program ? programKey() : sharedKey();
    prompter_.message(J("設定 ") + where + "\\" + name +
                      J(" の値の型が正しくありません。既定値を使います"));
}

std::string Settings::readText(RegKey key, const std::string& name, const std::string& def) {
    if (registry_.has(key, name)) {
        if (auto v = registry_.readText(key, name)) return *v;
        reportWrongType(key, name);
        return def;
    }
    stored(registry_.writeText(key, name, def));
    return def;
}

int Settings::readInt(RegKey key, const std::string& name, int def) {
    if (registry_.has(key, name)) {
        if (auto v = registry_.readInt(key, name)) return *v;
        reportWrongType(key, name);
        return def;
    }
    stored(registry_.writeInt(key, name, def));
    return def;
}

bool Settings::readBool(RegKey key, const std::string& name, bool def) {
    if (registry_.has(key, name)) {
        if (auto v = registry_.readBool(key, name)) return *v;
        reportWrongType(key, name);
        return def;
    }
    stored(registry_.writeBool(key, name, def));
    return def;
}

std::string Settings::read(const TextSetting& setting) {
    return readText(setting.key, setting.name, FallbackText(setting));
}
int Settings::read(const IntSetting& setting) {
    return readInt(setting.key, setting.name, setting.fallback);
}
bool Settings::read(const BoolSetting& setting) {
    return readBool(setting.key, setting.name, setting.fallback);
}

std::string Settings::school() {
    return read(settingkeys::School);
}
void Settings::setSchool(const std::string& name) {
    stored(StoreSetting(registry_, settingkeys::School, name));
}

bool Settings::showDoYouKnow() {
    return read(settingkeys::ShowDoYouKnow);
}
void Settings::setShowDoYouKnow(bool show) {
    stored(StoreSetting(registry_, settingkeys::ShowDoYouKnow, show));
}

int Settings::paperSize() {
    return read(settingkeys::PaperSize);
}

std::string Settings::logOnName() {
    return read(settingkeys::LogOnName);
}
void Settings::setLogOnName(const std::string& name) {
    stored(StoreSetting(registry_, settingkeys::LogOnName, name));
}

bool Settings::keyLock() {
    return read(settingkeys::KeyLock);
}
void Settings::setKeyLock(bool locked) {
    stored(StoreSetting(registry_, settingkeys::KeyLock, locked));
}

std::string Settings::recDrive() {
    return read(settingkeys::RecDrive);
}

std::string Settings::recordsDrive(const std::string& userDataDir) {
    std::string drive = recDrive();
    // "C:\" names no folder here; the user's data folder takes its place. Another drive
    // letter ("D:\records") becomes a folder of that letter inside the data folder, so
    // that records never land relative to the working directory.
    if (drive.empty() || sjis::equalsIgnoreAsciiCase(drive, DefaultRecDrive)) {
        drive = userDataDir;
    } else if (drive.size() >= 2 && drive[1] == ':' &&
               ((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z'))) {
        std::string rest = drive.substr(2);
        if (!rest.empty() && rest.front() == '\\') rest.erase(0, 1);
        drive = userDataDir + drive.substr(0, 1) + "\\" + rest;
    }
    // The drive is used as a prefix, so it must end in "\".
    if (!drive.empty() && sjis::rfind(drive, '\\') != drive.size() - 1) drive += '\\';
    return drive;
}

bool Settings::printMode() {
    return read(settingkeys::PrintMode);
}
