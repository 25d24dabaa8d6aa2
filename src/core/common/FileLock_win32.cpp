#include "common/FileLock.h"

#include "common/FileContents.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

namespace kestrova {

std::filesystem::path FileLock::lockPath(const std::filesystem::path& file) {
    std::filesystem::path directory = file.parent_path();
    return directory / ("." + file.filename().string() + ".lock");
}

FileLock::FileLock(const std::filesystem::path& file) {
    const std::filesystem::path path = lockPath(file);
    fd_ = _wopen(path.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd_ < 0) {
        error_ = fileError(path, errno);
        return;
    }
    OVERLAPPED whole{};
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole)) {
        error_ = path.string() + ": cannot lock (error " + std::to_string(GetLastError()) + ")";
        _close(fd_);
        fd_ = -1;
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        _close(fd_);  // releases the lock
}

}  // namespace kestrova
