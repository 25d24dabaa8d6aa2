#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrova {

// Replaces `file` with `bytes` so that a crash or power cut at any moment leaves
// either the old file or the new one, never a mixture: the bytes go to a
// temporary file in the same directory, are flushed to disk, and the temporary
// file is then renamed over the old one. The directory must exist.
//
// Returns false when any step fails; the old file is then untouched, the
// temporary file is removed and `error` (when given) gets "PATH: reason".
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error = nullptr);

// The same for a file given in parts, written one after the other: a large
// file and what is added to it need not be joined in memory first.
bool writeFileAtomically(const std::filesystem::path& file,
                         std::initializer_list<std::string_view> parts,
                         std::string* error = nullptr);

// The same, but the new file has exactly `permissions` from the moment its
// temporary file exists, whatever the mode of the file it replaces (for files
// holding secrets, such as passwords).
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::filesystem::perms permissions, std::string* error = nullptr);

// Removes the temporary files that writes of `file` left behind when they were
// killed mid-way. Only files older than `minimumAge` go, so a write in
// progress in another process keeps its own; a caller holding the file's
// FileLock, which every writer of the file takes, may pass zero.
void removeStaleTemporaries(const std::filesystem::path& file,
                            std::chrono::seconds minimumAge = std::chrono::minutes(1));

// The same, a minute old, for every file of `directory` that `isOurs` names:
// the sweep at start, which finds what saves of files no later save cleans up
// left behind.
void removeStaleTemporariesIn(const std::filesystem::path& directory,
                              const std::function<bool(std::string_view)>& isOurs);

// The steps of a rewrite, in order, for fault tests: a test installs a probe
// that is called before every step of every rewrite in the process and may
// stop the process there, or fail the step by returning an errno value (0
// lets it run). Without a probe (the default) nothing is called.
enum class AtomicWriteStep {
    CreateTemporary,
    WriteBytes,
    SyncFile,
    CloseFile,
    Rename,
    SyncDirectory
};
using AtomicWriteProbe = int (*)(AtomicWriteStep step);
void setAtomicWriteProbe(AtomicWriteProbe probe);

}  // namespace kestrova
