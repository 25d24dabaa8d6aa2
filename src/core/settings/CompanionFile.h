#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The binary companion files of the settings live in one directory (the
// working directory in the product; an empty path means exactly that). Each
// file's format is in its own class; these are the pieces they share.

// No companion file is anywhere near this size; a reader never looks further.
inline constexpr std::size_t kMaxCompanionFileBytes = 1024 * 1024;

inline std::filesystem::path companionPath(const std::filesystem::path& directory,
                                           std::string_view fileName) {
    return directory / fileName;
}

// The bytes of a companion file, or nullopt when it cannot be opened.
std::optional<std::string> readCompanionFile(const std::filesystem::path& directory,
                                             std::string_view fileName);

// Rewrites a companion file whole, atomically.
bool writeCompanionFile(const std::filesystem::path& directory, std::string_view fileName,
                        std::string_view bytes);

}  // namespace kestrova
