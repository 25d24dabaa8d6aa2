#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace kestrova {

// A whole file as read by readWholeFile.
struct FileContents {
    enum class Status {
        Read,     // `bytes` holds the whole file
        Missing,  // no file of that name: callers use their defaults
        Failed,   // it exists but could not be read whole: `error` says why
    };
    Status status = Status::Missing;
    std::string bytes;
    std::string error;  // "PATH: reason" when Failed

    bool read() const { return status == Status::Read; }
    bool failed() const { return status == Status::Failed; }
};

// Reads a regular file of at most `maxBytes`. Anything else is refused without
// reading a byte: a directory, FIFO, socket or device (a FIFO would block and
// a device may never end), or a file that is larger than `maxBytes` (reading
// half of it would lose the rest at the next rewrite). A symbolic link counts
// as its target. With `cutLongerFile`, a longer file yields its first
// `maxBytes` instead (for readers that never look further anyway).
FileContents readWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                           bool cutLongerFile = false);

// "PATH: reason" for an errno value.
std::string fileError(const std::filesystem::path& file, int errorNumber);

}  // namespace kestrova
