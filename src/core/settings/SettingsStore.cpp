#include "settings/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/Text.h"
#include "settings/IniDocument.h"

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

SettingsStore::SettingsStore(std::filesystem::path iniFile, std::string section)
    : path_(std::move(iniFile)), section_(std::move(section)) {}

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

int SettingsStore::readInt(std::string_view key, int defaultValue) const {
    const std::optional<std::string> text = readFileBounded(path_, kMaxFileBytes);
    if (!text) {
        return defaultValue;
    }
    const std::optional<std::string> value = IniDocument(*text).value(section_, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    return leadingInteger(*value);
}

std::string SettingsStore::readText(std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferBytes) const {
    std::optional<std::string> value;
    if (const std::optional<std::string> text = readFileBounded(path_, kMaxFileBytes)) {
        value = IniDocument(*text).value(section_, key);
    }
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    result.resize(std::min(result.size(), bufferBytes == 0 ? 0 : bufferBytes - 1));
    return result;
}

std::string SettingsStore::readText(const TypedNumberKey& typed) const {
    return readText(typed.key.name, std::to_string(typed.key.defaultValue), typed.bufferBytes);
}

bool SettingsStore::writeInt(const IntKey& key, int value) {
    return writeText(key.name, std::to_string(value));
}

bool SettingsStore::writeText(std::string_view key, std::string_view value) {
    std::string text;
    std::error_code error;
    if (std::filesystem::exists(path_, error)) {
        if (std::filesystem::file_size(path_, error) > kMaxFileBytes || error) {
            return false;
        }
        std::optional<std::string> old = readFileBounded(path_, kMaxFileBytes);
        if (!old) {
            return false;
        }
        text = std::move(*old);
    } else if (error) {
        return false;
    }

    IniDocument document(std::move(text));
    if (!document.setValue(section_, key, value)) {
        return false;
    }
    if (const std::filesystem::path directory = path_.parent_path(); !directory.empty()) {
        std::filesystem::create_directories(directory, error);
        if (error) {
            return false;
        }
    }
    return writeFileAtomically(path_, document.text());
}

}  // namespace kestrova
