// One look-up of a player with 10,000 hands in 100,000 hand rows, per tracker
// kind: PokerTracker 2 on PostgreSQL, Pokermanager in an embedded Firebird
// file, PokerOffice on MariaDB, and PokerTracker 2 in an Access-shaped file
// through SQLite's ODBC driver, summed by the driver and by the program. The
// servers and files are made once, in temporary directories.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "FirebirdFiles.h"
#include "MariadbServer.h"
#include "PostgresServer.h"
#include "ProcessTools.h"
#include "common/MessageSink.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingsStore.h"
#include "trackers/AccessTrackerSource.h"
#include "trackers/TrackerLookup.h"

namespace {

using namespace kestrova;

constexpr int kRows = 100000;
constexpr const char* kPlayer = "Target";

class QuietSink final : public MessageSink {
public:
    void showMessage(const kestrova::Message& message) override {
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
    }
};

// Every tenth row is the target's (player 1); the rest spread over 900 others.
const std::string kPlayerOf = "CASE WHEN MOD(i, 10) = 0 THEN 1 ELSE 2 + MOD(i, 900) END";

std::string writeFile(const std::string& dir, const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    std::ofstream(path) << text;
    return path;
}

struct Fixtures {
    std::string dir = test::makeTemporaryDirectory("kestrova-bench-sql");
    test::PostgresServer postgres;
    test::FirebirdFiles firebird;
    test::MariadbServer mariadb;
    std::string firebirdFile;
    std::string sqliteConnection;

    Fixtures() {
        postgres.createDatabase("bench_pt2");
        postgres.execute(
            "bench_pt2",
            "SET ROLE tracker; CREATE TABLE players (player_id integer, screen_name varchar(40), "
            "treeview_icon integer); CREATE TABLE game_players (player_id integer, fbet int, "
            "fraise int, fcall int, tbet int, traise int, tcall int, rbet int, rraise int, "
            "rcall int, fpossible_actions int, tpossible_actions int, rpossible_actions int, "
            "pre_flop_raise_n int, vol_put_money_in_pot int, went_to_showdown_n int, saw_flop_n "
            "int, won_hand int, total_bet numeric(12,2), total_won numeric(12,2));"
            "INSERT INTO players SELECT i, CASE WHEN i = 1 THEN 'Target' ELSE 'p' || i END, 0 "
            "FROM generate_series(1, 901) i;"
            "INSERT INTO game_players SELECT " +
                kPlayerOf +
                ", 1,0,1,0,1,0,1,0,1,0,0,0,1,1,"
                "MOD(i, 2),1,MOD(i, 3),1.5,2.25 FROM generate_series(1, " +
                std::to_string(kRows) +
                ") i; CREATE INDEX gp_player ON game_players (player_id); ANALYZE game_players;");

        const std::string fbSql = writeFile(
            dir, "pokermanager.sql",
            "CREATE TABLE PLAYERS (PLAYER_ID INTEGER, PLAYER_NAME VARCHAR(64));\n"
            "CREATE TABLE GAME_PLAYERS (PLAYER_ID INTEGER, VOL_PUT_IN SMALLINT, PRE_FLOP_RAISE "
            "SMALLINT, BET_RAISE_AF SMALLINT, CALL_AF SMALLINT, LAST_ROUND SMALLINT, WON "
            "SMALLINT);\nSET TERM ^ ;\nEXECUTE BLOCK AS DECLARE i INTEGER = 1; BEGIN\n"
            "  WHILE (i <= 901) DO BEGIN INSERT INTO PLAYERS VALUES (:i, IIF(:i = 1, 'Target', "
            "'p' || :i)); i = i + 1; END\n  i = 1;\n  WHILE (i <= " +
                std::to_string(kRows) + ") DO BEGIN INSERT INTO GAME_PLAYERS VALUES (" + kPlayerOf +
                ", 1, 0, 1, 1, MOD(:i, 3), MOD(:i, 2)); i = i + 1; END\nEND^\nSET TERM ; ^\n"
                "COMMIT;\nCREATE INDEX GP_PLAYER ON GAME_PLAYERS (PLAYER_ID);\nCOMMIT;\n");
        // isql's block variables are written :i inside statements.
        std::string text;
        {
            std::ifstream in(fbSql);
            text.assign(std::istreambuf_iterator<char>(in), {});
        }
        for (std::size_t at = text.find("MOD(i,"); at != std::string::npos;
             at = text.find("MOD(i,", at))
            text.replace(at, 6, "MOD(:i,");
        writeFile(dir, "pokermanager.sql", text);
        firebirdFile = firebird.create("bench", fbSql);

        const std::string mySql = writeFile(
            dir, "pokeroffice.sql",
            "CREATE TABLE player (playerid INT, nickname VARCHAR(64));\n"
            "CREATE TABLE action (playerid INT, showdown INT, raisedpreflop INT, action1 "
            "VARCHAR(16), action2 VARCHAR(16), action3 VARCHAR(16), action4 VARCHAR(16), won "
            "INT);\nINSERT INTO player SELECT seq, IF(seq = 1, 'Target', CONCAT('p', seq)) FROM "
            "seq_1_to_901;\nINSERT INTO action SELECT " +
                std::string("CASE WHEN MOD(seq, 10) = 0 THEN 1 ELSE 2 + MOD(seq, 900) END") +
                ", MOD(seq, 2), MOD(seq, 3) = 0, 'C', 'BRC', 'B', 'C', 1 FROM seq_1_to_" +
                std::to_string(kRows) + ";\nCREATE INDEX action_player ON action (playerid);\n");
        mariadb.loadDatabase("bench_po", mySql);

        const std::string driver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
        writeFile(dir, "odbcinst.ini", "[SQLite3]\nDriver=" + driver + "\n");
        ::setenv("ODBCSYSINI", dir.c_str(), 1);
        const std::string liteSql = writeFile(
            dir, "access.sql",
            "CREATE TABLE players (player_id INTEGER, screen_name TEXT, treeview_icon INTEGER);\n"
            "CREATE TABLE game_players (player_id INTEGER, fbet, fraise, fcall, tbet, traise, "
            "tcall, rbet, rraise, rcall, fpossible_actions, tpossible_actions, "
            "rpossible_actions, pre_flop_raise_n, vol_put_money_in_pot, went_to_showdown_n, "
            "saw_flop_n, won_hand, total_bet, total_won);\n"
            "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 901) "
            "INSERT INTO players SELECT i, CASE WHEN i = 1 THEN 'Target' ELSE 'p' || i END, 0 "
            "FROM s;\nWITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < " +
                std::to_string(kRows) + ") INSERT INTO game_players SELECT " +
                "CASE WHEN i % 10 = 0 THEN 1 ELSE 2 + i % 900 END" +
                ", 1,0,1,0,1,0,1,0,1,0,0,0,1,1,i % 2,1,i % 3,1.5,2.25 FROM s;\n"
                "CREATE INDEX gp_player ON game_players (player_id);\n");
        const std::string liteFile = dir + "/access.db";
        test::runCommand("/usr/bin/sqlite3 " + test::shellQuoted(liteFile) + " < " +
                         test::shellQuoted(liteSql));
        sqliteConnection = "Driver={SQLite3};Database=" + liteFile + ";";
    }
    ~Fixtures() { std::filesystem::remove_all(dir); }
};

Fixtures& fixtures() {
    static Fixtures instance;
    return instance;
}

void lookUp(benchmark::State& state, const DatabaseEntry& entry) {
    const std::string dir = test::makeTemporaryDirectory("kestrova-bench-settings");
    SettingsStore settings(std::filesystem::path(dir) / "Velloran.ini");
    PlayerRecordList records;
    QuietSink sink;
    TrackerLookup lookup({entry}, TrackerOptions::fromSettings(settings), nullptr, records,
                         TraceLog::off());
    lookup.connectDatabases(sink);
    for (auto _ : state) {
        TrackerCounters counters;
        lookup.sumCounters(kPlayer, counters, sink);
        if (counters.hands != kRows / 10)
            state.SkipWithError("wrong hand count");
    }
    std::filesystem::remove_all(dir);
}

DatabaseEntry entryOf(DatabaseKind kind, const std::string& database) {
    DatabaseEntry entry;
    entry.kind = static_cast<std::int32_t>(kind);
    entry.database = database;
    return entry;
}

void BM_PokerTracker2Postgres(benchmark::State& state) {
    Fixtures& f = fixtures();
    DatabaseEntry entry = entryOf(DatabaseKind::PokerTracker2Postgres, "bench_pt2");
    entry.host = std::string(test::PostgresServer::kHost);
    entry.port = f.postgres.portText();
    entry.user = std::string(test::PostgresServer::kUser);
    entry.password = std::string(test::PostgresServer::kPassword);
    lookUp(state, entry);
}

void BM_PokermanagerFirebird(benchmark::State& state) {
    lookUp(state, entryOf(DatabaseKind::PokermanagerFirebird, fixtures().firebirdFile));
}

void BM_PokerOfficeMysql(benchmark::State& state) {
    Fixtures& f = fixtures();
    DatabaseEntry entry = entryOf(DatabaseKind::PokerOfficeMysql, "bench_po");
    entry.host = "127.0.0.1";
    entry.port = std::to_string(f.mariadb.port());
    entry.user = std::string(test::MariadbServer::kUser);
    entry.password = std::string(test::MariadbServer::kPassword);
    lookUp(state, entry);
}

void accessLookUp(benchmark::State& state, AccessTrackerSource::Sums sums) {
    AccessTrackerSource source(
        entryOf(DatabaseKind::PokerTracker2Access, fixtures().sqliteConnection), sums);
    QuietSink sink;
    const std::string name = kPlayer;
    const std::string pattern;
    for (auto _ : state) {
        TrackerCounters counters;
        source.addCounters({name, pattern}, counters, sink);
        if (counters.hands != kRows / 10)
            state.SkipWithError("wrong hand count");
    }
}

void BM_AccessDriverSums(benchmark::State& state) {
    accessLookUp(state, AccessTrackerSource::Sums::ByDriver);
}

void BM_AccessProgramSums(benchmark::State& state) {
    accessLookUp(state, AccessTrackerSource::Sums::ByProgram);
}

}  // namespace

BENCHMARK(BM_PokerTracker2Postgres)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PokermanagerFirebird)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PokerOfficeMysql)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_AccessDriverSums)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_AccessProgramSums)->Unit(benchmark::kMillisecond)->Repetitions(5);
