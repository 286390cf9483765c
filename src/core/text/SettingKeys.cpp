#include "text/SettingKeys.h"

#include "text/Sjis.h"

const std::string& FallbackText(const TextSetting& setting) {
    return J(setting.fallbackUtf8);
}

WriteResult StoreSetting(Registry& registry, const TextSetting& setting, const std::string& value) {
    return registry.writeText(setting.key, setting.name, value);
}

WriteResult StoreSetting(Registry& registry, const IntSetting& setting, int value) {
    return registry.writeInt(setting.key, setting.name, value);
}

WriteResult StoreSetting(Registry& registry, const BoolSetting& setting, bool value) {
    return registry.writeBool(setting.key, setting.name, value);
}
