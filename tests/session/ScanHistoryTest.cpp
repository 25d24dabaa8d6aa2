// The session's history: alerts for watched players and rules, told at most
// once an hour on the history's own clock and met on every pass, one message when the file fails or is
// busy, opened when used, and pruned by writes alone. A slow shared server
// takes a pass in a few round trips and never holds the end of the program.
// A pass's many alerts reach the desktop as a few notices.
#include "ScanHistory.h"

#include "PostgresServer.h"
#include "StallingRelay.h"
#include "TempDir.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <latch>
#include <mutex>

namespace kestrova {
namespace {

using namespace std::chrono_literals;

class ScanHistoryTest : public ::testing::Test {
protected:
    std::unique_ptr<ScanHistory> start(const std::filesystem::path& file, int keepDays = 90,
                                       std::chrono::milliseconds busyWait = kHistoryBusyWait) {
        return start([file, busyWait](std::string* problem) {
            return openSqliteHistory(file, problem, busyWait);
        }, keepDays);
    }
    std::unique_ptr<ScanHistory> start(ScanHistory::Opener open, int keepDays) {
        ScanHistory::Handlers handlers;
        handlers.failed = [this](const std::string& problem) { problems.push_back(problem); };
        handlers.alerts = [this](const std::vector<HistoryAlert>& raised) {
            alerts.insert(alerts.end(), raised.begin(), raised.end());
        };
        handlers.watchChanged = [this] { ++watchChanges; };
        auto history = std::make_unique<ScanHistory>(
            std::move(open), keepDays, [this] { return now; },
            [this](std::function<void()> work) {
                const std::lock_guard lock(mutex);
                posted.push_back(std::move(work));
            },
            handlers);
        history->open();
        settle(*history);
        return history;
    }
    // Runs what the history thread handed back, as the front end's loop would.
    void settle(ScanHistory& history) {
        history.waitUntilIdle();
        std::vector<std::function<void()>> work;
        {
            const std::lock_guard lock(mutex);
            work.swap(posted);
        }
        for (const auto& step : work)
            step();
    }
    std::vector<std::string> tables(ScanHistory& history) {
        std::vector<std::string> names;
        history.ask<std::vector<TableSummary>>(
            [](HistoryStore& store) { return store.tables(HistoryTime{}); },
            [&](std::vector<TableSummary> found) {
                for (const TableSummary& table : found)
                    names.push_back(table.table);
            },
            [](const std::string& why) { ADD_FAILURE() << why; });
        settle(history);
        return names;
    }
    // The alerts to tell; `marked` counts those met again within the quiet time.
    std::vector<std::string> alertTexts(std::size_t* marked = nullptr) {
        std::vector<std::string> texts;
        for (const HistoryAlert& alert : alerts) {
            if (alert.notify)
                texts.push_back(alert.text);
        }
        if (marked)
            *marked = alerts.size() - texts.size();
        alerts.clear();
        return texts;
    }
    TableVisit aconcagua(double score) const {
        TableVisit visit;
        visit.at = now;
        visit.table = "Aconcagua";
        visit.stakes = "$0.10/$0.25";
        visit.seated = 3;
        visit.seats = 6;
        visit.score = score;
        visit.players = {{"Ice_Man", 1, "10", 12, "20.00", "", "", "", 0.1},
                         {"Fish", 2, "10", 300, "50.00", "", "", "", 0.9},
                         {"Nit", 3, "10", 300, "12.00", "", "", "", 0.0}};
        return visit;
    }

    // A fresh shared store behind a relay that can slow or silence it.
    std::string sharedBehind(const test::StallingRelay& relay, const std::string& database) {
        test::PostgresServer& server = test::PostgresServer::shared();
        server.createDatabase(database);
        return "host=127.0.0.1 port=" + std::to_string(relay.port()) + " dbname=" + database +
               " user=" + std::string(server.kUser) + " password=" + std::string(server.kPassword);
    }
    static ScanHistory::Opener sharedOpener(const std::string& connection) {
        return [connection](std::string* problem) {
            return openPostgresHistory(connection, problem);
        };
    }
    std::vector<std::string> localTables() {
        std::vector<std::string> names;
        for (const TableSummary& table :
             openSqliteHistory(dir / "history.sqlite", nullptr)->tables(HistoryTime{}))
            names.push_back(table.table);
        return names;
    }

    test::TempDir dir;
    HistoryTime now = *parseIsoTime("2026-12-07T21:00:00Z");
    std::mutex mutex;
    std::vector<std::function<void()>> posted;
    std::vector<std::string> problems;
    std::vector<HistoryAlert> alerts;
    int watchChanges = 0;
};

TEST_F(ScanHistoryTest, WatchedPlayersAndRulesMarkEveryPassAndAlertOnceAnHourPerTable) {
    auto history = start(dir / "history.sqlite");
    ASSERT_TRUE(history->available());
    history->watch("ice_man", "loose");
    std::string problem;
    ASSERT_TRUE(history->addRule("vpip >= 45 and hands >= 200", "", &problem)) << problem;
    ASSERT_TRUE(history->addRule("score >= 2.5", "", &problem)) << problem;
    EXPECT_FALSE(history->addRule("score >= lots", "", &problem));
    settle(*history);
    EXPECT_TRUE(history->isWatched("ICE_MAN"));

    history->record(aconcagua(3.0));
    settle(*history);
    EXPECT_EQ(alertTexts(),
              (std::vector<std::string>{
                  "Ice_Man sat down at Aconcagua ($0.10/$0.25, 3 of 6 seats)",
                  "Fish (vpip >= 45 and hands >= 200) sat down at Aconcagua ($0.10/$0.25, 3 of "
                  "6 seats)",
                  "Aconcagua ($0.10/$0.25, 3 of 6 seats) meets score >= 2.5"}));
    EXPECT_EQ(history->lastSeen("Ice_Man"), nullptr);

    const HistoryTime first = now;
    now += 59min;
    history->record(aconcagua(3.0));
    settle(*history);
    std::size_t marked = 0;
    EXPECT_TRUE(alertTexts(&marked).empty());
    EXPECT_EQ(marked, 3u);  // the table is marked on every pass
    ASSERT_NE(history->lastSeen("ice_man"), nullptr);
    EXPECT_EQ(history->lastSeen("ice_man")->at, first);

    now += 1min;
    history->unwatch("Ice_Man");
    history->record(aconcagua(2.0));
    settle(*history);
    EXPECT_EQ(alertTexts().size(), 1u);  // Fish again; the score no longer meets its rule
    EXPECT_TRUE(problems.empty());
}

// A watched player who joins a waiting list is told as waiting, apart from
// sitting down there later; a table rule can judge the list's length.
TEST_F(ScanHistoryTest, AWatchedPlayerWaitingIsToldAndThenAgainWhenHeSits) {
    auto history = start(dir / "history.sqlite");
    history->watch("Ice_Man", "");
    std::string problem;
    ASSERT_TRUE(history->addRule("waiting >= 3", "", &problem)) << problem;
    settle(*history);
    TableVisit full = aconcagua(0);
    full.seated = 6;
    full.waiting = 3;
    full.players[0].waiting = true;
    history->record(full);
    settle(*history);
    EXPECT_EQ(alertTexts(), (std::vector<std::string>{
                                "Ice_Man is waiting for Aconcagua ($0.10/$0.25, 6 of 6 seats, 3 "
                                "waiting)",
                                "Aconcagua ($0.10/$0.25, 6 of 6 seats, 3 waiting) meets waiting "
                                ">= 3"}));
    now += 5min;
    history->record(aconcagua(0));
    settle(*history);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{
                                "Ice_Man sat down at Aconcagua ($0.10/$0.25, 3 of 6 seats)"});
}

TEST_F(ScanHistoryTest, AWatchListChangedByAnotherProgramIsLoadedAndAlertsAtTheNextPass) {
    auto history = start(dir / "history.sqlite");
    const int told = watchChanges;
    history->reload();
    settle(*history);
    EXPECT_EQ(watchChanges, told);  // nothing new, nothing told
    {
        std::string problem;
        const auto commandLine = openSqliteHistory(dir / "history.sqlite", &problem);
        ASSERT_TRUE(commandLine) << problem;
        commandLine->watch({"Ice_Man", "", now});
    }
    history->reload();
    settle(*history);
    EXPECT_EQ(watchChanges, told + 1);
    EXPECT_TRUE(history->isWatched("Ice_Man"));
    history->record(aconcagua(0));
    settle(*history);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{
                                "Ice_Man sat down at Aconcagua ($0.10/$0.25, 3 of 6 seats)"});
}

TEST_F(ScanHistoryTest, FullDiskIsToldOnceAndThePassesGoOnWithoutHistory) {
    auto history = start(dir / "history.sqlite");
    const auto size = std::filesystem::file_size(dir / "history.sqlite");
    test::underFileSizeLimit(size + 8192, [&] {
        for (int n = 0; n < 200; ++n) {
            TableVisit visit = aconcagua(1.0);
            visit.table = "Table " + std::to_string(n) + std::string(200, 'x');
            history->record(visit);
        }
        history->waitUntilIdle();
        return true;
    });
    settle(*history);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("Scanning goes on without history"), std::string::npos)
        << problems[0];
    EXPECT_FALSE(history->available());
    history->record(aconcagua(1.0));
    settle(*history);
    EXPECT_EQ(problems.size(), 1u);
}

TEST_F(ScanHistoryTest, DamagedFileIsToldAndNeverWritten) {
    test::writeBytes(dir / "history.sqlite", "not a database, but the user's own file");
    auto history = start(dir / "history.sqlite");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_FALSE(history->available());
    history->record(aconcagua(1.0));
    settle(*history);
    EXPECT_EQ(test::readBytes(dir / "history.sqlite"), "not a database, but the user's own file");
}

// Another program holding the file's write lock: said once, the tables of
// the moment left out, an edit told it was not saved; the store is kept.
TEST_F(ScanHistoryTest, BusyFileIsToldOnceAndWrittenAgainWhenFree) {
    auto history = start(dir / "history.sqlite", 90, 50ms);
    SQLite::Database other(dir / "history.sqlite", SQLite::OPEN_READWRITE);
    std::optional<std::string> saved;
    const ScanHistory::Done done = [&](const std::string& why) { saved = why; };
    {
        SQLite::Transaction lock(other, SQLite::TransactionBehavior::IMMEDIATE);
        history->record(aconcagua(1.0));
        settle(*history);
        history->record(aconcagua(1.0));
        history->watch("Fish", "", done);
        settle(*history);
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("busy"), std::string::npos) << problems[0];
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("database is locked"), std::string::npos) << *saved;
    EXPECT_TRUE(history->available());

    TableVisit later = aconcagua(1.0);
    later.table = "Everest";
    history->record(later);
    history->watch("Fish", "", done);
    settle(*history);
    EXPECT_EQ(saved, "");
    EXPECT_TRUE(history->isWatched("fish"));
    EXPECT_EQ(tables(*history), std::vector<std::string>{"Everest"});
    EXPECT_EQ(problems.size(), 1u);
}

// Nothing is made before the history is used, and only a write prunes: an old
// history is read whole however short the time kept. A shared store keeps
// what it says, whatever the scanner's own setting.
TEST_F(ScanHistoryTest, OpenedWhenUsedAndPrunedOnlyByWrites) {
    {
        ScanHistory unused([&](std::string* problem) {
            return openSqliteHistory(dir / "history.sqlite", problem);
        }, 1, [this] { return now; }, [](std::function<void()>) {}, {});
        unused.waitUntilIdle();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "history.sqlite"));

    TableVisit old = aconcagua(1.0);
    old.at = now - std::chrono::days(3);
    openSqliteHistory(dir / "history.sqlite", nullptr)->add(old);
    auto history = start(dir / "history.sqlite", 1);
    EXPECT_EQ(tables(*history), std::vector<std::string>{"Aconcagua"});
    TableVisit today = aconcagua(1.0);
    today.table = "Everest";
    history->record(today);
    settle(*history);
    EXPECT_EQ(tables(*history), std::vector<std::string>{"Everest"});

    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed";
    test::PostgresServer& server = test::PostgresServer::shared();
    server.createDatabase("history_kept");
    const std::string shared = "host=127.0.0.1 port=" + server.portText() +
                               " dbname=history_kept user=" + std::string(server.kUser) +
                               " password=" + std::string(server.kPassword);
    const auto openShared = [&](std::string* problem) {
        return openPostgresHistory(shared, problem);
    };
    openPostgresHistory(shared, nullptr)->add(old);
    history = start(openShared, 1);
    history->record(today);
    EXPECT_EQ(tables(*history), (std::vector<std::string>{"Everest", "Aconcagua"}));
    openPostgresHistory(shared, nullptr)->keepFor(2);
    history = start(openShared, 90);
    history->record(today);
    EXPECT_EQ(tables(*history), std::vector<std::string>{"Everest"});
    EXPECT_TRUE(problems.empty()) << problems.front();
}

// 40 tables of six, every player watched, written behind a network that
// adds 20 ms to each round trip: the pass's rows, their last sightings and
// alert claims take a handful of round trips, not one or two per row.
TEST_F(ScanHistoryTest, SlowSharedServerTakesAPassInAFewRoundTrips) {
    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed";
    test::StallingRelay relay(test::PostgresServer::shared().port());
    auto history = start(sharedOpener(sharedBehind(relay, "history_slow")), 90);
    ASSERT_TRUE(history->available()) << problems.front();
    std::vector<TableVisit> pass;
    for (int t = 0; t < 40; ++t) {
        TableVisit visit = aconcagua(1.0);
        visit.table = "Table " + std::to_string(t);
        visit.players.clear();
        for (int seat = 1; seat <= 6; ++seat) {
            const std::string name = "P" + std::to_string(t) + "_" + std::to_string(seat);
            visit.players.push_back({name, seat, "10", 100, "30.00", "", "", "", 0.5});
            history->watch(name, "");
        }
        pass.push_back(std::move(visit));
    }
    settle(*history);
    relay.delayRequests(20ms);
    const int before = relay.requests();
    // Everything is handed over while the history thread is held, as when
    // a pass reads faster than the server answers.
    std::latch handedOver(1);
    history->ask<int>(
        [&](HistoryStore&) {
            handedOver.wait();
            return 0;
        },
        [](int) {},
                      [](const std::string& why) { ADD_FAILURE() << why; });
    for (const TableVisit& visit : pass)
        history->record(visit);
    handedOver.count_down();
    settle(*history);
    EXPECT_LE(relay.requests() - before, 12);
    EXPECT_EQ(tables(*history).size(), 40u);
    EXPECT_EQ(alertTexts().size(), 240u);

    // Read again: every player's last sighting comes back with the next pass.
    now += 2h;
    history->record(pass.front());
    settle(*history);
    ASSERT_NE(history->lastSeen("p0_3"), nullptr);
    EXPECT_EQ(history->lastSeen("p0_3")->sighting.seat, 3);
    EXPECT_EQ(alertTexts().size(), 6u);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

// A server that stops answering: closing waits its bound, breaks the
// connection off and keeps what was queued in the local file, and says so.
TEST_F(ScanHistoryTest, ClosingBehindASilentServerKeepsTheQueuedTablesLocally) {
    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL is not installed";
    test::StallingRelay relay(test::PostgresServer::shared().port());
    auto history = start(sharedOpener(sharedBehind(relay, "history_silent")), 90);
    history->keepOnClosing(
        [this](std::string* problem) {
            return openSqliteHistory(dir / "history.sqlite", problem);
        },
        "history.sqlite", 300ms);
    relay.stall();
    for (const char* table : {"Aconcagua", "Everest", "Lhotse"}) {
        TableVisit visit = aconcagua(1.0);
        visit.table = table;
        history->record(visit);
    }
    const auto started = std::chrono::steady_clock::now();
    const std::string told = history->close();
    // Well within the statement deadline of 10 s that would end it otherwise.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_NE(told.find("the last 3 tables read are kept in history.sqlite"), std::string::npos)
        << told;
    EXPECT_EQ(localTables().size(), 3u);
}

// The first handful of a pass's alerts are told one by one as they come; the
// rest of the pass in one notice once it ends, with the count and the first
// names; alerts that come after the end go out at once, together.
TEST(AlertNotices, APassBeyondAHandfulIsToldInOneNotice) {
    const auto met = [](int from, int to) {
        std::vector<HistoryAlert> alerts;
        for (int n = from; n < to; ++n)
            alerts.push_back({"Table " + std::to_string(n), "P" + std::to_string(n), {},
                              "P" + std::to_string(n) + " sat down"});
        return alerts;
    };
    const auto texts = [](const std::vector<AlertNotice>& notices) {
        std::vector<std::string> told;
        for (const AlertNotice& notice : notices)
            told.push_back(notice.table + ": " + notice.text);
        return told;
    };
    AlertNotices notices;
    notices.passStarted();
    std::vector<HistoryAlert> first = met(0, 3);
    first.push_back({"Lhotse", "Nit", {}, "Nit sat down", /*notify=*/false});
    EXPECT_EQ(texts(notices.add(first)), (std::vector<std::string>{
                                             "Table 0: P0 sat down", "Table 1: P1 sat down",
                                             "Table 2: P2 sat down"}));
    EXPECT_EQ(notices.add(met(3, 200)).size(), 2u);
    EXPECT_EQ(texts(notices.passEnded()),
              std::vector<std::string>{": 195 more alerts in this scan: P5, P6, P7 and 192 "
                                       "others. The Watch List shows them all."});
    EXPECT_EQ(texts(notices.add(met(200, 202))),
              std::vector<std::string>{
                  ": 2 more alerts in this scan: P200 and P201. The Watch List shows them all."});
    EXPECT_EQ(texts(notices.add(met(202, 203))),
              std::vector<std::string>{"Table 202: P202 sat down"});

    notices.passStarted();
    EXPECT_EQ(notices.add(met(0, 5)).size(), 5u);
    EXPECT_TRUE(notices.add(met(5, 9)).empty());
    EXPECT_EQ(texts(notices.passEnded()),
              std::vector<std::string>{": 4 more alerts in this scan: P5, P6, P7 and 1 other. "
                                       "The Watch List shows them all."});
}

}  // namespace
}  // namespace kestrova
