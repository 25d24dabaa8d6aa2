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

    // A trace that writes nothing: runs without a window (the command line) promise
    // to leave no "log.txt" behind.
    static TraceLog off() { return TraceLog(std::filesystem::path()); }
    bool isOff() const { return file_.empty(); }

    // Empties the file, creating it when missing. Both do nothing when off.
    bool truncate() const;
    bool append(std::string_view text) const;

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace kestrova
