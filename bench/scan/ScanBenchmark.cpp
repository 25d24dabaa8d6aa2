// "Scan All Tables" over a simulated lobby of 200 full-ring tables with 9
// players each, against a PokerTracker 3 database on a throwaway PostgreSQL
// server. The waits go to a ManualClock, so the figures are the scan's own
// work: reading the lobby, reading the seats and looking the players up, once
// with an empty statistics cache (1,800 look-ups) and once with a warm one.
// Needs the PostgreSQL server programs; not run by the tests.
#include "PostgresServer.h"
#include "ScanFixture.h"
#include "ScanProbes.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "records/DatabaseEntry.h"
#include "records/PlayerLookup.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/ScanObserver.h"
#include "scan/ScanState.h"
#include "scan/TableScanPass.h"
#include "settings/SettingsStore.h"
#include "sim/SimulatedClient.h"
#include "trackers/TrackerLookup.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

using kestrova::test::CountingObserver;
using kestrova::test::PostgresServer;
using kestrova::test::TimedLookup;
using kestrova::test::TimedPlatform;

constexpr int kTables = 200;
constexpr int kPlayersPerTable = 9;
const std::string kDatabase = "bench_scan_pt3";

// One server, one database, one lobby for every benchmark of the run.
struct Setup {
    Setup()
        : lobby(kestrova::test::summitLobby(kTables, kPlayersPerTable)),
          workDir(std::filesystem::path(server.directory()) / "scan-bench"),
          settings((std::filesystem::create_directories(workDir), workDir / "Velloran.ini")) {
        kestrova::test::ScanFixture(lobby).load(server, kDatabase);
        entry.host = std::string(PostgresServer::kHost);
        entry.port = server.portText();
        entry.database = kDatabase;
        entry.user = std::string(PostgresServer::kUser);
        entry.password = std::string(PostgresServer::kPassword);
        entry.kind = static_cast<std::int32_t>(kestrova::DatabaseKind::PokerTracker3);
        glyphs = kestrova::loadGlyphTables({});
        filter = kestrova::LobbyFilter::fromSettings(settings);
    }

    PostgresServer server;
    kestrova::sim::Lobby lobby;
    std::filesystem::path workDir;
    kestrova::SettingsStore settings;
    kestrova::DatabaseEntry entry;
    kestrova::GlyphTable glyphs;
    kestrova::LobbyFilter filter;
};

Setup& setup() {
    static Setup instance;
    return instance;
}

struct ScanFigures {
    int players = 0;
    int tables = 0;
    int messages = 0;
    long long waitMs = 0;
    int captures = 0;
    double drawingMs = 0;
    int lookups = 0;
    double lookupMs = 0;
};

// One "Scan All Tables" as the main window starts it: the lobby entries and
// tables cleared, the statistics cache kept.
ScanFigures scanOnce(kestrova::ScanState& state, kestrova::TrackerLookup& lookup) {
    Setup& s = setup();
    state.lobbyEntries.clear();
    state.tables.clear();
    kestrova::sim::SimulatedClient client(s.lobby);
    TimedPlatform platform(client);
    kestrova::ManualClock clock;
    CountingObserver observer;
    TimedLookup timedLookup(lookup);
    kestrova::PassContext context{platform, clock, s.glyphs, observer};
    kestrova::TableScanPass(context, timedLookup, state, s.filter).scanAll(std::nullopt);
    return {
        observer.players,    observer.tables,
        observer.messages,   clock.totalMs(),
        platform.captures,   std::chrono::duration<double, std::milli>(platform.drawing).count(),
        timedLookup.lookups, std::chrono::duration<double, std::milli>(timedLookup.spent).count()};
}

void report(benchmark::State& state, const ScanFigures& f, std::size_t records) {
    state.counters["tables"] = f.tables;
    state.counters["players"] = f.players;
    state.counters["records"] = static_cast<double>(records);
    state.counters["waitMsPerTable"] = f.tables ? static_cast<double>(f.waitMs) / f.tables : 0;
    // Per scan (the last one measured): the simulator drawing its captures.
    state.counters["captures"] = f.captures;
    state.counters["simDrawMs"] = f.drawingMs;
    state.counters["lookups"] = f.lookups;
    state.counters["lookupMs"] = f.lookupMs;
    if (f.messages > 0 || f.tables != kTables || f.players != kTables * kPlayersPerTable)
        state.SkipWithError("the scan did not see every table and player");
}

void BM_ScanAllColdCache(benchmark::State& state) {
    Setup& s = setup();
    ScanFigures figures;
    std::size_t records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto scan = std::make_unique<kestrova::ScanState>();
        kestrova::TrackerLookup lookup(
            {s.entry}, kestrova::TrackerOptions::fromSettings(s.settings), nullptr, scan->records);
        state.ResumeTiming();
        figures = scanOnce(*scan, lookup);
        records = scan->records.size();
    }
    report(state, figures, records);
}

void BM_ScanAllWarmCache(benchmark::State& state) {
    Setup& s = setup();
    kestrova::ScanState scan;
    kestrova::TrackerLookup lookup({s.entry}, kestrova::TrackerOptions::fromSettings(s.settings),
                                   nullptr, scan.records);
    scanOnce(scan, lookup);  // fills the cache
    ScanFigures figures;
    for (auto _ : state)
        figures = scanOnce(scan, lookup);
    report(state, figures, scan.records.size());
}

BENCHMARK(BM_ScanAllColdCache)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ScanAllWarmCache)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the simulated client draws with Qt's fonts
    benchmark::Initialize(&argc, argv);
    if (!PostgresServer::available()) {
        std::fprintf(stderr, "bench_scan: PostgreSQL is not installed\n");
        return 1;
    }
    try {
        setup();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_scan: %s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
