#pragma once

#include "ScanEvents.h"
#include "SerialWorker.h"
#include "client/lobby/LobbyScreen.h"
#include "rating/BuddyList.h"
#include "scan/LobbyFilter.h"
#include "scan/ScanState.h"
#include "trackers/TrackerOptions.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace kestrova {

class ClientPlatform;
class Clock;
class GlyphTable;
class PlayerLookup;
class TrackerLookup;

// Runs the passes over the lobby ("Get Table List", the scans, opening a
// table) on one worker thread that alone touches the client platform, the
// tracker connections and the scan state while a pass runs. The front end
// calls it from its own thread and hears back through typed events, posted
// to that thread in the order they happened.
//
// One busy rule covers passes and the front end's own long jobs (the import,
// the aggregator build, the connection test), which run on the same worker:
// nothing starts while another runs. An interval or opener tick that finds
// the controller busy is kept and runs afterwards.
class ScanController final {
public:
    // Runs a closure on the front end's thread, in the order posted.
    using Poster = std::function<void(std::function<void()>)>;
    using EventHandler = std::function<void(const ScanEvent&)>;

    struct Resources {
        ClientPlatform* platform = nullptr;  // null: no client can be reached
        Clock* clock = nullptr;
        const GlyphTable* glyphs = nullptr;
        PlayerLookup* lookup = nullptr;
        TrackerLookup* tracker = nullptr;  // gets the pass's copy of the buddy list; may be null
        // The worker's alone while a pass runs; the owner reads it only when idle.
        ScanState* state = nullptr;
        // Finds the font of a lobby `glyphs` cannot read; runs on the worker.
        const LobbyScreen::FontSearch* fontSearch = nullptr;
    };

    struct Request {
        PassKind kind = PassKind::TableList;
        LobbyFilter filter;
        std::string tableName;             // ScanSelected, OpenTable
        std::optional<int> openerMaximum;  // ScanAll while the opener runs
        int minimumHands = 100;            // for the known-player figures
        BuddyList buddies;                 // what the look-ups mark as buddies
        bool adaptiveWaits = false;        // see ClientWaits
        TrackerOptions trackerOptions;     // what the tracker look-ups follow
    };

    ScanController(Resources resources, Poster post);
    ~ScanController();
    ScanController(const ScanController&) = delete;
    ScanController& operator=(const ScanController&) = delete;

    void setEventHandler(EventHandler handler) { handler_ = std::move(handler); }

    // False, starting nothing, while busy.
    bool start(Request request);
    // Ends the running pass within one wait step; what was scanned stays.
    // A running job sees it in cancelRequested().
    void cancel();
    bool cancelRequested() const { return cancelled_; }
    bool busy() const { return busy_; }
    PassKind runningPass() const { return running_; }

    // A long job of the front end's: work runs on the worker, then done on the
    // front end's thread while still busy. Its look-ups mark the buddies of
    // `buddies`, as a pass's do. False, starting nothing, while busy.
    bool startJob(std::function<void()> work, std::function<void()> done, BuddyList buddies);
    // Runs a closure on the front end's thread, in order with the events.
    void post(std::function<void()> work) { post_(std::move(work)); }

    // The running pass is a scheduled scan that opens tables.
    bool runningOpenerScan() const { return runningOpener_; }

    // Empty the statistics cache at the start of the next "Get Table List".
    void clearCacheAtNextTableList() { clearCache_ = true; }

    // Blocks until every pass started so far has ended and its events have
    // been handed to the poster (the command line and tests).
    void waitUntilIdle();

    // Called whenever the last pass or job has ended (the schedule's turn).
    std::function<void()> onIdle;
    // Called whenever busy() changes.
    std::function<void(bool busy)> onBusyChanged;

private:
    class Observer;

    void runPass(Request& request);
    void report(ScanEvent event);
    void finished(const scan_event::Finished& finished);
    void jobEnded();
    void setBusy(bool busy);

    Resources resources_;
    Poster post_;
    EventHandler handler_;

    // Front end's thread only.
    bool busy_ = false;
    PassKind running_ = PassKind::TableList;
    bool runningOpener_ = false;

    // Shared with the worker.
    std::atomic<bool> cancelled_ = false;
    std::atomic<bool> clearCache_ = false;

    // Worker's thread only while a pass runs.
    ScanState& state_;
    BuddyList passBuddies_;
    // Last: it ends before what its passes use goes.
    SerialWorker worker_;
};

}  // namespace kestrova
