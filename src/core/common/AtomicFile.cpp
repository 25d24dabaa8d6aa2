#include "common/AtomicFile.h"

#include "common/AtomicFileNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

namespace kestrova {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here does not undo the write.
void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool fail(std::string* error, const std::filesystem::path& file, int errorNumber) {
    if (error != nullptr) {
        *error = file.string() + ": " + std::strerror(errorNumber);
    }
    return false;
}

// Runs one step unless the fault probe fails it; false with errno set otherwise.
template <typename Step>
bool step(AtomicWriteStep which, Step&& run) {
    if (const int injected = probeAtomicWrite(which); injected != 0) {
        errno = injected;
        return false;
    }
    return run();
}

bool writeAtomically(const std::filesystem::path& file, std::initializer_list<std::string_view> parts,
                     std::optional<mode_t> mode, std::string* error) {
    if (file.filename().empty()) {
        return fail(error, file, EISDIR);
    }
    std::filesystem::path directory = file.parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    std::string temporary = (directory / (temporaryPrefix(file) + "XXXXXX")).string();
    int fd = -1;
    if (!step(AtomicWriteStep::CreateTemporary, [&] {
            fd = ::mkostemp(temporary.data(), O_CLOEXEC);
            return fd >= 0;
        })) {
        return fail(error, file, errno);
    }

    // A requested mode wins. Otherwise keep the permissions of the file being
    // replaced; a new file gets the usual 0666 & ~umask.
    bool modeSet = true;
    struct stat old {};
    if (mode) {
        modeSet = ::fchmod(fd, *mode) == 0;
    } else if (::stat(file.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    bool ok = modeSet &&
              step(AtomicWriteStep::WriteBytes,
                   [&] {
                       return std::all_of(parts.begin(), parts.end(),
                                          [&](std::string_view part) { return writeAll(fd, part); });
                   }) &&
              step(AtomicWriteStep::SyncFile, [&] { return ::fsync(fd) == 0; });
    int failure = ok ? 0 : errno;
    if (!step(AtomicWriteStep::CloseFile, [&] { return true; }) && ok) {
        ok = false;
        failure = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && !step(AtomicWriteStep::Rename,
                    [&] { return ::rename(temporary.c_str(), file.c_str()) == 0; })) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return fail(error, file, failure);
    }
    if (probeAtomicWrite(AtomicWriteStep::SyncDirectory) == 0) {
        syncDirectory(directory);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error) {
    return writeAtomically(file, {bytes}, std::nullopt, error);
}

bool writeFileAtomically(const std::filesystem::path& file,
                         std::initializer_list<std::string_view> parts, std::string* error) {
    return writeAtomically(file, parts, std::nullopt, error);
}

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::filesystem::perms permissions, std::string* error) {
    return writeAtomically(file, {bytes}, static_cast<mode_t>(permissions), error);
}

}  // namespace kestrova
