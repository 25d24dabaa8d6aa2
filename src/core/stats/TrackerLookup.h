#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/TraceLog.h"
#include "stats/DatabaseEntry.h"
#include "stats/PlayerLookup.h"
#include "stats/PostgresConnection.h"
#include "stats/TrackerCounters.h"
#include "stats/TrackerOptions.h"

namespace kestrova {

class BuddyIndex;
class MessageSink;
class PlayerRecordList;
class SettingsStore;

// Looks players up in the configured tracking databases: PokerTracker 2 on
// PostgreSQL, PokerTracker 3 (per hand or through the aggregator table),
// Elephant and Holdem Manager (with or without its monthly tables), each over
// one libpq connection that stays open for a batch of look-ups.
//
// Every value taken from a screen name or a database result enters a statement
// through the connection's string escaping (or as a bare decimal integer), so
// no name can change what a statement does; statements have no length limit.
//
// Failures are told through the MessageSink with the texts users know; a
// failing statement closes that database's connection and clears the connected
// flag, and the next connectDatabases() connects every database again. Until
// then lookupPlayer() returns no record rather than a record built without the
// lost database, which the cache would keep.
class TrackerLookup final : public PlayerLookup {
public:
    using Options = TrackerOptions;

    // entries: the database list in file order; only active entries are used.
    // buddies may be null (every record then has buddy index -1). New records
    // are appended to records. The options are read from settings here; later
    // changes come through setOptions().
    TrackerLookup(std::vector<DatabaseEntry> entries, const SettingsStore& settings,
                  const BuddyIndex* buddies, PlayerRecordList& records,
                  TraceLog trace = TraceLog());
    ~TrackerLookup() override;
    TrackerLookup(const TrackerLookup&) = delete;
    TrackerLookup& operator=(const TrackerLookup&) = delete;

    bool connectDatabases(MessageSink& messages) override;
    void disconnectDatabases() override;
    std::shared_ptr<PlayerStats> lookupPlayer(const std::string& name, const std::string& stack,
                                              const std::string& seat,
                                              MessageSink& messages) override;

    // The counters summed over every active database, without building a
    // record; false (after a message) when a database failed.
    bool sumCounters(const std::string& name, TrackerCounters& counters, MessageSink& messages);

    // Rebuilds the aggregator table hhps in every active PokerTracker 3
    // database over the open connections (connectDatabases() first). False
    // after a message when a database failed; that connection is then closed.
    bool buildAggregator(MessageSink& messages);
    // Whether the last build left a database without the trigram index that makes
    // aggregator look-ups fast (the completion message says so).
    bool aggregatorWithoutTrigramIndex() const { return aggregatorWithoutTrigramIndex_; }

    // Replaces the database list (after the options dialog); closes every
    // connection first.
    void setDatabases(std::vector<DatabaseEntry> entries);
    void setBuddyList(const BuddyIndex* buddies) { buddies_ = buddies; }
    // From the thread that looks players up, between look-ups.
    void setOptions(Options options) { options_ = std::move(options); }
    const Options& options() const { return options_; }

    bool connected() const { return connected_; }
    // The kind each entry is queried as: Holdem Manager entries turn into
    // kind 7 in memory when connectDatabases() finds the monthly tables.
    std::int32_t effectiveKind(std::size_t index) const;
    std::size_t databaseCount() const { return sources_.size(); }

    // "Connection to database failed: ..." with the password's characters hidden.
    static std::string connectionFailureText(const std::string& libraryMessage,
                                             std::string_view user, std::string_view password);

private:
    struct Source {
        DatabaseEntry entry;
        std::int32_t kind = 0;
        PostgresConnection connection;
    };

    bool connectOne(Source& source, MessageSink& messages);
    void detectMonthlyTables(Source& source);
    void failBlock(Source& source, std::string_view message, MessageSink& messages);

    // One cursor: BEGIN, the declaration, FETCH ALL; the fetched rows stay in
    // `rows`. On failure the message has been shown and the connection closed.
    enum class DeclareCheck { Ignore, MustSucceed };
    struct CursorTexts {
        std::string_view beginFailure;
        std::string_view declareFailure;  // for DeclareCheck::MustSucceed
        std::string_view fetchFailure;
    };
    bool runCursor(Source& source, const std::string& declaration, DeclareCheck check,
                   const CursorTexts& texts, PostgresResult& rows, MessageSink& messages);

    // The connection's quoted form of a LIKE pattern; empty optional after a
    // message when the connection cannot quote it.
    bool quotePattern(Source& source, const std::string& pattern, std::string& quoted,
                      MessageSink& messages);

    bool pokerTracker2(Source& source, const std::string& name, TrackerCounters& counters,
                       MessageSink& messages);
    bool pokerTracker3(Source& source, const std::string& pattern, TrackerCounters& counters,
                       MessageSink& messages);
    bool elephant(Source& source, const std::string& pattern, TrackerCounters& counters,
                  MessageSink& messages);
    bool holdemManager(Source& source, bool monthlyTables, const std::string& pattern,
                       TrackerCounters& counters, MessageSink& messages);

    std::vector<Source> sources_;
    Options options_;
    const BuddyIndex* buddies_;
    PlayerRecordList& records_;
    TraceLog trace_;
    bool connected_ = false;
    bool aggregatorWithoutTrigramIndex_ = false;
};

}  // namespace kestrova
