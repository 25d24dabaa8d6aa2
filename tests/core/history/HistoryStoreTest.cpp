// The scan history's SQLite file: what goes in comes back, what cannot be
// used is left alone, and a killed writer loses nothing it committed.
#include "history/HistoryStore.h"

#include "PostgresServer.h"
#include "TempDir.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrova {
namespace {

using namespace std::chrono_literals;
using test::readBytes;
using test::writeBytes;

const HistoryTime kEvening = *parseIsoTime("2026-12-07T21:00:00Z");

TableVisit visit(const std::string& table, HistoryTime at, std::vector<std::string> players,
                 double score = 1.5) {
    TableVisit v;
    v.at = at;
    v.table = table;
    v.stakes = "$0.10/$0.25";
    v.seated = static_cast<int>(players.size());
    v.seats = 6;
    v.averagePot = "$12.40";
    v.score = score;
    for (std::size_t i = 0; i < players.size(); ++i)
        v.players.push_back({players[i], static_cast<int>(i) + 1, "25.00", 220, "45.20", "12.00",
                             "2.10", "30.00", 0.8});
    return v;
}

// The same tests for the local file and the shared server; each store is
// opened anew on the same file or database.
class EveryStore : public ::testing::TestWithParam<bool> {
protected:
    std::unique_ptr<HistoryStore> reopen() {
        std::string problem;
        std::unique_ptr<HistoryStore> store;
        if (GetParam()) {
            test::PostgresServer& server = test::PostgresServer::shared();
            if (!madeDatabase_) {
                server.createDatabase("history_store");
                madeDatabase_ = true;
            }
            store = openPostgresHistory(
                "host=127.0.0.1 port=" + server.portText() +
                    " dbname=history_store user=" + std::string(test::PostgresServer::kUser) +
                    " password=" + std::string(test::PostgresServer::kPassword),
                &problem);
        } else {
            store = openSqliteHistory(dir_ / "history.sqlite", &problem);
        }
        EXPECT_TRUE(store) << problem;
        return store;
    }
    void SetUp() override {
        if (GetParam() && !test::PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL is not installed";
    }

private:
    test::TempDir dir_;
    bool madeDatabase_ = false;
};

INSTANTIATE_TEST_SUITE_P(HistoryStore, EveryStore, ::testing::Values(false, true),
                         [](const auto& store) { return store.param ? "Postgres" : "Sqlite"; });

std::unique_ptr<HistoryStore> open(const std::filesystem::path& file) {
    std::string problem;
    auto store = openSqliteHistory(file, &problem);
    EXPECT_TRUE(store) << problem;
    return store;
}

TEST_P(EveryStore, VisitsAndSightingsComeBackByTableAndByPlayer) {
    auto store = reopen();
    store->add(visit("Aconcagua", kEvening, {"Ice_Man", "Rounder3"}, 2.0));
    store->add(visit("Everest", kEvening + 5min, {"ice_man"}, 0.5));
    store->add(visit("Aconcagua", kEvening + 10min, {"Rounder3"}, 1.0));

    const std::vector<TableVisit> aconcagua = store->table("Aconcagua", HistoryTime{});
    ASSERT_EQ(aconcagua.size(), 2u);
    TableVisit expected = visit("Aconcagua", kEvening, {}, 2.0);
    expected.seated = 2;
    EXPECT_EQ(aconcagua[0], expected);
    EXPECT_EQ(aconcagua[1].at, kEvening + 10min);
    EXPECT_EQ(store->table("Aconcagua", kEvening + 1min).size(), 1u);

    // Any letter case, the newest first, as many as asked for.
    const std::vector<PlayerVisit> ice = store->player("ICE_MAN", HistoryTime{});
    ASSERT_EQ(ice.size(), 2u);
    EXPECT_EQ(ice[0].table, "Everest");
    EXPECT_EQ(ice[1].table, "Aconcagua");
    EXPECT_EQ(ice[1].sighting, visit("", {}, {"Ice_Man"}).players[0]);
    EXPECT_EQ(store->player("Rounder3", HistoryTime{}, 1).at(0).at, kEvening + 10min);
    EXPECT_TRUE(store->player("Nobody", HistoryTime{}).empty());

    const std::vector<TableSummary> tables = store->tables(HistoryTime{});
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].table, "Aconcagua");
    EXPECT_EQ(tables[0].visits, 2);
    EXPECT_DOUBLE_EQ(tables[0].averageSeated, 1.5);
    EXPECT_DOUBLE_EQ(tables[0].averageScore, 1.5);
    EXPECT_DOUBLE_EQ(tables[0].lastScore, 1.0);
    EXPECT_EQ(tables[0].firstSeen, kEvening);
    EXPECT_EQ(store->tables(kEvening + 6min).size(), 1u);

    // Pruning takes the sightings with their tables.
    EXPECT_EQ(store->prune(kEvening + 6min), 2);
    EXPECT_TRUE(store->player("Ice_Man", HistoryTime{}).empty());
    EXPECT_EQ(store->player("Rounder3", HistoryTime{}).size(), 1u);

    // Reopened, everything is still there.
    store.reset();
    EXPECT_EQ(reopen()->table("Aconcagua", HistoryTime{}).size(), 1u);
}

TEST_P(EveryStore, WatchListRulesAndAlertsOncePerQuietPeriod) {
    auto store = reopen();
    store->watch({"Ice_Man", "loose", kEvening});
    store->watch({"ICE_MAN", "very loose", kEvening + 1h});
    ASSERT_EQ(store->watchedPlayers().size(), 1u);
    EXPECT_EQ(store->watchedPlayers()[0].note, "very loose");
    EXPECT_EQ(store->watchedPlayers()[0].added, kEvening);
    EXPECT_TRUE(store->unwatch("ice_man"));
    EXPECT_FALSE(store->unwatch("ice_man"));

    const int first = store->addRule("score >= 2.5", "");
    const int second = store->addRule("vpip >= 45", "fish");
    EXPECT_NE(first, second);
    EXPECT_TRUE(store->removeRule(first));
    ASSERT_EQ(store->rules().size(), 1u);
    EXPECT_EQ(store->rules()[0].note, "fish");

    EXPECT_TRUE(store->claimAlert("a", kEvening, 1h));
    EXPECT_FALSE(store->claimAlert("a", kEvening + 59min, 1h));
    EXPECT_TRUE(store->claimAlert("b", kEvening + 59min, 1h));
    EXPECT_TRUE(store->claimAlert("a", kEvening + 1h, 1h));
}

TEST(HistoryStore, FilesItCannotUseAreToldAndLeftAlone) {
    test::TempDir dir;
    std::string problem;

    writeBytes(dir / "damaged.sqlite", std::string(4096, 'x'));
    EXPECT_FALSE(openSqliteHistory(dir / "damaged.sqlite", &problem));
    EXPECT_NE(problem.find("damaged.sqlite"), std::string::npos) << problem;
    EXPECT_EQ(readBytes(dir / "damaged.sqlite"), std::string(4096, 'x'));

    {
        auto store = open(dir / "newer.sqlite");
        store->add(visit("Aconcagua", kEvening, {"Ice_Man"}));
    }
    SQLite::Database(dir / "newer.sqlite", SQLite::OPEN_READWRITE).exec("PRAGMA user_version = 7");
    const std::string before = readBytes(dir / "newer.sqlite");
    EXPECT_FALSE(openSqliteHistory(dir / "newer.sqlite", &problem));
    EXPECT_NE(problem.find("newer version"), std::string::npos) << problem;
    EXPECT_EQ(readBytes(dir / "newer.sqlite"), before);

    SQLite::Database(dir / "other.sqlite", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("CREATE TABLE t(x)");
    EXPECT_FALSE(openSqliteHistory(dir / "other.sqlite", &problem));
    EXPECT_NE(problem.find("no scan history"), std::string::npos) << problem;

    std::filesystem::create_directory(dir / "folder.sqlite");
    EXPECT_FALSE(openSqliteHistory(dir / "folder.sqlite", &problem));
}

// A writer killed at a random moment of a long pass: the file checks whole
// and holds every table the writer had finished.
TEST(HistoryStore, KilledWriterLeavesAnIntactFileWithEveryFinishedTable) {
    test::TempDir dir;
    const std::filesystem::path file = dir / "history.sqlite";
    open(file);
    for (const int killAfter : {1, 37, 400}) {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(done[0]);
            auto store = openSqliteHistory(file, nullptr);
            for (int n = 1;; ++n) {
                store->add(visit(std::to_string(killAfter) + "-" + std::to_string(n), kEvening,
                                 {"A", "B", "C", "D"}));
                const int count = n;
                if (::write(done[1], &count, sizeof count) != sizeof count)
                    ::_exit(2);
            }
        }
        ::close(done[1]);
        int finished = 0;
        int count = 0;
        while (finished < killAfter && ::read(done[0], &count, sizeof count) == sizeof count)
            finished = count;
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(done[0]);

        SQLite::Database db(file, SQLite::OPEN_READONLY);
        EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");
        std::size_t kept = 0;
        for (const TableSummary& table : open(file)->tables(HistoryTime{}))
            kept += table.table.starts_with(std::to_string(killAfter) + "-");
        EXPECT_GE(kept, static_cast<std::size_t>(finished)) << "killed after " << killAfter;
    }
}

}  // namespace
}  // namespace kestrova
