// bench_waits [--tables N] [--row-delay-ms N] [--seat-delay-ms N] [--chips-delay-ms N]
// "Scan All Tables" over a simulated lobby that draws late (by default 60
// tables, the highlight 30 ms after a key, the seat list 300 ms after that),
// on the real clock: once with the fixed waits, once with adaptive waits.
// Both must read the same players. Reports both wall times beside the sum of
// the client's latencies, the least time any scan can take.
#include "client/lobby/GlyphTables.h"
#include "common/Clock.h"
#include "scan/PassContext.h"
#include "scan/ScanObserver.h"
#include "scan/ScanState.h"
#include "scan/TableScanPass.h"
#include "sim/SimulatedClient.h"
#include "stats/PlayerLookup.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

// Every player is known at once: the figures are the waits and the reading.
class InstantLookup final : public kestrova::PlayerLookup {
public:
    bool connectDatabases(kestrova::MessageSink&) override { return true; }
    void disconnectDatabases() override {}
    std::shared_ptr<kestrova::PlayerStats> lookupPlayer(const std::string& name,
                                                        const std::string& stack,
                                                        const std::string& seat,
                                                        kestrova::MessageSink&) override {
        auto r = std::make_shared<kestrova::PlayerStats>();
        r->name = name;
        r->stack = stack;
        r->seat = seat;
        return r;
    }
};

class Observer final : public kestrova::ScanObserver {
public:
    std::vector<std::string> seen;
    int messages = 0;
    void showMessage(const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
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
};

Result scan(int tables, const kestrova::sim::ClientLatency& latency, bool adaptive,
            const kestrova::GlyphTable& glyphs) {
    kestrova::sim::SimulatedClient client(lobbyOf(tables));
    const auto zero = Steady::now();
    client.setLatency(latency, [zero] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - zero).count();
    });
    kestrova::SystemClock clock;
    Observer observer;
    InstantLookup lookup;
    kestrova::ScanState state;
    kestrova::PassContext context{client, clock, glyphs, observer, adaptive};
    const auto start = Steady::now();
    kestrova::TableScanPass(context, lookup, state, kestrova::LobbyFilter()).scanAll(std::nullopt);
    Result r;
    r.seconds = std::chrono::duration<double>(Steady::now() - start).count();
    r.seen = std::move(observer.seen);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    int tables = 60;
    kestrova::sim::ClientLatency latency{30, 300, 0};
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--tables") == 0)
            tables = value;
        else if (std::strcmp(argv[i], "--row-delay-ms") == 0)
            latency.rowDelayMs = value;
        else if (std::strcmp(argv[i], "--seat-delay-ms") == 0)
            latency.seatDelayMs = value;
        else if (std::strcmp(argv[i], "--chips-delay-ms") == 0)
            latency.chipsDelayMs = value;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the simulated client draws with Qt's fonts
    setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 0);
    const kestrova::GlyphTable glyphs = kestrova::loadGlyphTables();

    const Result adaptive = scan(tables, latency, true, glyphs);
    const Result fixed = scan(tables, latency, false, glyphs);
    const double floor =
        tables * (latency.rowDelayMs + latency.seatDelayMs + latency.chipsDelayMs) / 1000.0;
    std::printf("tables %d, latencies row %d ms, seats %d ms, chips %d ms\n", tables,
                latency.rowDelayMs, latency.seatDelayMs, latency.chipsDelayMs);
    std::printf("sum of the client's latencies   %.2f s\n", floor);
    std::printf("fixed waits                     %.2f s\n", fixed.seconds);
    std::printf("adaptive waits                  %.2f s  (%.2fx the latencies, %.2fx fixed)\n",
                adaptive.seconds, adaptive.seconds / floor, adaptive.seconds / fixed.seconds);
    std::printf("players read                    %zu, same in both: %s\n", adaptive.seen.size(),
                adaptive.seen == fixed.seen ? "yes" : "NO");
    return adaptive.seen == fixed.seen && !adaptive.seen.empty() ? 0 : 1;
}
