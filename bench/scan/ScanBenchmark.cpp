// "Scan All Tables" over a simulated lobby of 200 full-ring tables with 9
// players each, against a PokerTracker 3 database on a throwaway PostgreSQL
// server. The waits go to a ManualClock, so the figures are the scan's own
// work: reading the lobby, reading the seats and looking the players up, once
// with an empty statistics cache (1,800 look-ups) and once with a warm one.
// Needs the PostgreSQL server programs; not run by the tests.
#include "PostgresServer.h"
#include "ScanFixture.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/ScanObserver.h"
#include "scan/ScanState.h"
#include "scan/TableScanPass.h"
#include "settings/SettingsStore.h"
#include "sim/SimulatedClient.h"
#include "stats/DatabaseEntry.h"
#include "stats/PlayerLookup.h"
#include "stats/TrackerLookup.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

using kestrova::test::PostgresServer;

constexpr int kTables = 200;
constexpr int kPlayersPerTable = 9;
const std::string kDatabase = "bench_scan_pt3";

class CountingObserver final : public kestrova::ScanObserver {
public:
    void showMessage(const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        ++messages;
    }
    bool cancelled() const override { return false; }
    void playerFound(const std::shared_ptr<kestrova::PlayerStats>&) override { ++players; }
    void tableScanned(const kestrova::ScannedTable&) override { ++tables; }

    int messages = 0;
    int players = 0;
    int tables = 0;
};

// The simulated client drawing its lobby stands in for the real client's
// screen; the time it takes is told apart from the scan's own.
class TimedPlatform final : public kestrova::ClientPlatform {
public:
    explicit TimedPlatform(kestrova::ClientPlatform& inner) : inner_(inner) {}

    std::vector<kestrova::WindowInfo> topLevelWindows() override {
        return inner_.topLevelWindows();
    }
    std::vector<kestrova::WindowInfo> childWindows(kestrova::WindowId parent) override {
        return inner_.childWindows(parent);
    }
    void sendMessage(kestrova::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override {
        inner_.sendMessage(window, message, wParam, lParam);
    }
    void showWindow(kestrova::WindowId window, int showState) override {
        inner_.showWindow(window, showState);
    }
    void setTopmost(kestrova::WindowId window, bool topmost) override {
        inner_.setTopmost(window, topmost);
    }
    std::optional<kestrova::Image> capture(kestrova::WindowId window) override {
        const auto start = std::chrono::steady_clock::now();
        std::optional<kestrova::Image> image = inner_.capture(window);
        drawing += std::chrono::steady_clock::now() - start;
        ++captures;
        return image;
    }
    std::vector<kestrova::WindowInfo> tableWindows(kestrova::WindowId lobby) override {
        return inner_.tableWindows(lobby);
    }

    std::chrono::steady_clock::duration drawing{};
    int captures = 0;

private:
    kestrova::ClientPlatform& inner_;
};

// Time spent in the tracker look-ups (the statements and building the records).
class TimedLookup final : public kestrova::PlayerLookup {
public:
    explicit TimedLookup(kestrova::PlayerLookup& inner) : inner_(inner) {}

    bool connectDatabases(kestrova::MessageSink& messages) override {
        return inner_.connectDatabases(messages);
    }
    void disconnectDatabases() override { inner_.disconnectDatabases(); }
    std::shared_ptr<kestrova::PlayerStats> lookupPlayer(const std::string& name,
                                                        const std::string& stack,
                                                        const std::string& seat,
                                                        kestrova::MessageSink& messages) override {
        const auto start = std::chrono::steady_clock::now();
        std::shared_ptr<kestrova::PlayerStats> record =
            inner_.lookupPlayer(name, stack, seat, messages);
        spent += std::chrono::steady_clock::now() - start;
        ++lookups;
        return record;
    }

    std::chrono::steady_clock::duration spent{};
    int lookups = 0;

private:
    kestrova::PlayerLookup& inner_;
};

kestrova::sim::Lobby benchLobby() {
    std::vector<kestrova::sim::LobbyTable> tables;
    for (int t = 0; t < kTables; ++t) {
        kestrova::sim::LobbyTable table;
        table.name = "Summit " + std::to_string(1000 + t);
        table.game = "Hold'em";
        table.stakes = t % 3 == 0 ? "$1/$2" : "$0.25/$0.50";
        table.seats = 10;
        table.extra = "NL";
        table.averagePot = "$" + std::to_string(10 + t % 90) + ".25";
        for (int p = 0; p < kPlayersPerTable; ++p) {
            const int id = t * kPlayersPerTable + p;
            table.players.push_back(
                {"Rider" + std::to_string(10000 + id),
                 std::to_string(1 + id % 9) + "," + std::to_string(100 + id % 900)});
        }
        table.seated = kPlayersPerTable;
        tables.push_back(std::move(table));
    }
    return kestrova::sim::Lobby(std::move(tables));
}

// One server, one database, one lobby for every benchmark of the run.
struct Setup {
    Setup()
        : lobby(benchLobby()),
          workDir(std::filesystem::path(server.directory()) / "scan-bench"),
          settings((std::filesystem::create_directories(workDir), workDir / "Velloran.ini")) {
        kestrova::test::ScanFixture(lobby).load(server, kDatabase);
        entry.host = std::string(PostgresServer::kHost);
        entry.port = server.portText();
        entry.database = kDatabase;
        entry.user = std::string(PostgresServer::kUser);
        entry.password = std::string(PostgresServer::kPassword);
        entry.kind = static_cast<std::int32_t>(kestrova::DatabaseKind::PokerTracker3);
        glyphs = kestrova::loadGlyphTables();
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
        kestrova::TrackerLookup lookup({s.entry}, s.settings, nullptr, scan->records);
        state.ResumeTiming();
        figures = scanOnce(*scan, lookup);
        records = scan->records.size();
    }
    report(state, figures, records);
}

void BM_ScanAllWarmCache(benchmark::State& state) {
    Setup& s = setup();
    kestrova::ScanState scan;
    kestrova::TrackerLookup lookup({s.entry}, s.settings, nullptr, scan.records);
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
