#include "SettingsCommand.h"

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
    if (const std::string why = settingValueRefusal(*known, value); !why.empty()) {
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
