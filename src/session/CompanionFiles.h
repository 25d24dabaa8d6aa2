#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace kestrova {

// The files other programs change under a running window: "kestrova-cli"
// adds databases to "db.conf" and players and rules to the scan history's
// file. A front end watches files() and folder() (a file replaced by a
// rename, or not there yet, shows only in its folder) and calls changed()
// after any of them moved; what differs from when it was last seen is loaded
// again. Standard C++: the watching itself is the front end's.
class CompanionFiles final {
public:
    struct Watched {
        std::filesystem::path databaseList;  // "db.conf"
        // The SQLite history; empty when there is none or it is a shared server.
        std::filesystem::path historyFile;
        bool sharedHistory = false;
    };
    struct Reloads {
        std::function<void()> databases;
        std::function<void()> watchList;
    };

    CompanionFiles(Watched watched, Reloads reloads);

    std::vector<std::filesystem::path> files() const;
    std::filesystem::path folder() const;
    // Loads again what changed since it was last seen.
    void changed();
    // A file the session wrote itself: no news to load.
    void wrote(const std::filesystem::path& file);
    // A shared history has no file to watch, and another scanner or the
    // command line may have changed its watch list: it is loaded at every
    // pass, the only time it raises alerts, rather than asked for on a timer.
    void passStarting();

private:
    struct Stamp {
        bool exists = false;
        std::filesystem::file_time_type written{};
        std::uintmax_t size = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const std::filesystem::path& file);
    // True when the file differs from its last stamp; the stamp is renewed.
    bool moved(const std::filesystem::path& file);

    Watched watched_;
    Reloads reloads_;
    std::vector<std::pair<std::filesystem::path, Stamp>> stamps_;
};

}  // namespace kestrova
