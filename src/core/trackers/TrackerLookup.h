#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/DatabaseEntry.h"
#include "records/PlayerLookup.h"
#include "records/TrackerCounters.h"
#include "settings/TraceLog.h"
#include "trackers/TrackerOptions.h"
#include "trackers/TrackerSource.h"

namespace kestrova {

class BuddyIndex;
class MessageSink;
class PlayerRecordList;

// Looks players up in the configured tracking databases, one TrackerSource
// per database: the PostgreSQL trackers (PokerTracker 2 and 3, Elephant,
// Holdem Manager), whose connections stay open for a batch of look-ups, and
// Pokermanager on Firebird, PokerOffice on MySQL and PokerTracker 2 in Access
// files, which connect inside every look-up. Their counts are summed in list
// order.
//
// Failures are told through the MessageSink with the texts users know. A
// PostgreSQL database that cannot be connected, and a database opened inside
// every look-up that fails, are told once and left out for the rest of the
// pass (see failedDatabases()); the others still answer. A failing PostgreSQL
// statement closes that database's connection and clears the connected flag,
// and the next connectDatabases() connects every PostgreSQL database again.
// Until then lookupPlayer() returns no record rather than a record built
// without the lost database, which the cache would keep.
class TrackerLookup final : public PlayerLookup {
public:
    using Options = TrackerOptions;

    // entries: the database list in file order; only active entries are used.
    // buddies may be null (every record then has buddy index -1). New records
    // are appended to records. The options hold until setOptions().
    TrackerLookup(std::vector<DatabaseEntry> entries, Options options, const BuddyIndex* buddies,
                  PlayerRecordList& records, TraceLog trace = TraceLog());
    ~TrackerLookup() override;
    TrackerLookup(const TrackerLookup&) = delete;
    TrackerLookup& operator=(const TrackerLookup&) = delete;

    // False only when active databases exist and none of them can be used.
    bool connectDatabases(MessageSink& messages) override;
    void disconnectDatabases() override;
    bool databaseLeftOut() const override;
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string& stack,
                                              const std::string& seat,
                                              MessageSink& messages) override;

    // The databases that failed in this pass (since connectDatabases()) and
    // were left out of the look-ups after one message each.
    struct Failure {
        std::string database;
        std::string reason;
    };
    std::vector<Failure> failedDatabases() const;

    // The counters summed over every active database, without building a
    // record; false (after a message) when a database failed.
    bool sumCounters(const std::string& name, TrackerCounters& counters, MessageSink& messages);

    // Rebuilds the aggregator table hhps in every active PokerTracker 3
    // database over the open connections (connectDatabases() first). False
    // after a message when a database failed; that connection is then closed.
    // One left out of the pass is not built, and the result is false.
    bool buildAggregator(MessageSink& messages);
    // Whether the last build left a database without the trigram index that makes
    // aggregator look-ups fast (the completion message says so).
    bool aggregatorWithoutTrigramIndex() const { return aggregatorWithoutTrigramIndex_; }

    // Replaces the database list (after the options dialog); closes every
    // connection first.
    void setDatabases(std::vector<DatabaseEntry> entries);
    void setBuddyList(const BuddyIndex* buddies) { buddies_ = buddies; }
    // The settings a look-up follows (the time limit of its statements
    // among them, taken at the next connectDatabases()); changes come from
    // the thread that looks players up, between look-ups.
    void setOptions(Options options) { options_ = std::move(options); }
    const Options& options() const { return options_; }

    bool connected() const { return connected_; }
    // The kind each entry is queried as: Holdem Manager entries turn into
    // kind 7 in memory when connectDatabases() finds the monthly tables.
    std::int32_t effectiveKind(std::size_t index) const;
    std::size_t databaseCount() const { return slots_.size(); }

    // "Connection to database failed: ..." with the user and a fixed password
    // mask, which tells nothing about the password.
    static std::string connectionFailureText(const std::string& libraryMessage,
                                             std::string_view user);

private:
    struct Slot {
        std::int32_t storedKind = 0;
        std::unique_ptr<TrackerSource> source;  // null for a kind no tracker has
    };

    std::vector<Slot> slots_;
    Options options_;
    const BuddyIndex* buddies_;
    PlayerRecordList& records_;
    TraceLog trace_;
    bool connected_ = false;
    bool aggregatorWithoutTrigramIndex_ = false;
};

}  // namespace kestrova
