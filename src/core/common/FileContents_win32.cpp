#include "common/FileContents.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kestrova {

namespace {

FileContents failure(const std::filesystem::path& file, const std::string& reason) {
    FileContents contents;
    contents.status = FileContents::Status::Failed;
    contents.error = file.string() + ": " + reason;
    return contents;
}

}  // namespace

std::string fileError(const std::filesystem::path& file, int errorNumber) {
    return file.string() + ": " + std::strerror(errorNumber);
}

// Windows has no FIFOs or devices among ordinary paths; what is no regular file
// is refused before opening, as on POSIX.
FileContents readWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                           bool cutLongerFile) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return {};
    if (error)
        return failure(file, error.message());
    if (status.type() == std::filesystem::file_type::directory)
        return failure(file, std::strerror(EISDIR));
    if (status.type() != std::filesystem::file_type::regular)
        return failure(file, "not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return failure(file, error.message());
    if (size > maxBytes && !cutLongerFile)
        return failure(file, "larger than " + std::to_string(maxBytes) + " bytes");

    std::ifstream in(file, std::ios::binary);
    if (!in)
        return failure(file, std::strerror(EACCES));
    // One byte more than allowed tells a file that grew meanwhile.
    const std::size_t limit = maxBytes + (cutLongerFile ? 0 : 1);
    FileContents contents;
    contents.status = FileContents::Status::Read;
    contents.bytes.resize(limit);
    in.read(contents.bytes.data(), static_cast<std::streamsize>(limit));
    if (in.bad())
        return failure(file, std::strerror(EIO));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > maxBytes && !cutLongerFile)
        return failure(file, "larger than " + std::to_string(maxBytes) + " bytes");
    contents.bytes.resize(got);
    return contents;
}

}  // namespace kestrova
