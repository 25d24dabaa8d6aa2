#pragma once

#include "settings/SettingKeys.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

class SettingsStore;

// Writes a settings group: its keys to the settings file and its companion
// files to the working directory. A write that fails does not stop the others;
// the first failure is kept so that the user hears of it once.
class SettingsSaver final {
public:
    SettingsSaver(SettingsStore& store, std::filesystem::path directory)
        : store_(store), directory_(std::move(directory)) {}

    const std::filesystem::path& directory() const { return directory_; }

    void flag(const IntKey& key, bool on);  // "1" or "0"
    void number(const IntKey& key, int value);
    // A number as the user typed it, or free text.
    void text(const IntKey& key, std::string_view typed);
    void text(const TextKey& key, std::string_view value);
    // A companion file written (or not) by its own class.
    void file(bool written, std::string_view fileName);
    void failed(std::string problem);

    // Empty when everything was written.
    const std::string& problem() const { return problem_; }

private:
    void write(std::string_view key, std::string_view value);

    SettingsStore& store_;
    std::filesystem::path directory_;
    std::string problem_;
};

}  // namespace kestrova
