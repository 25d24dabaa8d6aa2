// The session and its scan controller without a window: the busy rule, the
// timers, cancelling, and the list models the passes fill.
#include "Session.h"

#include "FailingCaptures.h"
#include "FakeLookup.h"
#include "FakePlatform.h"
#include "GateClock.h"
#include "MessageAdvice.h"
#include "PlayerColumns.h"
#include "PostgresServer.h"
#include "RefusedWrites.h"
#include "SessionListener.h"
#include "SimLobbies.h"
#include "TempDir.h"
#include "TimerService.h"
#include "TrackerEntry.h"
#include "records/DatabaseList.h"
#include "records/ImportProgress.h"
#include "records/PlayerNameSource.h"
#include "scan/TableScanPass.h"
#include "settings/DirConf.h"
#include "sim/SimulatedClient.h"
#include "trackers/TrackerLookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <map>
#include <mutex>
#include <thread>

using namespace kestrova;

namespace {

class ManualTimers final : public TimerService {
public:
    void start(TimerId id, int intervalMs, std::function<void()> tick) override {
        ticks[id] = std::move(tick);
        intervals[id] = intervalMs;
    }
    void stop(TimerId id) override { ticks.erase(id); }
    bool running(TimerId id) const override { return ticks.count(id) != 0; }
    void fire(TimerId id) { ticks.at(id)(); }

    std::map<TimerId, std::function<void()>> ticks;
    std::map<TimerId, int> intervals;
};

// A table of the simulated lobby with these players, 1,500 chips each.
sim::LobbyTable simTable(std::string name, std::vector<std::string> players) {
    sim::LobbyTable t;
    t.name = std::move(name);
    t.stakes = "$1/$2";
    for (std::string& p : players)
        t.players.push_back({std::move(p), "1,500"});
    t.seated = static_cast<int>(t.players.size());
    return t;
}

// Never sleeps; tells each wait to a hook on the worker's thread.
class HookedClock final : public Clock {
public:
    std::function<void(int)> hook;
    void sleepMs(int ms) override {
        sleptMs_ += ms;
        if (hook)
            hook(ms);
    }
    long long nowMs() const override { return sleptMs_; }

private:
    std::atomic<long long> sleptMs_ = 0;
};

// A job of the front end's that holds the worker until released, as an import
// waiting on a slow server does.
class HeldJob final {
public:
    explicit HeldJob(ScanController& scans)
        : started_(scans.startJob([gate = gate_.get_future().share()] { gate.wait(); }, [] {},
                                  BuddyList())) {}
    ~HeldJob() { gate_.set_value(); }
    HeldJob(const HeldJob&) = delete;
    HeldJob& operator=(const HeldJob&) = delete;
    bool started() const { return started_; }

private:
    std::promise<void> gate_;
    bool started_;
};

// Names for the import; the hook runs on the worker before the second name.
class ScriptedNames final : public PlayerNameSource {
public:
    Result collectNames(const DatabaseEntry&, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink&) override {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == 1 && onSecondRow)
                onSecondRow();
            if (progress.cancelled())
                return Result::Cancelled;
            names.push_back(rows[i]);
        }
        return Result::Done;
    }
    std::vector<std::string> rows;
    std::function<void()> onSecondRow;
};

// What a session test puts in place of the defaults.
struct Stand {
    ClientPlatform* platform = nullptr;  // the simulated client
    Clock* clock = nullptr;              // the gate clock
    bool databases = false;              // the databases of "db.conf", not the fake look-up
};

class SessionTest : public ::testing::Test, public SessionListener {
protected:
    void SetUp() override {
        setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 1);
        setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
        start(test::makeLobby(8));
    }
    void start(sim::Lobby lobby, Stand stand = {}) {
        session.reset();
        client = std::make_unique<sim::SimulatedClient>(std::move(lobby));
        SessionServices services;
        services.platform = stand.platform ? stand.platform : client.get();
        services.clock = stand.clock ? stand.clock : &clock;
        services.lookup = stand.databases ? nullptr : &lookup;
        services.timers = &timers;
        services.workingDir = dir.path();
        services.headless = true;
        services.post = [this](std::function<void()> work) {
            const std::lock_guard lock(mutex);
            queue.push_back(std::move(work));
        };
        session = std::make_unique<Session>(std::move(services));
        session->setListener(this);
        lookup.cache = const_cast<PlayerRecordList*>(&session->passes().scanState().records);
    }
    void TearDown() override {
        clock.setOpen(true);
        session.reset();
    }

    // Hands the front end everything the worker reported so far.
    void drain() {
        std::vector<std::function<void()>> work;
        {
            const std::lock_guard lock(mutex);
            work.swap(queue);
        }
        for (auto& step : work)
            step();
    }
    // Lets every pass run to its end, including passes that start when one ends.
    void settle() {
        for (;;) {
            session->passes().scans().waitUntilIdle();
            {
                const std::lock_guard lock(mutex);
                if (queue.empty())
                    return;
            }
            drain();
        }
    }
    // Waits until the running pass blocks in the shut gate; a pass that never
    // gets there fails the test rather than hanging it.
    void untilWaiting() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!clock.waiting()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no pass waits";
            std::this_thread::yield();
        }
    }

    void showMessage(const Message& message) override {
        messages.push_back(message.title + ": " + message.text);
        kinds.push_back(message.kind);
    }
    void jobEvent(const JobEvent& event) override {
        if (std::holds_alternative<job_event::Started>(event))
            jobStarts.push_back(session->passes().busy());
        if (const auto* done = std::get_if<job_event::ImportDone>(&event))
            imports.push_back(done->outcome);
    }
    void passProgress(const PassProgress& progress) override { progressShown.push_back(progress); }
    void tableListRead(const std::vector<LobbyEntry>&) override {
        if (onTablesChanged)
            onTablesChanged();
    }
    void tableScanned(const std::string&) override {
        if (onTablesChanged)
            onTablesChanged();
    }
    void passFinished(const scan_event::Finished& done) override {
        ends.push_back(done.end);
        busyAtEnd.push_back(session->passes().busy());
    }

    test::TempDir dir;
    test::GateClock clock;
    HookedClock hooked;
    test::FakeLookup lookup;
    ManualTimers timers;
    std::unique_ptr<sim::SimulatedClient> client;
    std::unique_ptr<Session> session;
    std::mutex mutex;
    std::vector<std::function<void()>> queue;
    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;
    std::function<void()> onTablesChanged;
    std::vector<PassProgress> progressShown;
    std::vector<PassEnd> ends;
    std::vector<bool> busyAtEnd;
    std::vector<bool> jobStarts;
    std::vector<PlayerImport::Outcome> imports;
};

}  // namespace

TEST_F(SessionTest, NothingStartsInsideAnotherJobAndTicksWaitForIt) {
    ScanController& scans = session->passes().scans();
    {
        // A job holds the busy rule: no pass or other job starts, the interval scan waits.
        HeldJob import(scans);
        ASSERT_TRUE(import.started());
        EXPECT_FALSE(session->passes().scanAll());
        EXPECT_FALSE(session->passes().jobs().importPlayers({}));
        session->passes().schedule().setIntervalScan(true, 2);
        drain();
        EXPECT_EQ(lookup.connects, 0);
    }
    // The waiting scan runs once the import is over.
    settle();
    EXPECT_EQ(lookup.connects, 1);
    EXPECT_FALSE(session->passes().busy());

    // A tick in the middle of a scan runs the next scan after it, not inside it.
    clock.setOpen(false);
    timers.fire(TimerId::Interval);
    timers.fire(TimerId::Interval);  // the countdown reaches 0
    untilWaiting();
    EXPECT_TRUE(session->passes().busy());
    EXPECT_FALSE(session->passes().jobs().importPlayers({}));  // an import is refused meanwhile
    timers.fire(TimerId::Interval);
    timers.fire(TimerId::Interval);
    clock.setOpen(true);
    settle();
    EXPECT_EQ(lookup.connects, 3);
    EXPECT_EQ(lookup.disconnects, 3);
    EXPECT_EQ(session->passes().schedule().intervalMinutesLeft(), 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SessionTest, CancelAndStopEndTheWaitingJobOnly) {
    clock.setOpen(false);
    ASSERT_TRUE(session->passes().scanAll());
    untilWaiting();
    session->passes().scans().cancel();
    settle();
    EXPECT_FALSE(session->passes().busy());
    ASSERT_EQ(ends, std::vector<PassEnd>{PassEnd::Cancelled});
    EXPECT_TRUE(session->lists().tables().rows().empty());
    // The front end handles a pass's end while it still holds busy: a box
    // shown there lets no timer start the next pass.
    EXPECT_EQ(busyAtEnd, std::vector<bool>{true});
    // The cancel interrupted the clock for that pass only: a wait outside
    // passes (teaching the font) waits again.
    std::thread sleeper([this] { clock.sleepMs(1); });
    untilWaiting();
    clock.setOpen(true);
    sleeper.join();

    // "Open" ends at its Cancel too, opening nothing and telling nothing.
    clock.setOpen(false);
    ASSERT_TRUE(session->passes().openTable("Table 07"));
    untilWaiting();
    session->passes().scans().cancel();
    settle();
    EXPECT_EQ(ends.back(), PassEnd::Cancelled);
    EXPECT_TRUE(client->openedTables().empty());
    EXPECT_TRUE(messages.empty());

    // The next pass waits again: the cancel ended that pass only.
    clock.setOpen(true);
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    EXPECT_EQ(ends.back(), PassEnd::EndOfList);
    EXPECT_FALSE(session->lists().tables().rows().empty());

    // Stopping the opener stops its opening, and its timer.
    clock.setOpen(false);
    ASSERT_TRUE(session->passes().schedule().startOpener(5));
    EXPECT_FALSE(session->passes().schedule().startOpener(5));
    untilWaiting();
    session->passes().schedule().stopOpener();
    settle();
    EXPECT_FALSE(session->passes().busy());
    EXPECT_TRUE(client->openedTables().empty());
    EXPECT_FALSE(timers.running(TimerId::Opener));
}

TEST_F(SessionTest, ScanSelectedFillsTheWantedRowAndBuddiesRateScannedTablesOnly) {
    ASSERT_TRUE(session->passes().getTableList());
    settle();
    const std::vector<TableRow>& rows = session->lists().tables().rows();
    ASSERT_GE(rows.size(), 3u);
    const std::string wanted = rows[2].name;
    ASSERT_TRUE(session->passes().scanSelected(wanted));
    settle();
    ASSERT_TRUE(rows[2].scanned());
    EXPECT_EQ(rows[2].name, wanted);
    EXPECT_FALSE(rows[0].scanned());
    // Scanned again, the table's players are listed once.
    const std::size_t listed = session->lists().players().size();
    EXPECT_EQ(listed, rows[2].seated.size());
    ASSERT_TRUE(session->passes().scanSelected(wanted));
    settle();
    EXPECT_EQ(session->lists().players().size(), listed);

    // A buddy change rates the scanned table again and leaves the others unfilled.
    const std::string player = rows[2].seated.at(0)->name;
    session->setBuddy(player, true);
    EXPECT_EQ(rows[2].evaluation->buddies, 1);
    EXPECT_EQ(columnTextsOf(rows[0])[5], "");
    EXPECT_EQ(columnTextsOf(rows[0])[10], "");
}

TEST_F(SessionTest, FullScanListsOneRowPerPlayerAndTableAndWritesTheResultFile) {
    start(sim::Lobby({simTable("Alpha", {"FishOne", "Rock"}),
                      simTable("Beta", {"FishTwo", "FishOne", "nobody"}),
                      simTable("Gamma", {"Shark"})}));
    lookup.figures = [](PlayerStats& r) {
        r.hands = 50;
        r.vpip = 20.0;
        r.pfr = 5.0;
        r.af = 1.0;
        r.wtsd = 30.0;
        r.won = 10.0;  // no showdown: "Won SD" shows 0
    };
    AppSettings saving = session->settings();
    saving.general.scanResult = {1, (dir.path() / "results").string()};
    std::filesystem::create_directory(dir.path() / "results");
    ASSERT_EQ(session->update(saving, {SettingsPart::Options}), "");

    ASSERT_TRUE(session->passes().scanAll());
    settle();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(session->lists().tables().rows().size(), 3u);
    EXPECT_EQ(columnTextsOf(session->lists().tables().rows()[1])[3],
              "3");  // the unknown player counts
    // FishOne sits at two tables: two rows, one per table.
    std::vector<std::string> listed;
    for (const PlayerRow& row : session->lists().players().rows())
        listed.push_back(row.record->name + "@" + row.record->table);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"FishOne@Alpha", "FishOne@Beta", "FishTwo@Beta",
                                                "Rock@Alpha", "Shark@Gamma"}));

    // The result file goes into the folder the user chose.
    const std::string result = test::readBytes(dir.path() / "results" / "scanresult.txt");
    EXPECT_EQ(std::count(result.begin(), result.end(), '\n'), 5);
    EXPECT_NE(result.find("Gamma;Shark;1500;50;10.00;20.00;5.00;1.00;30.00;0;\n"),
              std::string::npos)
        << result;
}

// The waiting list is read below the seated players: every waiting name is
// looked up and listed after the seated ones, marked, and never counted or
// scored as seated.
TEST_F(SessionTest, WaitingPlayersAreLookedUpAndListedButNeverSeated) {
    sim::LobbyTable full = simTable("Alpha", {"Rock", "FishOne"});
    full.seats = 2;
    full.waitlist = {"Weakling", "Shark"};
    full.waiting = 4;  // two more than the area shows
    sim::LobbyTable open = simTable("Beta", {"Shark"});
    open.waitlist = {"Rock"};
    start(sim::Lobby({full, open, simTable("Gamma", {"Loner"})}));
    lookup.figures = [](PlayerStats& r) {
        r.hands = 400;
        r.vpipHands = r.name == "Weakling" ? 200 : 40;
        r.vpip = 100.0 * r.vpipHands / r.hands;
    };
    ASSERT_TRUE(session->passes().scanAll());
    settle();

    auto names = [](const std::vector<std::shared_ptr<PlayerStats>>& records) {
        std::vector<std::string> out;
        for (const auto& record : records)
            out.push_back(record->name + (record->waiting ? " (waiting)" : ""));
        return out;
    };
    const TableRow* alpha = session->lists().tables().find("Alpha");
    ASSERT_TRUE(alpha && alpha->scanned());
    EXPECT_EQ(alpha->players, 2);
    EXPECT_EQ(names(alpha->seated), (std::vector<std::string>{"Rock", "FishOne"}));
    EXPECT_EQ(names(alpha->waitingPlayers),
              (std::vector<std::string>{"Weakling (waiting)", "Shark (waiting)"}));
    EXPECT_EQ(alpha->waiting, 4);
    EXPECT_TRUE(alpha->waitingListCut);
    EXPECT_EQ(alpha->evaluation->score.players.size(), 2u)
        << "the weak waiting player scores nothing";
    const TableRow* beta = session->lists().tables().find("Beta");
    ASSERT_TRUE(beta && beta->scanned());
    EXPECT_EQ(names(beta->seated), std::vector<std::string>{"Shark"});
    EXPECT_EQ(names(beta->waitingPlayers), std::vector<std::string>{"Rock (waiting)"});
    EXPECT_EQ(beta->waiting, 1);
    EXPECT_FALSE(beta->waitingListCut);
    EXPECT_EQ(session->lists().tables().find("Gamma")->waiting, 0);
    EXPECT_NE(std::find(lookup.looked.begin(), lookup.looked.end(), "Weakling"),
              lookup.looked.end());

    // A player seated at one table and waiting at another is listed at both.
    std::vector<std::string> listed;
    for (const PlayerRow& row : session->lists().players().rows())
        listed.push_back(row.record->name + "@" + row.record->table +
                         (row.record->waiting ? " (waiting)" : ""));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"FishOne@Alpha", "Loner@Gamma", "Rock@Alpha",
                                                "Rock@Beta (waiting)", "Shark@Alpha (waiting)",
                                                "Shark@Beta", "Weakling@Alpha (waiting)"}));
    ASSERT_TRUE(session->lists().showTable("Alpha"));
    std::vector<std::string> seats;
    for (const PlayerRow& row : session->lists().tablePlayers().rows()) {
        const PlayerCells cells{*row.record, "", 0};
        seats.push_back(playerRowTexts(cells)[0] + " " + row.record->name);
    }
    EXPECT_EQ(seats, (std::vector<std::string>{"1 Rock", "2 FishOne", "waiting Weakling",
                                               "waiting Shark"}));
}

TEST_F(SessionTest, MissingLobbyIsToldAndEndsThePass) {
    test::FakePlatform desktop;  // no lobby window at all
    start(test::makeLobby(3), {.platform = &desktop});
    ASSERT_TRUE(session->passes().getTableList());
    settle();
    EXPECT_EQ(messages,
              std::vector<std::string>{"Lobby not found: Everestclient not found or minimized"});
    // A failure of its own kind, whose advice speaks of the lobby.
    ASSERT_EQ(kinds, std::vector<MessageKind>{MessageKind::LobbyNotFound});
    EXPECT_NE(adviceFor(kinds[0]).find("not minimized"), std::string::npos);
    EXPECT_FALSE(session->passes().busy());
    EXPECT_TRUE(session->lists().tables().rows().empty());
}

TEST_F(SessionTest, SavedDatabasesWaitForTheJobAndClosingTheOptionsRestartsTheCacheTimer) {
    session->passes().getTableList();
    settle();
    ASSERT_EQ(timers.intervals.at(TimerId::CacheClear), 1200 * 1000);

    DatabaseList list;
    list.append(DatabaseEntry{.host = "h", .database = "d", .user = "u"});
    AppSettings options = session->settings();
    options.general.cacheSeconds = "300";
    {
        // The worker may be using the connections: the new list waits for the job's end.
        HeldJob job(session->passes().scans());
        ASSERT_TRUE(job.started());
        // "OK", then the dialog closes.
        EXPECT_EQ(session->update(options, {SettingsPart::Options}), "");
        EXPECT_TRUE(session->saveDatabases(list));
        session->optionsClosed();
        EXPECT_TRUE(session->databases().empty());
        EXPECT_FALSE(timers.running(TimerId::CacheClear));
    }
    settle();
    ASSERT_EQ(session->databases().size(), 1u);
    EXPECT_EQ(session->tracker()->databaseCount(), 1u);

    // The next table list starts the timer with the new lifetime and empties the cache.
    lookup.cache->append(std::make_shared<PlayerStats>());
    session->passes().getTableList();
    settle();
    EXPECT_EQ(timers.intervals.at(TimerId::CacheClear), 300 * 1000);
    EXPECT_EQ(session->passes().scanState().records.size(), 0u);
}

// Settings applied while a pass runs reach its look-ups only from the next
// pass: the worker looks players up meanwhile.
TEST_F(SessionTest, TrackerOptionsChangedDuringAPassTakeEffectAtTheNextPass) {
    start(test::makeLobby(3), {.databases = true});
    AppSettings changed = session->settings();
    changed.useAggregator = true;
    changed.profile.excludeMe = true;
    changed.profile.ownName = "player1_0";
    changed.lookupTimeoutSeconds = 3;
    clock.setOpen(false);
    ASSERT_TRUE(session->passes().scanAll());
    untilWaiting();
    EXPECT_EQ(session->update(changed, {SettingsPart::Options, SettingsPart::UseAggregator,
                                        SettingsPart::LookupTimeout}),
              "");
    const auto described = [](const TrackerOptions& o) {
        return std::to_string(o.useAggregator) + std::to_string(o.excludeMe) + " " + o.ownName +
               " " + std::to_string(o.lookupTimeout.count());
    };
    EXPECT_EQ(described(session->tracker()->options()), "00  10000");
    clock.setOpen(true);
    settle();
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    EXPECT_EQ(described(session->tracker()->options()), "11 player1_0 3000");
    // Saved as well: the next start takes it.
    EXPECT_EQ(AppSettings::load(session->store(), dir.path()).lookupTimeoutSeconds, 3);
}

// The lists after a pass: every player row belongs to a listed table that
// seats it, and every scanned table's players are listed.
void expectConsistent(Session& session) {
    std::size_t seated = 0;
    for (const TableRow& row : session.lists().tables().rows())
        seated += row.seated.size();
    EXPECT_EQ(session.lists().players().size(), seated);
    for (const PlayerRow& player : session.lists().players().rows()) {
        const TableRow* table = session.lists().tables().find(player.record->table);
        ASSERT_NE(table, nullptr) << player.record->name;
        EXPECT_NE(std::find(table->seated.begin(), table->seated.end(), player.record),
                  table->seated.end())
            << player.record->name;
    }
}

// Captures that stop half-way through a full scan, at a row or at a seat
// list: one "Error Capturing", the pass ends, the lists hold whole tables
// only; with the client back, the next scan reads every table, and one that
// fails after it keeps the rows of that one.
TEST_F(SessionTest, CaptureFailingHalfWayEndsThePassAndKeepsTheListsWhole) {
    for (int captures = 2; captures <= 5; ++captures) {
        SCOPED_TRACE(captures);
        sim::SimulatedClient desktop(test::makeLobby(10));
        test::FailingCaptures failing(desktop, captures);
        start(test::makeLobby(10), {.platform = &failing});
        messages.clear();
        ASSERT_TRUE(session->passes().scanAll());
        settle();
        EXPECT_EQ(messages, std::vector<std::string>{"Error: Error Capturing"});
        EXPECT_EQ(ends.back(), PassEnd::CaptureFailed);
        EXPECT_FALSE(session->passes().busy());
        EXPECT_LT(session->lists().tables().size(), 9u);
        expectConsistent(*session);

        failing.allow(1000);
        ASSERT_TRUE(session->passes().scanAll());
        settle();
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(ends.back(), PassEnd::EndOfList);
        EXPECT_EQ(session->lists().tables().size(), 9u);  // table 7 is empty
        expectConsistent(*session);

        // Failing again, it keeps the tables it did not reach from the scan before, as stale.
        failing.allow(captures);
        ASSERT_TRUE(session->passes().scanAll());
        settle();
        EXPECT_EQ(ends.back(), PassEnd::CaptureFailed);
        const auto& rows = session->lists().tables().rows();
        EXPECT_EQ(rows.size(), 9u);
        EXPECT_TRUE(
            std::all_of(rows.begin(), rows.end(), [](const auto& r) { return r.scanned(); }));
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const auto& r) { return r.stale; }));
        expectConsistent(*session);
        session.reset();
    }
}

// Reading the lobby again keeps the last result on screen: rows the pass has
// not read yet stay with their figures, marked, and are replaced as it reads
// them; tables the lobby no longer shows go when the pass ends.
TEST_F(SessionTest, TheLastResultStaysOnScreenWhileTheLobbyIsReadAgain) {
    sim::SimulatedClient before(test::makeLobby(10));
    std::vector<sim::LobbyTable> tables = before.lobby().tables();
    tables.erase(tables.begin());  // "Table 01" closes
    sim::SimulatedClient after{sim::Lobby(tables)};
    test::FailingCaptures desktop(before, 1000000);
    start(test::makeLobby(10), {.platform = &desktop});
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    ASSERT_EQ(session->lists().tables().size(), 9u);  // "Table 07" is empty

    desktop.showInstead(after);
    std::size_t fewest = 100;
    std::size_t refreshingSeen = 0;
    onTablesChanged = [&] {
        fewest = std::min(fewest, session->lists().tables().size());
        for (const TableRow& row : session->lists().tables().rows())
            refreshingSeen += row.refreshing && row.scanned() ? 1 : 0;
    };
    progressShown.clear();
    ASSERT_TRUE(session->passes().getTableList());
    settle();
    EXPECT_EQ(fewest, 9u);
    EXPECT_GT(refreshingSeen, 0u);
    // The scan's walk told the list's length: a bar, and a time left once rows are timed.
    ASSERT_GE(progressShown.size(), 3u);
    EXPECT_EQ(progressShown[0].rowsRead, 0u);
    EXPECT_GE(progressShown[2].rowsExpected, 10u);
    EXPECT_TRUE(progressShown[2].secondsLeft.has_value());
    const auto& rows = session->lists().tables().rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(session->lists().tables().find("Table 01"), nullptr);
    EXPECT_EQ(rows.front().name, "Table 02");
    // The scores stay, from the pass before.
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(),
                            [](const TableRow& r) { return r.scanned() && r.stale; }));
    expectConsistent(*session);

    fewest = 100;
    refreshingSeen = 0;
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    EXPECT_EQ(fewest, 8u);
    EXPECT_GT(refreshingSeen, 0u);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(),
                             [](const TableRow& r) { return r.stale || r.refreshing; }));
    expectConsistent(*session);
}

// A disk that refuses every rewrite: the buddy mark and the scan result are
// told as not saved, and the files on disk stay as they were.
TEST_F(SessionTest, RefusedWritesAreToldAndLeaveTheOldFiles) {
    AppSettings saving = session->settings();
    saving.general.scanResult = {1, dir.path().string()};
    ASSERT_EQ(session->update(saving, {SettingsPart::Options}), "");
    session->setBuddy("player1_0", true);
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    ASSERT_TRUE(messages.empty());
    const std::string buddies = test::readBytes(dir.path() / "mofofish");
    const std::string result = test::readBytes(dir.path() / "scanresult.txt");
    ASSERT_FALSE(result.empty());

    {
        const test::RefusedWrites full;
        session->setBuddy("player2_0", true);
        ASSERT_TRUE(session->passes().scanAll());
        settle();
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Error: Unable to save mofofish");
    EXPECT_EQ(messages[1].rfind("Error: Unable to write the scan result to ", 0), 0u)
        << messages[1];
    EXPECT_NE(messages[1].find("No space left on device"), std::string::npos) << messages[1];
    EXPECT_EQ(test::readBytes(dir.path() / "mofofish"), buddies);
    EXPECT_EQ(test::readBytes(dir.path() / "scanresult.txt"), result);
}

// "name@table" and the hands of every listed player.
std::map<std::string, int> listedHands(Session& session) {
    std::map<std::string, int> hands;
    for (const PlayerRow& row : session.lists().players().rows())
        hands[row.record->name + "@" + row.record->table] = row.record->hands;
    return hands;
}

// The tracker server killed in the middle of a full scan: one message, the
// walk goes on to the end of the lobby without the lost database, and the
// next scan connects again and looks every player up.
TEST_F(SessionTest, TrackerServerKilledInTheMiddleOfAScan) {
    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL server programs not installed";
    test::PostgresServer& server = test::PostgresServer::shared();
    server.createDatabase("session_pt3");
    server.executeFile("session_pt3", KESTROVA_TRACKER_FIXTURES "/pokertracker3.sql");
    DatabaseList list;
    list.append(test::trackerEntry(server, "session_pt3", DatabaseKind::PokerTracker3));
    ASSERT_TRUE(list.save(dir.path()));

    int seatWaits = 0;
    hooked.hook = [&](int ms) {
        // While the second table's seats are awaited: its players are the first
        // to be looked up on a dead connection.
        if (ms == TableScanPass::kSeatsShownMs && ++seatWaits == 2)
            server.kill();
    };
    start(sim::Lobby({simTable("Alpha", {"RiverRat", "Ivan"}), simTable("Beta", {"lucky", "Case"}),
                      simTable("Gamma", {"Stranger", "RiverRat"})}),
          {.clock = &hooked, .databases = true});
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(
                  "Error: Your database is probably not configured correct with Kestrova\n.", 0),
              0u)
        << messages[0];
    EXPECT_EQ(ends.back(), PassEnd::EndOfList);
    EXPECT_EQ(session->lists().tables().size(), 3u);
    // Alpha's players, looked up before the kill, and RiverRat again from the cache.
    EXPECT_EQ(listedHands(*session),
              (std::map<std::string, int>{
                  {"RiverRat@Alpha", 4}, {"Ivan@Alpha", 2}, {"RiverRat@Gamma", 4}}));
    expectConsistent(*session);

    server.start();
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    EXPECT_EQ(messages.size(), 1u) << messages.back();
    EXPECT_EQ(ends.back(), PassEnd::EndOfList);
    EXPECT_EQ(listedHands(*session), (std::map<std::string, int>{{"RiverRat@Alpha", 4},
                                                                 {"Ivan@Alpha", 2},
                                                                 {"lucky@Beta", 2},
                                                                 {"Case@Beta", 5},
                                                                 {"Stranger@Gamma", 0},
                                                                 {"RiverRat@Gamma", 4}}));
    expectConsistent(*session);
}

// One tracker of two refuses the login: it is named once and the scan reads the
// other's players to the end of the lobby.
TEST_F(SessionTest, AScanGoesOnWithoutATrackerThatRefusesTheLogin) {
    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL server programs not installed";
    test::PostgresServer& server = test::PostgresServer::shared();
    server.createDatabase("session_pt2");
    server.executeFile("session_pt2", KESTROVA_TRACKER_FIXTURES "/pokertracker2.sql");
    DatabaseList list;
    DatabaseEntry wrong = test::trackerEntry(server, "session_pt3", DatabaseKind::PokerTracker3);
    wrong.password = "wrong";
    list.append(wrong);
    list.append(test::trackerEntry(server, "session_pt2", DatabaseKind::PokerTracker2Postgres));
    ASSERT_TRUE(list.save(dir.path()));

    start(sim::Lobby({simTable("Alpha", {"RiverRat", "Ivan"}), simTable("Beta", {"KiII3r"})}),
          {.databases = true});
    ASSERT_TRUE(session->passes().scanAll());
    settle();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("\nDatabase: PokerTracker 3 \"session_pt3\"\n"), std::string::npos)
        << messages[0];
    EXPECT_EQ(ends.back(), PassEnd::EndOfList);
    EXPECT_EQ(
        listedHands(*session),
        (std::map<std::string, int>{{"RiverRat@Alpha", 3}, {"Ivan@Alpha", 0}, {"KiII3r@Beta", 4}}));
}

// The import runs on the worker under the busy rule: the window's buddy list
// takes the passing players at its end; "Cancel" ends the collection.
TEST_F(SessionTest, ImportOnTheWorkerAddsPassingPlayersAndCancelEndsTheCollection) {
    DatabaseList list;
    list.append(DatabaseEntry{.database = "a", .kind = 0});
    ASSERT_TRUE(session->saveDatabases(list));
    auto names = std::make_unique<ScriptedNames>();
    ScriptedNames& rows = *names;
    session->passes().jobs().setNameSource(std::move(names));
    lookup.figures = [](PlayerStats& r) {
        r.hands = r.name == "few" ? 199 : 300;
        r.vpip = r.name == "below" ? 39.99 : 40.99;
    };
    rows.rows = {"edge", "below", "few", "edge"};
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    filter.minimumHands = 200;
    ASSERT_TRUE(session->passes().jobs().importPlayers(filter));
    EXPECT_FALSE(session->passes().scanAll());
    settle();
    EXPECT_EQ(jobStarts, std::vector<bool>{true});
    EXPECT_EQ(lookup.looked, (std::vector<std::string>{"edge", "below", "few"}));
    EXPECT_EQ(session->buddies().names(), std::vector<std::string>{"edge"});
    BuddyList saved(dir.path());
    saved.loadBuddies();
    EXPECT_EQ(saved.names(), std::vector<std::string>{"edge"});
    ASSERT_EQ(imports.size(), 1u);
    EXPECT_EQ(imports[0].added, 1u);
    EXPECT_EQ(lookup.disconnects, 1);
    EXPECT_FALSE(session->passes().busy());

    lookup.looked.clear();
    rows.rows = {"p1", "p2", "p3"};
    rows.onSecondRow = [&] { session->passes().jobs().cancel(); };
    ASSERT_TRUE(session->passes().jobs().importPlayers(filter));
    settle();
    ASSERT_EQ(imports.size(), 2u);
    EXPECT_TRUE(imports[1].cancelled);
    EXPECT_TRUE(lookup.looked.empty());
    EXPECT_EQ(session->buddies().names(), std::vector<std::string>{"edge"});
}
