#include "common/AtomicFile.h"

#include "common/AtomicFileNames.h"

#include <chrono>

namespace kestrova {

namespace {

// The name of the file whose temporary `name` is (".NAME.XXXXXX"), or empty.
std::string_view temporaryOf(std::string_view name) {
    if (name.size() < 2 + 1 + kTemporarySuffixLength || name.front() != '.') {
        return {};
    }
    const std::size_t dot = name.size() - kTemporarySuffixLength - 1;
    if (name[dot] != '.') {
        return {};
    }
    return name.substr(1, dot - 1);
}

}  // namespace

namespace {

void removeTemporaries(const std::filesystem::path& directory,
                       const std::function<bool(std::string_view)>& isOurs,
                       std::chrono::seconds minimumAge) {
    const std::filesystem::path where = directory.empty() ? "." : directory;
    const auto cutoff = std::filesystem::file_time_type::clock::now() - minimumAge;
    std::error_code error;
    for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string_view of = temporaryOf(name);
        if (of.empty() || !isOurs(of)) {
            continue;
        }
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored) &&
            it->last_write_time(ignored) <= cutoff && !ignored) {
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

}  // namespace

void removeStaleTemporariesIn(const std::filesystem::path& directory,
                              const std::function<bool(std::string_view)>& isOurs) {
    removeTemporaries(directory, isOurs, std::chrono::minutes(1));
}

void removeStaleTemporaries(const std::filesystem::path& file, std::chrono::seconds minimumAge) {
    const std::string own = file.filename().string();
    removeTemporaries(
        file.parent_path(), [&own](std::string_view name) { return name == own; }, minimumAge);
}

}  // namespace kestrova
