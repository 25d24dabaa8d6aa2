#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingKeys.h"

namespace kestrova {

// The user's settings: one section of an INI file read and written with the
// semantics of the Windows private-profile functions (names match ignoring
// case; integers are the leading decimal digits; every write goes to the file
// at once and keeps every other line of it). There is no cache: each read
// opens the file, so a value written by anyone is seen at the next read.
class SettingsStore {
public:
    static constexpr std::string_view kFileName = "Velloran.ini";
    static constexpr std::string_view kSection = "Tallyhand";
    // A larger file is refused whole (read as defaults, never rewritten):
    // reading part of it would drop the rest at the next write.
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

    explicit SettingsStore(std::filesystem::path iniFile,
                           std::string section = std::string(kSection));

    // $XDG_CONFIG_HOME/kestrova/Velloran.ini, or ~/.config/kestrova/Velloran.ini
    // when the variable is unset, empty or not absolute.
    static std::filesystem::path defaultPath();
    // The per-user folder of the companion files: $XDG_DATA_HOME/kestrova, or
    // ~/.local/share/kestrova under the same rule.
    static std::filesystem::path userDataDirectory();

    // The default for a missing file, section or key and for an empty value;
    // otherwise the leading decimal digits (optionally signed), 0 without any.
    int readInt(std::string_view key, int defaultValue) const;
    // The same rule for a value in hand: the default when empty, else its leading digits.
    static int parseInt(std::string_view stored, int defaultValue);
    // The stored text (or the default) cut to bufferBytes - 1 bytes.
    std::string readText(std::string_view key, std::string_view defaultValue,
                         std::size_t bufferBytes) const;
    // Stores the value at once, creating the directory and file when needed.
    // False when the file could not be read or written or the key or value
    // cannot be stored (line breaks); the old file is then left as it was and
    // lastError() says why. Concurrent writers (other processes too) are
    // serialised by a lock, so none loses another's key. A symbolic link is
    // written through: its target gets the new text.
    bool writeText(std::string_view key, std::string_view value);

    // Why the file cannot be read ("PATH: reason": unreadable, no regular
    // file, too large), or empty when it can be or is missing. Reads then give
    // the defaults; a caller that must not act on them asks first.
    std::string readProblem() const;
    const std::string& lastError() const { return lastError_; }

    // The same through the key table, each reader passing its own default.
    int read(const IntKey& key) const { return readInt(key.name, key.defaultValue); }
    std::string readText(const TextKey& key) const {
        return readText(key.name, key.defaultValue, key.bufferBytes);
    }
    std::string readText(const TypedNumberKey& typed) const;
    bool writeInt(const IntKey& key, int value);
    bool writeFlag(const IntKey& key, bool on) { return writeText(key.name, on ? "1" : "0"); }
    // A number as the user typed it, unvalidated.
    bool writeText(const IntKey& key, std::string_view typed) { return writeText(key.name, typed); }
    bool writeText(const TextKey& key, std::string_view value) {
        return writeText(key.name, value);
    }

    const std::filesystem::path& path() const { return path_; }

private:
    std::optional<std::string> value(std::string_view key) const;

    std::filesystem::path path_;
    std::string section_;
    std::string lastError_;
};

}  // namespace kestrova
