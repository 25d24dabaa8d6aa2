// bench_waits [--tables N] [--row-delay-ms N] [--seat-delay-ms N] [--chips-delay-ms N]
//             [--runs N] [--no-fixed]
// "Scan All Tables" over a simulated lobby that draws late (by default 60
// tables, the highlight 30 ms after a key, the seat list 300 ms after that),
// on the real clock: once with the fixed waits, `runs` times (default 3) with
// adaptive waits woken by the client's drawing (as with the X server's Damage
// extension) and as often polling (as on Win32). Every run must read the same players. Reports the wall
// times beside the sum of the client's latencies, the least time any scan can
// take, for the median adaptive run and the fixed run, with their captures per
// table and the scan thread's CPU time (the simulated client's drawing left out).
#include "FakeLookup.h"
#include "ScanProbes.h"
#include "client/ClientPlatform.h"
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "records/PlayerLookup.h"
#include "scan/PassContext.h"
#include "scan/ScanObserver.h"
#include "scan/ScanState.h"
#include "scan/TableScanPass.h"
#include "sim/SimulatedClient.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

class Observer final : public kestrova::ScanObserver {
public:
    std::vector<std::string> seen;
    int messages = 0;
    void showMessage(const kestrova::Message& message) override {
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
        ++messages;
    }
    bool cancelled() const override { return false; }
    void playerFound(const std::shared_ptr<kestrova::PlayerStats>& r) override {
        seen.push_back(r->table + "/" + r->name + "/" + r->stack);
    }
};

kestrova::sim::Lobby lobbyOf(int tables) {
    std::vector<kestrova::sim::LobbyTable> rows;
    for (int t = 0; t < tables; ++t) {
        kestrova::sim::LobbyTable row;
        row.name = "Bench " + std::to_string(t + 1);
        row.stakes = "$1/$2";
        row.seats = 10;
        row.averagePot = "$20.00";
        for (int p = 0; p < 3 + t % 7; ++p)
            row.players.push_back({"Pl" + std::to_string(t) + "n" + std::to_string(p),
                                   std::to_string(100 + 7 * p) + ".50"});
        row.seated = static_cast<int>(row.players.size());
        rows.push_back(row);
    }
    return kestrova::sim::Lobby(rows);
}

struct Result {
    std::vector<std::string> seen;
    double seconds = 0;
    int captures = 0;
    // The simulated client's drawing, in captures and in its watch.
    double drawingSeconds = 0;
    // The scan thread's CPU time, the simulated client's drawing left out: what
    // the waits (and the reading) cost the machine while the client draws.
    double cpuSeconds = 0;
};

Result scan(int tables, const kestrova::sim::ClientLatency& latency, bool adaptive, bool watched,
            const kestrova::GlyphTable& glyphs) {
    kestrova::sim::SimulatedClient client(lobbyOf(tables));
    client.setDrawingWatched(watched);
    const auto zero = Steady::now();
    client.setLatency(latency, [zero] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - zero).count();
    });
    kestrova::test::TimedPlatform counting(client);
    kestrova::SystemClock clock;
    Observer observer;
    kestrova::test::FakeLookup lookup;  // every player known at once
    kestrova::ScanState state;
    kestrova::PassContext context{counting, clock, glyphs, observer, adaptive};
    const auto start = Steady::now();
    const auto cpuStart = kestrova::test::threadCpuTime();
    kestrova::TableScanPass(context, lookup, state, kestrova::LobbyFilter()).scanAll(std::nullopt);
    Result r;
    r.seconds = std::chrono::duration<double>(Steady::now() - start).count();
    r.cpuSeconds = std::chrono::duration<double>(kestrova::test::threadCpuTime() - cpuStart -
                                                 counting.drawingCpu)
                       .count();
    r.seen = std::move(observer.seen);
    r.captures = counting.captures;
    r.drawingSeconds = std::chrono::duration<double>(counting.drawing).count();
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    int tables = 60;
    int runs = 3;
    bool withFixed = true;
    kestrova::sim::ClientLatency latency{30, 300, 0};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-fixed") == 0) {
            withFixed = false;
            continue;
        }
        if (i + 1 >= argc)
            break;
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--tables") == 0)
            tables = value;
        else if (std::strcmp(argv[i], "--row-delay-ms") == 0)
            latency.rowDelayMs = value;
        else if (std::strcmp(argv[i], "--seat-delay-ms") == 0)
            latency.seatDelayMs = value;
        else if (std::strcmp(argv[i], "--chips-delay-ms") == 0)
            latency.chipsDelayMs = value;
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(value, 1);
        ++i;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the simulated client draws with Qt's fonts
    setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 0);
    const kestrova::GlyphTable glyphs = kestrova::loadGlyphTables({});

    // Runs of either kind, sorted by wall time.
    const auto runsOf = [&](bool watched) {
        std::vector<Result> results;
        for (int run = 0; run < runs; ++run)
            results.push_back(scan(tables, latency, true, watched, glyphs));
        std::sort(results.begin(), results.end(),
                  [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
        return results;
    };
    const std::vector<Result> adaptive = runsOf(true);
    const std::vector<Result> polling = runsOf(false);
    const Result& median = adaptive[adaptive.size() / 2];
    const double floor =
        tables * (latency.rowDelayMs + latency.seatDelayMs + latency.chipsDelayMs) / 1000.0;
    std::printf("tables %d, latencies row %d ms, seats %d ms, chips %d ms\n", tables,
                latency.rowDelayMs, latency.seatDelayMs, latency.chipsDelayMs);
    std::printf("sum of the client's latencies %.2f s\n", floor);
    for (const auto& [name, results] : {std::pair{"watching", &adaptive}, {"polling", &polling}}) {
        std::printf("adaptive waits %-9s %d runs", name, runs);
        for (const Result& r : *results)
            std::printf(" %.2f", r.seconds / floor);
        std::printf("  (x the latencies)\n");
    }
    std::printf("%-16s %8s %8s %10s %12s %14s\n", "waits", "wall s", "x lat", "captures", "per table",
                "scan CPU ms");
    const auto row = [&](const char* name, const Result& r) {
        std::printf("%-16s %8.2f %8.2f %10d %12.1f %14.0f\n", name, r.seconds, r.seconds / floor,
                    r.captures, static_cast<double>(r.captures) / tables, 1000.0 * r.cpuSeconds);
    };
    row("watching, median", median);
    row("polling, median", polling[polling.size() / 2]);
    std::printf("the client's drawing (watching, median) %.2f ms a table\n",
                1000.0 * median.drawingSeconds / tables);
    bool same = !median.seen.empty();
    for (const std::vector<Result>* results : {&adaptive, &polling}) {
        for (const Result& r : *results)
            same = same && r.seen == median.seen;
    }
    if (withFixed) {
        const Result fixed = scan(tables, latency, false, false, glyphs);
        row("fixed", fixed);
        same = same && fixed.seen == median.seen;
    }
    std::printf("players read                    %zu, same in every run: %s\n", median.seen.size(),
                same ? "yes" : "NO");
    return same ? 0 : 1;
}
