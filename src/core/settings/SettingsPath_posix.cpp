#include "settings/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kestrova {

namespace {

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
        return entry->pw_dir;
    }
    return ".";
}

}  // namespace

std::filesystem::path SettingsStore::defaultPath() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        base = homeDirectory() / ".config";
    }
    return base / "kestrova" / kFileName;
}

std::filesystem::path SettingsStore::userDataDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "kestrova";
    return homeDirectory() / ".local" / "share" / "kestrova";
}

}  // namespace kestrova
