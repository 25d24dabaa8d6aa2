#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/MessageSink.h"
#include "records/DatabaseEntry.h"
#include "records/PlayerNameSource.h"
#include "records/TrackerCounters.h"
#include "settings/TraceLog.h"
#include "trackers/TrackerOptions.h"

namespace kestrova {

class ImportProgress;
class MessageSink;
class SettingsStore;

// The name one look-up searches for, in the forms the trackers need.
struct TrackerName {
    const std::string& name;     // as read from the screen
    const std::string& pattern;  // trackerNamePattern(name), not yet quoted
};

// One configured database of one tracker kind: how it is connected, how a
// player's counts are read from it and how its player names are listed.
class TrackerSource {
public:
    explicit TrackerSource(DatabaseEntry entry) : entry_(std::move(entry)) {}
    virtual ~TrackerSource() = default;
    TrackerSource(const TrackerSource&) = delete;
    TrackerSource& operator=(const TrackerSource&) = delete;

    using Result = PlayerNameSource::Result;

    const DatabaseEntry& entry() const { return entry_; }
    // The kind the database is queried as (Holdem Manager turns into its
    // monthly variant at connect time).
    virtual DatabaseKind kind() const = 0;

    // The PostgreSQL kinds keep one connection open for a batch of look-ups;
    // the others open and close theirs inside every look-up.
    virtual bool keepsConnection() const { return false; }
    virtual bool connect(MessageSink& /*messages*/) { return true; }
    virtual void disconnect() {}

    // Adds the database's counts for the name. False when the look-up must end
    // without a record; the user has been told why.
    virtual bool addCounters(const TrackerName& name, TrackerCounters& counters,
                             MessageSink& messages) = 0;

    // Appends every player name of the database, for the import into the
    // buddy list; kinds without a player list add none.
    virtual PlayerNameSource::Result collectNames(std::vector<std::string>& /*names*/,
                                                  ImportProgress& /*progress*/,
                                                  MessageSink& /*messages*/) {
        return PlayerNameSource::Result::Done;
    }

    // Why the database failed in this pass (it could not be reached, or a
    // statement that every name needs failed), or nothing. A failed database
    // is not asked again until the next pass, so that a silent server costs
    // one wait and the user reads one message, not one per seated player.
    const std::optional<std::string>& passFailure() const { return passFailure_; }
    // A new pass, whose statements each get statementTimeout at most.
    void startPass(std::chrono::milliseconds statementTimeout) {
        passFailure_.reset();
        statementTimeout_ = statementTimeout;
    }

protected:
    std::chrono::milliseconds statementTimeout() const { return statementTimeout_; }
    // Shows the message (title "Error") and leaves the database out for the
    // rest of the pass; `reason` is what the failure list says.
    void failForPass(MessageKind kind, const std::string& message, const std::string& reason,
                     MessageSink& messages);

private:
    DatabaseEntry entry_;
    std::optional<std::string> passFailure_;
    std::chrono::milliseconds statementTimeout_{10'000};
};

// What some sources read besides their entry. options may be null (the
// import's name listing reads none); they outlive the source.
struct TrackerSourceContext {
    const TrackerOptions* options = nullptr;
    TraceLog trace = TraceLog::off();
};

// The tracker's name as users know it ("PokerTracker 3"); empty for a kind
// code no tracker has.
std::string_view trackerKindName(DatabaseKind kind);

// The source for the entry's kind; null for a kind code no tracker has.
std::unique_ptr<TrackerSource> makeTrackerSource(DatabaseEntry entry,
                                                 const TrackerSourceContext& context);

}  // namespace kestrova
