#include "UserDataDir.h"

#include "common/AtomicFile.h"
#include "common/DataFiles.h"
#include "hud/HudLayout.h"
#include "hud/LayoutSet.h"
#include "rating/BuddyList.h"
#include "rating/StatProfile.h"
#include "records/DatabaseList.h"
#include "settings/CloseConf.h"
#include "settings/ColumnConf.h"
#include "settings/DirConf.h"
#include "settings/LimitsFile.h"
#include "settings/OpenCountConf.h"
#include "settings/SettingsStore.h"
#include "settings/StakesFile.h"
#include "settings/Window2Conf.h"
#include "settings/WindowConf.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>

namespace kestrova {

namespace {

const std::set<std::string, std::less<>>& companionNames() {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> all = {
            std::string(DatabaseList::kFileName), std::string(BuddyList::kFileName),
            std::string(WindowConf::kFileName),   std::string(Window2Conf::kFileName),
            std::string(ColumnConf::kFileName),   std::string(CloseConf::kFileName),
            std::string(DirConf::kFileName),      std::string(OpenCountConf::kFileName),
        };
        // Every client kind has at most one limits and one stakes file.
        for (int kind = numberOf(ClientKind::PartyPoker); kind <= numberOf(ClientKind::BoDog);
             ++kind) {
            if (const auto name = LimitsFile::fileName(static_cast<ClientKind>(kind)))
                all.emplace(*name);
            if (const auto name = StakesFile::fileName(static_cast<ClientKind>(kind)))
                all.emplace(*name);
        }
        for (const ProfileStat stat : kProfileStats)
            all.emplace(profileFileName(stat));
        for (int room = 0; room < hud::kRoomCount; ++room) {
            all.emplace(hud::roomFileName(room, hud::LayoutFamily::User));
            all.emplace(hud::roomFileName(room, hud::LayoutFamily::Default));
        }
        return all;
    }();
    return names;
}

// "port<N>.conf", the port of the database list's entry N.
bool isPortFileName(std::string_view name) {
    constexpr std::string_view head = "port";
    constexpr std::string_view tail = ".conf";
    if (name.size() <= head.size() + tail.size() || !name.starts_with(head) ||
        !name.ends_with(tail))
        return false;
    const std::string_view digits =
        name.substr(head.size(), name.size() - head.size() - tail.size());
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// Renames, or copies and removes across file systems; the source stays when
// the copy fails, so nothing is lost.
bool moveFile(const std::filesystem::path& from, const std::filesystem::path& to,
              std::string& problem) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (!ec)
        return true;
    std::error_code copyError;
    if (!std::filesystem::copy_file(from, to, std::filesystem::copy_options::none, copyError)) {
        problem = "Cannot move " + from.string() + " to " + to.string() + ": " +
                  copyError.message() + "; it stays where it is.";
        std::filesystem::remove(to, ec);
        return false;
    }
    std::filesystem::remove(from, ec);
    return true;
}

}  // namespace

std::filesystem::path shippedFile(std::string_view name) {
    return findDataFile(name);
}

bool isCompanionFileName(std::string_view name) {
    return companionNames().contains(name) || isPortFileName(name);
}

void removeKilledSaveLeftovers(const std::filesystem::path& dataDir,
                               const std::filesystem::path& settingsFile) {
    removeStaleTemporariesIn(dataDir, [](std::string_view name) {
        return isCompanionFileName(name) || name == "ocr2.txt";
    });
    removeStaleTemporaries(settingsFile);
}

UserDataDir UserDataDir::prepare(const std::filesystem::path& dir,
                                 const std::filesystem::path& startFolder) {
    UserDataDir result;
    result.dir = dir;
    result.startFolder = startFolder;
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec))
        return result;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        result.problems.push_back("Cannot create the folder " + dir.string() + ": " + ec.message() +
                                  "; the files stay in " + startFolder.string() + ".");
        result.dir = startFolder;
        return result;
    }
    // Companion files are the user's data (db.conf holds passwords).
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, ec);
    result.created = true;
    if (startFolder.empty() || std::filesystem::equivalent(dir, startFolder, ec))
        return result;

    std::vector<std::filesystem::path> found;
    for (std::filesystem::directory_iterator it(startFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isCompanionFileName(name) &&
            it->symlink_status(typeError).type() == std::filesystem::file_type::regular)
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    for (const std::filesystem::path& from : found) {
        std::string problem;
        if (moveFile(from, dir / from.filename(), problem))
            result.moved.push_back(from.filename().string());
        else
            result.problems.push_back(std::move(problem));
    }
    return result;
}

std::vector<std::string> UserDataDir::traceLines() const {
    std::vector<std::string> lines;
    if (created)
        lines.push_back("Created " + dir.string() + "\n");
    if (!moved.empty()) {
        std::string line = "Moved from " + startFolder.string() + " to " + dir.string() + ":";
        for (const std::string& name : moved)
            line += " " + name;
        lines.push_back(line + "\n");
    }
    for (const std::string& problem : problems)
        lines.push_back(problem + "\n");
    return lines;
}

UserDataDir UserDataDir::prepareForUser(const std::filesystem::path& startFolder) {
    UserDataDir data = prepare(SettingsStore::userDataDirectory(), startFolder);
    removeKilledSaveLeftovers(data.dir, SettingsStore::defaultPath());
    return data;
}

}  // namespace kestrova
