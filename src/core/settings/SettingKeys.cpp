#include "settings/SettingKeys.h"

#include <array>

#include "common/Text.h"

namespace kestrova {

namespace {

#define KESTROVA_LIST_INT_KEY(name, dflt, group, rule) SettingKey{keys::name},
#define KESTROVA_LIST_TEXT_KEY(name, dflt, buffer, group, rule) SettingKey{keys::name},
const std::array kAllKeys{KESTROVA_SETTING_KEYS(KESTROVA_LIST_INT_KEY, KESTROVA_LIST_TEXT_KEY)};
#undef KESTROVA_LIST_INT_KEY
#undef KESTROVA_LIST_TEXT_KEY

}  // namespace

std::span<const SettingKey> allSettingKeys() {
    return kAllKeys;
}

const SettingKey* findSettingKey(std::string_view name) {
    for (const SettingKey& key : kAllKeys) {
        if (equalIgnoringAsciiCase(settingName(key), name)) {
            return &key;
        }
    }
    return nullptr;
}

std::string_view settingName(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.name; }, key);
}

SettingGroup settingGroup(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.group; }, key);
}

SettingRule settingRule(const SettingKey& key) {
    return std::visit([](const auto& k) { return k.rule; }, key);
}

bool connectionHoldsPassword(std::string_view connection) {
    if (lowerAsciiText(connection).find("password") != std::string::npos)
        return true;
    const std::size_t scheme = connection.find("://");
    if (scheme == std::string_view::npos)
        return false;
    const std::string_view rest = connection.substr(scheme + 3);
    const std::size_t at = rest.find('@');
    return at != std::string_view::npos && rest.substr(0, at).find(':') != std::string_view::npos;
}

}  // namespace kestrova
