#include "settings/SettingsStore.h"

#include <cstdlib>

namespace kestrova {

// The user's roaming application data, like every other per-user setting on
// Windows; not the Windows directory, which a user may not write to.
std::filesystem::path SettingsStore::defaultPath() {
    std::filesystem::path base = ".";
    for (const wchar_t* variable : {L"APPDATA", L"USERPROFILE"}) {
        const wchar_t* value = _wgetenv(variable);
        if (value != nullptr && *value != L'\0' && std::filesystem::path(value).is_absolute()) {
            base = value;
            break;
        }
    }
    return base / "kestrova" / kFileName;
}

// The companion files go beside the settings, in the user's application data.
std::filesystem::path SettingsStore::userDataDirectory() {
    return defaultPath().parent_path();
}

}  // namespace kestrova
