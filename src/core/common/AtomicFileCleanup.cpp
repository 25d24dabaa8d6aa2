#include "common/AtomicFile.h"

#include "common/AtomicFileNames.h"

#include <chrono>

namespace kestrova {

void removeStaleTemporaries(const std::filesystem::path& file) {
    const std::string prefix = temporaryPrefix(file);
    std::filesystem::path directory = file.parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    const auto cutoff = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        // The temporary's characters after the prefix, nothing else.
        if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) {
            continue;
        }
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored) &&
            it->last_write_time(ignored) < cutoff && !ignored) {
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

}  // namespace kestrova
