#pragma once

#include "history/HistoryRecords.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrova {

// A store that failed: the file or server said no, the disk is full. The
// message names the store and says what happened. A busy store is whole:
// another program held its write lock beyond the wait, and a later call may
// well succeed.
class HistoryError : public std::runtime_error {
public:
    enum class Kind { Failed, Busy };
    explicit HistoryError(const std::string& what, Kind kind = Kind::Failed)
        : std::runtime_error(what), kind_(kind) {}
    bool busy() const { return kind_ == Kind::Busy; }

private:
    Kind kind_;
};

// How long a write waits for another program's write lock before it is busy.
inline constexpr std::chrono::milliseconds kHistoryBusyWait{5000};

// What the passes read over time, the watch list and the alerts sent. Every
// call may throw HistoryError. Not thread-safe: one thread uses a store.
class HistoryStore {
public:
    virtual ~HistoryStore() = default;

    // Tables as read, each whole, all in one transaction: all or none.
    virtual void add(std::span<const TableVisit> visits) = 0;
    void add(const TableVisit& visit) { add(std::span(&visit, 1)); }
    // The writer has nothing to do for now: a moment for upkeep (moving the
    // write-ahead log into the file).
    virtual void idle() {}
    // Drops what was read before `before`; returns how many table visits went.
    virtual int prune(HistoryTime before) = 0;
    // How many days the store itself keeps what was read: a shared store has
    // one time for every scanner. Nullopt: as long as the program's setting says.
    virtual std::optional<int> keptDays() { return std::nullopt; }
    // Sets the store's own time; a store that has none refuses.
    virtual void keepFor(int days) {
        (void)days;
        throw HistoryError("A local scan history keeps what the setting historydays says: "
                           "set that instead.");
    }

    // Every table read since `since`, the most recently seen first.
    virtual std::vector<TableSummary> tables(HistoryTime since) = 0;
    // A table's visits since `since`, oldest first, without their players.
    virtual std::vector<TableVisit> table(const std::string& name, HistoryTime since) = 0;
    // A player's sightings since `since`, newest first, at most `limit` (0: all).
    // Names match ignoring letter case.
    virtual std::vector<PlayerVisit> player(const std::string& name, HistoryTime since,
                                            std::size_t limit = 0) = 0;
    // Each name's last sighting, in the names' order (nullopt: never seen). A
    // store behind a network answers for a whole pass in one round trip.
    virtual std::vector<std::optional<PlayerVisit>> lastSeen(std::span<const std::string> names) {
        std::vector<std::optional<PlayerVisit>> found;
        for (const std::string& name : names) {
            std::vector<PlayerVisit> last = player(name, HistoryTime{}, 1);
            found.push_back(last.empty() ? std::nullopt : std::optional(std::move(last.front())));
        }
        return found;
    }

    virtual std::vector<WatchedPlayer> watchedPlayers() = 0;
    // Adds the player, or changes the note of one already watched.
    virtual void watch(const WatchedPlayer& player) = 0;
    virtual bool unwatch(const std::string& name) = 0;
    virtual std::vector<StoredRule> rules() = 0;
    // Returns the new rule's id.
    virtual int addRule(const std::string& rule, const std::string& note) = 0;
    virtual bool removeRule(int id) = 0;

    // For each of the distinct keys, in their order: true, and the alert
    // remembered, unless an alert of the same key went out less than `quiet`
    // before `now`. All in one go: a busy store claims none.
    virtual std::vector<bool> claimAlerts(std::span<const std::string> keys, HistoryTime now,
                                          std::chrono::seconds quiet) = 0;
    bool claimAlert(const std::string& key, HistoryTime now, std::chrono::seconds quiet) {
        return claimAlerts(std::span(&key, 1), now, quiet).front();
    }

    // A call that another thread may make, the one exception to the rule
    // above: it breaks off what the store waits for on a network, so that the
    // call in progress and every later one fail at once. Empty for a store
    // that waits on no network.
    virtual std::function<void()> breaker() { return {}; }
};

// Opens (creating when missing) the history file. Null, with the reason in
// `problem`, when it cannot be used: a damaged file, one of a newer version,
// one that cannot be read. Such a file is left exactly as it is. Opening
// writes nothing to an existing file, so one that may only be read can be
// read. A build without SQLite gives null with no reason.
std::unique_ptr<HistoryStore> openSqliteHistory(const std::filesystem::path& file,
                                                std::string* problem,
                                                std::chrono::milliseconds busyWait =
                                                    kHistoryBusyWait);

// Connects to a shared history on a PostgreSQL server (a libpq connection
// text or URI, such as "postgresql://scanner@db.example.org/history"; the
// password comes from libpq's password file) and makes its tables on first
// use. Null, with the reason in `problem`, when the server cannot be used.
std::unique_ptr<HistoryStore> openPostgresHistory(const std::string& connection,
                                                  std::string* problem);

}  // namespace kestrova
