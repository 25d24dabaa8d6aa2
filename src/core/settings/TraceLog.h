#pragma once

#include <filesystem>
#include <string_view>
#include <utility>

namespace kestrova {

// The trace file "log.txt": emptied at start-up, then appended to by start-up
// markers, the database connect step and shutdown. Every write opens, appends
// and closes, so the file tells how far the program got even after a crash.
class TraceLog final {
public:
    static constexpr std::string_view kFileName = "log.txt";
    static constexpr std::string_view kCleanupMarker = "---->cleanup\n";

    explicit TraceLog(std::filesystem::path file = std::filesystem::path(kFileName))
        : file_(std::move(file)) {}

    // Empties the file, creating it when missing.
    bool truncate() const;
    bool append(std::string_view text) const;

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace kestrova
