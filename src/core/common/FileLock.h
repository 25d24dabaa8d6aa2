#pragma once

#include <filesystem>
#include <string>

namespace kestrova {

// An exclusive advisory lock that serialises read-modify-write cycles of one
// file among processes (two `kestrova-cli settings set`, or the window and a
// script). The lock is taken on a hidden companion ".NAME.lock" beside the
// file, never on the file itself: the writers replace the file by renaming,
// so a lock on its old inode would not exclude a writer that opened the new
// one. The lock file stays on disk; it holds no data.
//
// Readers take no lock: every rewrite is atomic, so they see the old or the
// new file whole.
class FileLock final {
public:
    // Blocks until the lock is held, or fails (locked() false, error() says
    // why) when the lock file cannot be created, e.g. in a read-only folder.
    explicit FileLock(const std::filesystem::path& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }

    static std::filesystem::path lockPath(const std::filesystem::path& file);

private:
    int fd_ = -1;
    std::string error_;
};

}  // namespace kestrova
