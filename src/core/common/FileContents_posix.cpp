#include "common/FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kestrova {

namespace {

constexpr std::size_t kGrowth = 64 * 1024;

class Descriptor final {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

FileContents failure(const std::filesystem::path& file, std::string reason) {
    FileContents contents;
    contents.status = FileContents::Status::Failed;
    contents.error = file.string() + ": " + reason;
    return contents;
}

}  // namespace

std::string fileError(const std::filesystem::path& file, int errorNumber) {
    return file.string() + ": " + std::strerror(errorNumber);
}

FileContents readWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                           bool cutLongerFile) {
    // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {};
        return failure(file, std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return failure(file, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        return failure(file, std::strerror(EISDIR));
    if (!S_ISREG(info.st_mode))
        return failure(file, "not a regular file");
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes && !cutLongerFile)
        return failure(file, "larger than " + std::to_string(maxBytes) + " bytes");

    FileContents contents;
    contents.status = FileContents::Status::Read;
    // Room for one byte more than fstat saw tells a file that grew meanwhile;
    // it may grow up to one byte past the limit, which then refuses it.
    const std::size_t limit = maxBytes + (cutLongerFile ? 0 : 1);
    std::size_t got = 0;
    std::size_t room = std::min(static_cast<std::size_t>(info.st_size) + 1, limit);
    contents.bytes.resize(room);
    for (;;) {
        const ssize_t n = ::read(fd.get(), contents.bytes.data() + got, room - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(file, std::strerror(errno));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
        if (got == room) {
            if (room == limit)
                break;
            room = std::min(limit, room + kGrowth);
            contents.bytes.resize(room);
        }
    }
    if (got > maxBytes && !cutLongerFile)
        return failure(file, "larger than " + std::to_string(maxBytes) + " bytes");
    contents.bytes.resize(got);
    return contents;
}

}  // namespace kestrova
