#include "SettingsCommand.h"

#include <charconv>
#include <string_view>
#include <variant>

#include "SessionTypes.h"

namespace kestrova {

namespace {

std::string currentValue(const SettingsStore& store, const SettingKey& key) {
    if (const auto* intKey = std::get_if<IntKey>(&key)) {
        return std::to_string(store.read(*intKey));
    }
    return store.readText(std::get<TextKey>(key));
}

bool isDecimalInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && !text.empty();
}

// Empty when the key can take the value, otherwise why not.
std::string refusal(const SettingKey& key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return "a value must fit on one line";
    }
    switch (settingRule(key)) {
        case SettingRule::Flag:
        case SettingRule::ExactFlag:
            return (value == "0" || value == "1") ? "" : "a flag takes 0 or 1";
        case SettingRule::Integer:
            return isDecimalInt(value) ? "" : "this key takes a decimal integer";
        case SettingRule::TypedNumber:
        case SettingRule::Text:
            return "";
    }
    return "";
}

const SettingKey* knownKey(std::string_view name, std::ostream& err) {
    const SettingKey* key = findSettingKey(name);
    if (key == nullptr) {
        err << "kestrova-cli settings: unknown key \"" << name
            << "\" (\"kestrova-cli settings list\" shows every key)\n";
    }
    return key;
}

// Defaults read from a file that exists but cannot be read would be wrong.
bool readable(const SettingsStore& store, std::ostream& err) {
    if (const std::string problem = store.readProblem(); !problem.empty()) {
        err << "kestrova-cli settings: " << problem << '\n';
        return false;
    }
    return true;
}

}  // namespace

int runSettingsList(const SettingsStore& store, std::ostream& out, std::ostream& err) {
    if (!readable(store, err)) {
        return 1;
    }
    for (const SettingKey& key : allSettingKeys()) {
        out << settingName(key) << '=' << currentValue(store, key) << '\n';
    }
    return 0;
}

int runSettingsGet(const SettingsStore& store, const std::string& key, std::ostream& out,
                   std::ostream& err) {
    if (!readable(store, err)) {
        return 1;
    }
    const SettingKey* known = knownKey(key, err);
    if (known == nullptr) {
        return 1;
    }
    out << currentValue(store, *known) << '\n';
    return 0;
}

int runSettingsSet(SettingsStore& store, const std::string& key, const std::string& value,
                   std::ostream& err) {
    const SettingKey* known = knownKey(key, err);
    if (known == nullptr) {
        return 1;
    }
    if (const std::string why = refusal(*known, value); !why.empty()) {
        err << "kestrova-cli settings: " << settingName(*known) << ": " << why << '\n';
        return 1;
    }
    // Stored under the table's spelling unless the file already has the key.
    if (!store.writeText(settingName(*known), value)) {
        err << "kestrova-cli settings: cannot write " << store.lastError() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace kestrova
