#pragma once

#include "JobEvents.h"
#include "client/ocr/GlyphTable.h"
#include "records/DatabaseEntry.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

class BuddyBook;
class PlayerLookup;
class PlayerNameSource;
class ScanController;
class SessionListener;
class TrackerLookup;

// What the jobs work with, handed in by their owner.
struct JobServices {
    ScanController& worker;  // runs them, under the passes' busy rule
    BuddyBook& buddies;      // the import adds to it
    std::function<PlayerLookup&()> lookup;
    std::function<TrackerLookup*()> tracker;  // null: no tracker databases of its own
    std::function<std::vector<DatabaseEntry>()> databases;
    // Captures the lobby; on the worker.
    std::function<std::optional<CapturedLobby>(std::string* problem)> captureLobby;
    // Reads with a found font's table from then on; on the front end's thread.
    std::function<bool(const std::vector<GlyphTable::Entry>&, std::string* problem)> useFontTable;
    std::function<void()> buddiesChanged;
};

// The front end's long jobs: the player import, the aggregator build and the
// connection test. Each runs on the session's worker, under the busy rule of
// the passes, and reports to the listener's jobEvent(): Started, Progress while
// it runs, and its result last; its messages go to showMessage(). The front end
// only starts them and reacts. cancel() ends the import's collection; the
// logins of the connection test run to their end, each bounded by its timeout.
class Jobs final {
public:
    // names: where the import reads the player names; null for the trackers' own lists.
    explicit Jobs(JobServices services, std::unique_ptr<PlayerNameSource> names = nullptr);
    ~Jobs();
    Jobs(const Jobs&) = delete;
    Jobs& operator=(const Jobs&) = delete;

    void setListener(SessionListener* listener) { listener_ = listener; }
    void setNameSource(std::unique_ptr<PlayerNameSource> names);

    // Adds the active databases' players that pass the filter to the buddy
    // list and saves it; "Cancel" ends the collection. The session's list
    // takes the new names when the job ends. False, starting nothing, while busy.
    bool importPlayers(const ImportFilter& filter);
    // Connects, rebuilds the aggregator table in every active PokerTracker 3
    // database and disconnects. The build itself cannot be cancelled; a cancel
    // before it starts skips it.
    bool buildAggregator();
    // Looks one player up in the active databases as a pass does, connecting
    // before and disconnecting after.
    bool lookUpPlayer(std::string name, std::string stack, std::string seat);
    // Captures the lobby to teach a font from; LobbyCaptured says how it went.
    bool captureLobby();
    // Finds the installed font a lobby capture is drawn in; the session reads with it from then on.
    bool findFont(const CapturedLobby& capture);
    // Logs in to each entry's PostgreSQL database, all at once, each bounded by timeout.
    bool testConnections(std::vector<DatabaseEntry> entries, std::chrono::milliseconds timeout);

    void cancel();

private:
    class Reporter;

    void report(JobEvent event);
    bool start(JobKind kind, std::function<void()> work, std::function<void()> done);

    JobServices services_;
    std::unique_ptr<PlayerNameSource> names_;
    SessionListener* listener_ = nullptr;
};

}  // namespace kestrova
