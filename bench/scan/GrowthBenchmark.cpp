// bench_growth [--sizes 50,200,800,3200] [--scans N] [--players N] [--waiting N]
// How "Scan All Tables" grows with the lobby: for each size, a fresh scan
// state, one scan that fills the statistics cache from a PokerTracker 3
// database, then N scans with the warm cache, all with the waits on a
// ManualClock. Reports per size the median warm scan, split into the simulated
// client's drawing and the scan's own work, and the process's peak resident
// memory while that size ran. Times are compared in CPU time of the scanning
// thread, which other programs on a shared machine do not stretch. Passes
// (exit 0) when the scan's own time per table at the largest size is within
// 1.5x of that at the second size, and the peak stays under 150 MB. Each table
// seats --players (9) and has --waiting (0) more on its waiting list, each
// looked up like the seated ones. Needs
// the PostgreSQL server programs; not run by the tests.
#include "PostgresServer.h"
#include "ScanFixture.h"
#include "ScanProbes.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "records/DatabaseEntry.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/ScanState.h"
#include "scan/TableScanPass.h"
#include "settings/SettingsStore.h"
#include "sim/SimulatedClient.h"
#include "trackers/TrackerLookup.h"

#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kestrova::test::PostgresServer;
using Steady = std::chrono::steady_clock;

constexpr double kLimitMb = 150.0;
constexpr double kLinearSlack = 1.5;

double ms(Steady::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Peak resident set since the last reset, in MB ("VmHWM"); the whole process's
// peak where the kernel cannot reset it.
double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Starts the peak over from the present resident set (Linux 4.0 and later).
void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Scan {
    double totalMs = 0;  // wall clock
    double drawingMs = 0;
    double cpuMs = 0;  // this thread's CPU time: the figures compared
    double drawingCpuMs = 0;
    int tables = 0;
    int players = 0;
    int lookups = 0;
    int messages = 0;
    int captures = 0;
    // The scan's own work, without the simulator's drawing; a warm scan looks
    // nobody up.
    double ownCpuMs() const { return cpuMs - drawingCpuMs; }
};

Scan scanOnce(const kestrova::sim::Lobby& lobby, kestrova::ScanState& state,
              kestrova::TrackerLookup& lookup, const kestrova::GlyphTable& glyphs,
              const kestrova::LobbyFilter& filter) {
    // As the main window starts a scan: entries and tables cleared, cache kept.
    state.lobbyEntries.clear();
    state.tables.clear();
    kestrova::sim::SimulatedClient client(lobby);
    kestrova::test::TimedPlatform platform(client);
    kestrova::ManualClock clock;
    kestrova::test::CountingObserver observer;
    kestrova::test::TimedLookup timedLookup(lookup);
    kestrova::PassContext context{platform, clock, glyphs, observer};
    const auto start = Steady::now();
    const auto cpuStart = kestrova::test::threadCpuTime();
    kestrova::TableScanPass(context, timedLookup, state, filter).scanAll(std::nullopt);
    Scan s;
    s.cpuMs = ms(kestrova::test::threadCpuTime() - cpuStart);
    s.totalMs = ms(Steady::now() - start);
    s.drawingMs = ms(platform.drawing);
    s.drawingCpuMs = ms(platform.drawingCpu);
    s.tables = observer.tables;
    s.players = observer.players;
    s.lookups = timedLookup.lookups;
    s.messages = observer.messages;
    s.captures = platform.captures;
    return s;
}

struct Row {
    int tables = 0;
    Scan cold;
    Scan warm;  // the median warm scan by the scan's own CPU time
    std::size_t records = 0;
    double peakMb = 0;
};

std::vector<int> parseSizes(const char* text) {
    std::vector<int> sizes;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        sizes.push_back(std::atoi(item.c_str()));
    return sizes;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes{50, 200, 800, 3200};
    int warmScans = 3;
    int playersPerTable = 9;
    int waitingPerTable = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sizes") == 0)
            sizes = parseSizes(argv[i + 1]);
        else if (std::strcmp(argv[i], "--scans") == 0)
            warmScans = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--players") == 0)
            playersPerTable = std::clamp(std::atoi(argv[i + 1]), 1, 10);
        else if (std::strcmp(argv[i], "--waiting") == 0)
            waitingPerTable = std::clamp(std::atoi(argv[i + 1]), 0, 8);
    }
    std::sort(sizes.begin(), sizes.end());
    setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the simulated client draws with Qt's fonts
    if (!PostgresServer::available() || sizes.empty() || sizes.front() < 1) {
        std::fprintf(stderr, "bench_growth: needs PostgreSQL and sizes of at least 1 table\n");
        return 1;
    }

    try {
        // One database for the largest lobby serves every smaller one, which
        // is its first tables.
        PostgresServer server;
        const auto loadStart = Steady::now();
        {
            const kestrova::sim::Lobby largest =
                kestrova::test::summitLobby(sizes.back(), playersPerTable, waitingPerTable);
            kestrova::test::ScanFixture(largest).load(server, "bench_growth");
        }
        std::fprintf(stderr, "database for %d tables loaded in %.1f s\n", sizes.back(),
                     ms(Steady::now() - loadStart) / 1000);
        const std::filesystem::path workDir =
            std::filesystem::path(server.directory()) / "growth-bench";
        std::filesystem::create_directories(workDir);
        const kestrova::SettingsStore settings(workDir / "Velloran.ini");
        kestrova::DatabaseEntry entry;
        entry.host = std::string(PostgresServer::kHost);
        entry.port = server.portText();
        entry.database = "bench_growth";
        entry.user = std::string(PostgresServer::kUser);
        entry.password = std::string(PostgresServer::kPassword);
        entry.kind = static_cast<std::int32_t>(kestrova::DatabaseKind::PokerTracker3);
        const kestrova::GlyphTable glyphs = kestrova::loadGlyphTables({});
        const kestrova::LobbyFilter filter = kestrova::LobbyFilter::fromSettings(settings);

        std::vector<Row> rows;
        bool complete = true;
        for (const int tables : sizes) {
            resetPeakResident();
            Row row;
            row.tables = tables;
            {
                const kestrova::sim::Lobby lobby =
                    kestrova::test::summitLobby(tables, playersPerTable, waitingPerTable);
                kestrova::ScanState state;
                kestrova::TrackerLookup lookup({entry},
                                               kestrova::TrackerOptions::fromSettings(settings),
                                               nullptr, state.records);
                row.cold = scanOnce(lobby, state, lookup, glyphs, filter);
                std::vector<Scan> warm;
                for (int i = 0; i < warmScans; ++i)
                    warm.push_back(scanOnce(lobby, state, lookup, glyphs, filter));
                std::sort(warm.begin(), warm.end(),
                          [](const Scan& a, const Scan& b) { return a.ownCpuMs() < b.ownCpuMs(); });
                row.warm = warm[warm.size() / 2];
                row.records = state.records.size();
                for (const Scan& s : warm) {
                    complete = complete && s.messages == 0 && s.tables == tables &&
                               s.players == tables * (playersPerTable + waitingPerTable) &&
                               s.lookups == 0;
                }
            }
            row.peakMb = peakResidentMb();
            rows.push_back(row);
            std::fprintf(stderr, "%d tables done\n", tables);
        }

        std::printf("%d players seated and %d waiting per table\n", playersPerTable,
                    waitingPerTable);
        std::printf("warm statistics cache, waits on a virtual clock; median of %d scans\n",
                    warmScans);
        std::printf(
            "(CPU: this thread's CPU time; own: the scan without the simulator's drawing)\n");
        std::printf("%7s %8s %9s %9s %9s %12s %9s %12s %8s %8s\n", "tables", "records", "captures",
                    "wall ms", "CPU ms", "drawing CPU", "own CPU", "own ms/table", "peak MB",
                    "cold s");
        for (const Row& r : rows) {
            std::printf("%7d %8zu %9d %9.1f %9.1f %12.1f %9.1f %12.4f %8.1f %8.1f\n", r.tables,
                        r.records, r.warm.captures, r.warm.totalMs, r.warm.cpuMs,
                        r.warm.drawingCpuMs, r.warm.ownCpuMs(), r.warm.ownCpuMs() / r.tables,
                        r.peakMb, r.cold.totalMs / 1000);
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("whole process (with the database fixture's set-up): peak %.1f MB\n",
                    static_cast<double>(usage.ru_maxrss) / 1024.0);

        const Row& base = rows.size() > 1 ? rows[1] : rows.front();
        const Row& last = rows.back();
        const double ratio =
            (last.warm.ownCpuMs() / last.tables) / (base.warm.ownCpuMs() / base.tables);
        const bool linear = ratio <= kLinearSlack;
        const bool small = last.peakMb < kLimitMb;
        std::printf("own time per table, %d against %d tables: %.2fx (linear: %s)\n", last.tables,
                    base.tables, ratio, linear ? "yes" : "NO");
        std::printf("peak at %d tables: %.1f MB (under %.0f MB: %s)\n", last.tables, last.peakMb,
                    kLimitMb, small ? "yes" : "NO");
        std::printf("every warm scan saw every table and player from the cache: %s\n",
                    complete ? "yes" : "NO");
        return linear && small && complete ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_growth: %s\n", e.what());
        return 1;
    }
}
