#include "CompanionFiles.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kestrova {

namespace {

// SQLite in WAL mode writes a commit to the log beside the file first; the
// file itself changes only when the log is moved into it.
std::filesystem::path writeAheadLog(const std::filesystem::path& file) {
    std::filesystem::path log = file;
    log += "-wal";
    return log;
}

}  // namespace

CompanionFiles::CompanionFiles(Watched watched, Reloads reloads)
    : watched_(std::move(watched)), reloads_(std::move(reloads)) {
    for (const std::filesystem::path& file : files())
        stamps_.emplace_back(file, stampOf(file));
}

std::vector<std::filesystem::path> CompanionFiles::files() const {
    std::vector<std::filesystem::path> files{watched_.databaseList};
    if (!watched_.historyFile.empty()) {
        files.push_back(watched_.historyFile);
        files.push_back(writeAheadLog(watched_.historyFile));
    }
    return files;
}

std::filesystem::path CompanionFiles::folder() const {
    const std::filesystem::path folder = watched_.databaseList.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

CompanionFiles::Stamp CompanionFiles::stampOf(const std::filesystem::path& file) {
    std::error_code error;
    Stamp stamp;
    stamp.written = std::filesystem::last_write_time(file, error);
    if (error)
        return {};
    stamp.size = std::filesystem::file_size(file, error);
    stamp.exists = !error;
    return stamp;
}

bool CompanionFiles::moved(const std::filesystem::path& file) {
    const auto kept = std::find_if(stamps_.begin(), stamps_.end(),
                                   [&](const auto& stamp) { return stamp.first == file; });
    if (kept == stamps_.end())
        return false;
    const Stamp now = stampOf(file);
    return std::exchange(kept->second, now) != now;
}

void CompanionFiles::changed() {
    if (moved(watched_.databaseList) && reloads_.databases)
        reloads_.databases();
    if (watched_.historyFile.empty())
        return;
    // Both stamps are renewed, whichever moved.
    const bool file = moved(watched_.historyFile);
    const bool log = moved(writeAheadLog(watched_.historyFile));
    // The window's own writes move them too: the reload tells only of a watch list that differs.
    if ((file || log) && reloads_.watchList)
        reloads_.watchList();
}

void CompanionFiles::wrote(const std::filesystem::path& file) {
    moved(file);
}

void CompanionFiles::passStarting() {
    if (watched_.sharedHistory && reloads_.watchList)
        reloads_.watchList();
}

}  // namespace kestrova
