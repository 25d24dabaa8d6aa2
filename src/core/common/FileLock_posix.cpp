#include "common/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "common/FileContents.h"

namespace kestrova {

std::filesystem::path FileLock::lockPath(const std::filesystem::path& file) {
    std::filesystem::path directory = file.parent_path();
    return directory / ("." + file.filename().string() + ".lock");
}

FileLock::FileLock(const std::filesystem::path& file) {
    const std::filesystem::path path = lockPath(file);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd_ < 0) {
        error_ = fileError(path, errno);
        return;
    }
    int result = 0;
    while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        error_ = fileError(path, errno);
        ::close(fd_);
        fd_ = -1;
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
}

}  // namespace kestrova
