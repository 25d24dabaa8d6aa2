// bench_trackers [--players N] [--hands N] [--lookups N]
// Starts a throwaway PostgreSQL server, generates a PokerTracker 3 database
// (80,000 players and 1,000,000 hand rows by default), then measures one
// player look-up through TrackerLookup per hand rows and through the
// aggregator table, and the aggregator's build time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "PostgresServer.h"
#include "common/MessageSink.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "trackers/TrackerLookup.h"
#include "trackers/TrackerNamePattern.h"
#include "trackers/TrackerStatements.h"
#include "sql/postgres/PostgresConnection.h"

namespace {

using Clock = std::chrono::steady_clock;

class PrintingSink final : public kestrova::MessageSink {
public:
    void showMessage(const kestrova::Message& message) override {
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
        ++count;
    }
    int count = 0;
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double medianMs = 0;
    double p95Ms = 0;
};

Figures figures(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
        return {};
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

std::string generator(int players, int hands) {
    const std::string p = std::to_string(players);
    const std::string h = std::to_string(hands);
    return "SET ROLE tracker;\n"
           "CREATE TABLE player (id_player serial PRIMARY KEY, id_site smallint NOT NULL "
           "DEFAULT 100, player_name varchar(32) NOT NULL);\n"
           "CREATE TABLE holdem_hand_player_statistics (id_hand integer NOT NULL, id_player "
           "integer NOT NULL, amt_won numeric(12,2) NOT NULL, flg_vpip boolean NOT NULL, "
           "cnt_p_raise smallint NOT NULL, flg_f_bet boolean NOT NULL, cnt_f_raise smallint NOT "
           "NULL, flg_t_bet boolean NOT NULL, cnt_t_raise smallint NOT NULL, flg_r_bet boolean "
           "NOT NULL, cnt_r_raise smallint NOT NULL, cnt_f_call smallint NOT NULL, cnt_t_call "
           "smallint NOT NULL, cnt_r_call smallint NOT NULL, flg_showdown boolean NOT NULL, "
           "flg_won_hand boolean NOT NULL, flg_f_saw boolean NOT NULL);\n"
           "SELECT setseed(0.25);\n"
           "INSERT INTO player (player_name) SELECT 'p' || substr(md5(i::text), 1, 11) "
           "FROM generate_series(1, " +
           p +
           ") AS i;\n"
           "INSERT INTO holdem_hand_player_statistics SELECT i / 6, "
           "1 + floor(" +
           p +
           " * power(random(), 1.5))::int, "
           "round(((random() - 0.5) * 10)::numeric, 2), random() < 0.3, "
           "(random() < 0.15)::int, random() < 0.2, (random() < 0.05)::int, random() < 0.15, "
           "(random() < 0.04)::int, random() < 0.1, (random() < 0.03)::int, "
           "(random() < 0.2)::int, (random() < 0.12)::int, (random() < 0.08)::int, "
           "random() < 0.1, random() < 0.5, random() < 0.35 "
           "FROM generate_series(1, " +
           h +
           ") AS i;\n"
           "CREATE INDEX hhps_id_player ON holdem_hand_player_statistics (id_player);\n"
           "ANALYZE player; ANALYZE holdem_hand_player_statistics;\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    int players = 80000;
    int hands = 1000000;
    int lookups = 400;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (option == "--players")
            players = value;
        else if (option == "--hands")
            hands = value;
        else if (option == "--lookups")
            lookups = value;
    }
    try {
        using kestrova::test::PostgresServer;
        PostgresServer server;
        server.createDatabase("bench_pt3");
        auto start = Clock::now();
        server.execute("bench_pt3", generator(players, hands));
        std::printf("generated %d players, %d hand rows in %.1f s\n", players, hands,
                    msSince(start) / 1000.0);

        const auto workDir = std::filesystem::path(server.directory()) / "work";
        std::filesystem::create_directories(workDir);
        kestrova::SettingsStore settings(workDir / "Velloran.ini");
        kestrova::DatabaseEntry entry;
        entry.host = std::string(PostgresServer::kHost);
        entry.port = server.portText();
        entry.database = "bench_pt3";
        entry.user = std::string(PostgresServer::kUser);
        entry.password = std::string(PostgresServer::kPassword);
        entry.kind = static_cast<std::int32_t>(kestrova::DatabaseKind::PokerTracker3);
        kestrova::PlayerRecordList records;
        kestrova::TrackerLookup lookup({entry}, kestrova::TrackerOptions::fromSettings(settings),
                                       nullptr, records, kestrova::TraceLog(workDir / "log.txt"));
        PrintingSink sink;
        if (!lookup.connectDatabases(sink))
            return 1;

        // The same players for both paths, drawn at random like seated players.
        const std::vector<std::string> names = server.queryColumn(
            "bench_pt3", "SELECT player_name FROM player ORDER BY md5(player_name || 'x') LIMIT " +
                             std::to_string(lookups));
        const auto measure = [&](const char* label) {
            std::vector<double> ms;
            long long handsSeen = 0;
            for (const std::string& name : names) {
                const auto t = Clock::now();
                const auto record = lookup.lookupPlayer(name, "-", "-", sink);
                ms.push_back(msSince(t));
                if (record)
                    handsSeen += record->hands;
            }
            const Figures f = figures(ms);
            std::printf("%-34s median %.3f ms  p95 %.3f ms  (%zu look-ups, %lld hands)\n", label,
                        f.medianMs, f.p95Ms, names.size(), handsSeen);
        };

        // The floor every look-up stands on: one round trip to the same server,
        // and the per-hand statement alone, sent as text over a bare connection.
        kestrova::PostgresConnection bare;
        if (!bare.open(kestrova::PostgresConnection::connectionText(
                entry.host, entry.port, entry.database, entry.user, entry.password)))
            return 1;
        const auto measureBare = [&](const char* label, auto statementFor) {
            std::vector<double> ms;
            for (const std::string& name : names) {
                const std::string statement = statementFor(name);
                const auto t = Clock::now();
                bare.execute(statement);
                ms.push_back(msSince(t));
            }
            const Figures f = figures(ms);
            std::printf("%-34s median %.3f ms  p95 %.3f ms\n", label, f.medianMs, f.p95Ms);
        };
        measureBare("bare SELECT 1 round trip", [](const std::string&) { return "SELECT 1"; });
        measureBare("per-hand statement alone", [&](const std::string& name) {
            return kestrova::trackerStatements::pokerTracker3Statistics(
                *bare.escapeString(kestrova::trackerNamePattern(name)));
        });

        kestrova::TrackerOptions options = lookup.options();
        options.useAggregator = false;
        lookup.setOptions(options);
        measure("look-up per hand rows");
        measureBare("bare SELECT 1 round trip", [](const std::string&) { return "SELECT 1"; });
        start = Clock::now();
        if (!lookup.buildAggregator(sink))
            return 1;
        std::printf("aggregator build                   %.2f s\n", msSince(start) / 1000.0);
        // The floor of the build: the server filling the table, nothing else.
        bare.execute("BEGIN");
        bare.execute("DROP INDEX hhps_player_name_trgm");
        bare.execute("TRUNCATE hhps");
        start = Clock::now();
        if (!bare.execute(std::string(kestrova::trackerStatements::kAggregatorInsertSelect))
                 .commandOk())
            return 1;
        std::printf("  its INSERT ... SELECT alone      %.2f s\n", msSince(start) / 1000.0);
        bare.execute("ROLLBACK");
        options.useAggregator = true;
        lookup.setOptions(options);
        measure("look-up through the aggregator");
        measure("  again, pages now cached");
        measureBare("bare SELECT 1 round trip", [](const std::string&) { return "SELECT 1"; });
        return sink.count == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_trackers: %s\n", e.what());
        return 1;
    }
}
