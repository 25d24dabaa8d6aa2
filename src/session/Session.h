#pragma once

#include "AppSettings.h"
#include "BuddyBook.h"
#include "CompanionFiles.h"
#include "GlyphBook.h"
#include "Jobs.h"
#include "PassProgress.h"
#include "Passes.h"
#include "ScanController.h"
#include "ScanHistory.h"
#include "ScanSchedule.h"
#include "TableLists.h"
#include "client/LobbyGeometry.h"
#include "common/Image.h"
#include "rating/BuddyList.h"
#include "rating/ColourRanges.h"
#include "records/CacheExpiry.h"
#include "records/DatabaseList.h"
#include "scan/ScanState.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrova {

class ClientPlatform;
class Clock;
class PlayerLookup;
class SessionListener;
class TimerService;
class TrackerLookup;

// What a session works with, handed in so that tests and the command line can
// put the simulated client, a clock that never sleeps and fake databases in
// place of the desktop.
struct SessionServices {
    ClientPlatform* platform = nullptr;  // null: no client can be reached
    Clock* clock = nullptr;              // null: real waits
    PlayerLookup* lookup = nullptr;      // null: the configured databases
    TimerService* timers = nullptr;      // null: no interval, opener or cache timer
    ScanController::Poster post;         // runs a closure on the front end's thread
    std::filesystem::path settingsFile = SettingsStore::defaultPath();
    // Companion files and the trace file live here.
    std::filesystem::path workingDir = ".";
    // Glyph tables in place of the shipped ones (the command line's --glyphs).
    std::optional<GlyphTable> glyphs;
    // The table of a font a pass or "Find Font" finds is kept as workingDir's
    // "ocr2.txt": always with the session's own tables, with given ones only
    // when they are the user's.
    bool keepFoundFont = false;
    // No trace file: the command line must leave the window's "log.txt" alone.
    bool headless = false;
    // The time the scan history writes; null: the system's.
    std::function<HistoryTime()> wallClock;
};

// The application's state and workflow, with no user interface: the settings
// and their typed snapshot, the databases, the colour profiles and the scan
// history, and the parts a front end works through: the passes and jobs, the
// lists, the buddy book and the glyph book. Every front end is a thin client
// of one session.
class Session final {
public:
    explicit Session(SessionServices services);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start-up problems (database list, buddy file) are told to the first listener.
    void setListener(SessionListener* listener);

    const AppSettings& settings() const { return settings_; }
    SettingsStore& store() { return store_; }
    const std::filesystem::path& workingDir() const { return services_.workingDir; }
    // The one path by which a front end changes settings: the named parts of
    // `edited` are saved, take effect (lists, filters, the next pass) and are
    // told to the listener. Returns the first write that failed, or empty; the
    // listener hears of it too. The snapshot holds the edit even then.
    std::string update(const AppSettings& edited, std::initializer_list<SettingsPart> parts);
    // Makes a snapshot take effect without saving it.
    void apply(const AppSettings& settings);
    // After the options dialog, "OK" or not: the statistics cache emptied at
    // the next "Get Table List", its clearing timer started anew there with
    // the lifetime now set.
    void optionsClosed();
    // A colour profile edited in the Profile tab: saved, and the lists take its colours.
    bool saveProfile(ProfileStat stat, const StatProfile& profile, std::string* problem);
    // Saves "db.conf" and hands the list to the look-ups (a failure to save is
    // told, and the list is used all the same). The worker owns the
    // connections while a pass runs, so then the list waits for its end.
    bool saveDatabases(const DatabaseList& list);
    // Why "db.conf" could not be read whole at the start, or empty.
    const std::string& databaseProblem() const { return databaseProblem_; }
    void trace(std::string_view marker) const;

    using LobbyCapture = CapturedLobby;
    // The glyph table the passes read and the user's "ocr2.txt" in the working
    // directory, which teaching adds to (a lobby to teach from: Jobs::captureLobby).
    GlyphBook& font() { return glyphs_; }
    const GlyphBook& font() const { return glyphs_; }
    // The buddy list; every change of it a front end makes goes through here.
    BuddyBook& buddies() { return buddyBook_; }
    const ColourRanges& colours() const { return colours_; }
    const std::vector<DatabaseEntry>& databases() const { return databases_; }
    TrackerLookup* tracker() { return tracker_.get(); }
    // The passes, their schedule and the long jobs, on one worker.
    Passes& passes() { return *passes_; }

    // The table and player lists, the table the user picked, the pass's alerts.
    TableLists& lists() { return lists_; }
    const TableLists& lists() const { return lists_; }

    // Buddies: the mark of one player, or the list changed elsewhere.
    void setBuddy(const std::string& name, bool buddy);
    void buddiesChanged();
    bool isBuddy(const std::string& name) const { return buddies_.contains(name); }

    // What the passes read over time, the watch list and its alerts.
    ScanHistory& history() { return *history_; }
    // The files the command line changes under a running window.
    CompanionFiles& companionFiles() { return *companions_; }

private:
    bool busy() const { return scans_->busy(); }
    // "db.conf" as another program left it: used as saveDatabases() uses a
    // list; one that cannot be read whole is told and the list in use stays.
    void reloadDatabases();
    PlayerLookup& lookup();
    // Captures the lobby now, restoring it when minimised: the worker's alone,
    // as it drives the client.
    std::optional<LobbyCapture> grabLobby(std::string* problem);
    // A scanned table's figures and score under the settings in force.
    TableEvaluation evaluate(const std::vector<std::shared_ptr<PlayerStats>>& players) const;
    void applyFilters();
    void handle(const ScanEvent& event);
    void on(const scan_event::Started& started);
    void on(const scan_event::LobbyFound& found);
    void on(const scan_event::TableRead& read);
    void on(const scan_event::TableListRead& list);
    void on(const scan_event::PlayerFound& found);
    void on(const scan_event::TableScanned& scanned);
    void on(const scan_event::Message& shown);
    void on(const scan_event::FontFound& font);
    void on(const scan_event::Finished& done);
    void finished(const scan_event::Finished& finished);
    void writeScanResult();
    void tellAlerts(const std::vector<AlertNotice>& notices);
    // The players of the tables still listed, after a table list dropped some.
    void keepPlayersOfTheRows();
    void message(const Message& shown);
    void busyChanged(bool busy);
    void useDatabases();
    void openHistory();
    void recordVisit(const TableRow& row);
    void alertsRaised(const std::vector<HistoryAlert>& alerts);
    ScanController::Request request(PassKind kind) const;
    TrackerOptions trackerOptions() const;
    // A pass's search for the font of a lobby the tables cannot read (on the worker).
    bool searchFont(const Image& capture, const LobbyGeometry& geometry, std::string& said);

    SessionServices services_;
    SettingsStore store_;
    TraceLog trace_;
    std::unique_ptr<Clock> ownClock_;
    AppSettings settings_;
    GlyphBook glyphs_;
    LobbyScreen::FontSearch fontSearch_;
    BuddyList buddies_;
    BuddyBook buddyBook_{buddies_};
    ColourRanges colours_;
    std::vector<DatabaseEntry> databases_;
    std::string databaseProblem_;
    // A list saved while a pass ran, for its end.
    std::optional<std::vector<DatabaseEntry>> databasesPending_;
    ScanState state_;
    std::unique_ptr<TrackerLookup> tracker_;
    CacheExpiry cacheExpiry_;
    TableLists lists_;
    mutable std::optional<TableScorer> scorer_;  // remembers weaknesses between rescans
    SessionListener* listener_ = nullptr;
    std::vector<Message> startupMessages_;
    std::unique_ptr<ScanController> scans_;
    std::unique_ptr<ScanSchedule> schedule_;
    std::unique_ptr<Jobs> jobs_;
    std::unique_ptr<Passes> passes_;
    // The lobby's entries of the running pass, for the seats of what it scans.
    std::unordered_map<std::string, LobbyEntry> lobbyEntries_;
    PassProgressCount progress_;
    AlertNotices notices_;
    std::unique_ptr<ScanHistory> history_;
    std::unique_ptr<CompanionFiles> companions_;
};

}  // namespace kestrova
