#include "settings/SettingsStore.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/BinaryReader.h"
#include "common/FileContents.h"
#include "common/FileLock.h"
#include "common/Text.h"
#include "settings/IniDocument.h"
#include "settings/SettingKeys.h"

namespace kestrova {

namespace {

// Where a write must go: the final target when the path is a symbolic link
// (relative links count from the link's folder), so the link survives.
std::filesystem::path linkTarget(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error)) {
            return path;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path iniFile, std::string section)
    : path_(std::move(iniFile)), section_(std::move(section)) {}

std::optional<std::string> SettingsStore::value(std::string_view key) const {
    const FileContents file = readWholeFile(path_, kMaxFileBytes);
    if (!file.read()) {
        return std::nullopt;
    }
    return IniDocument(file.bytes).value(section_, key);
}

std::string SettingsStore::readProblem() const {
    return readWholeFile(path_, kMaxFileBytes).error;
}

int SettingsStore::readInt(std::string_view key, int defaultValue) const {
    const std::optional<std::string> found = value(key);
    return found ? parseInt(*found, defaultValue) : defaultValue;
}

int SettingsStore::parseInt(std::string_view stored, int defaultValue) {
    return stored.empty() ? defaultValue : leadingInteger(stored);
}

std::string SettingsStore::readText(std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferBytes) const {
    std::optional<std::string> found = value(key);
    std::string result = found ? std::move(*found) : std::string(defaultValue);
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
    lastError_.clear();
    const std::filesystem::path file = linkTarget(path_);
    if (const std::filesystem::path directory = file.parent_path(); !directory.empty()) {
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error) {
            lastError_ = directory.string() + ": " + error.message();
            return false;
        }
    }
    const FileLock lock(file);
    if (!lock.locked()) {
        lastError_ = lock.error();
        return false;
    }
    // Every writer holds the lock while its temporary exists: any found now
    // is a killed write's, however young.
    removeStaleTemporaries(file, std::chrono::seconds(0));
    FileContents old = readWholeFile(file, kMaxFileBytes);
    if (old.failed()) {
        lastError_ = old.error;
        return false;
    }
    IniDocument document(std::move(old.bytes));
    if (!document.setValue(section_, key, value)) {
        lastError_ = std::string(key) + ": a key or value the file cannot hold";
        return false;
    }
    // The shared history's connection text may hold its password: the file is
    // then the user's alone. (Without one it keeps the mode it had.)
    const std::optional<std::string> history = document.value(section_, keys::historydb.name);
    const bool secret = history && connectionHoldsPassword(*history);
    constexpr auto kOwnerOnly =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    if (!(secret ? writeFileAtomically(file, document.text(), kOwnerOnly, &lastError_)
                 : writeFileAtomically(file, document.text(), &lastError_))) {
        return false;
    }
    return true;
}

}  // namespace kestrova
