#include "ScanProbes.h"

#include <time.h>

#include <cstdio>
#include <utility>

namespace kestrova::test {

std::chrono::nanoseconds threadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

void CountingObserver::showMessage(const kestrova::Message& message) {
    std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
    ++messages;
}

namespace {

class TimedWatch final : public DrawingWatch {
public:
    TimedWatch(std::unique_ptr<DrawingWatch> inner, TimedPlatform& platform)
        : inner_(std::move(inner)), platform_(platform) {}

    std::vector<Rect> takeDrawn() override {
        const auto start = std::chrono::steady_clock::now();
        const auto cpuStart = threadCpuTime();
        std::vector<Rect> drawn = inner_->takeDrawn();
        platform_.drawingCpu += threadCpuTime() - cpuStart;
        platform_.drawing += std::chrono::steady_clock::now() - start;
        return drawn;
    }

private:
    std::unique_ptr<DrawingWatch> inner_;
    TimedPlatform& platform_;
};

}  // namespace

std::unique_ptr<DrawingWatch> TimedPlatform::watchDrawing(WindowId window) {
    std::unique_ptr<DrawingWatch> watch = inner_.watchDrawing(window);
    if (!watch)
        return nullptr;
    return std::make_unique<TimedWatch>(std::move(watch), *this);
}

std::optional<Image> TimedPlatform::capture(WindowId window) {
    const auto start = std::chrono::steady_clock::now();
    const auto cpuStart = threadCpuTime();
    std::optional<Image> image = inner_.capture(window);
    drawingCpu += threadCpuTime() - cpuStart;
    drawing += std::chrono::steady_clock::now() - start;
    ++captures;
    return image;
}

std::shared_ptr<PlayerStats> TimedLookup::lookupPlayer(const std::string& name,
                                                       const std::string& stack,
                                                       const std::string& seat,
                                                       MessageSink& messages) {
    const auto start = std::chrono::steady_clock::now();
    std::shared_ptr<PlayerStats> record = inner_.lookupPlayer(name, stack, seat, messages);
    spent += std::chrono::steady_clock::now() - start;
    ++lookups;
    return record;
}

sim::Lobby summitLobby(int tables, int playersPerTable, int waitingPerTable) {
    std::vector<sim::LobbyTable> rows;
    rows.reserve(static_cast<std::size_t>(tables));
    for (int t = 0; t < tables; ++t) {
        sim::LobbyTable table;
        table.name = "Summit " + std::to_string(1000 + t);
        table.game = "Hold'em";
        table.stakes = t % 3 == 0 ? "$1/$2" : "$0.25/$0.50";
        table.seats = 10;
        table.extra = "NL";
        table.averagePot = "$" + std::to_string(10 + t % 90) + ".25";
        for (int p = 0; p < playersPerTable; ++p) {
            const int id = t * playersPerTable + p;
            table.players.push_back(
                {"Rider" + std::to_string(10000 + id),
                 std::to_string(1 + id % 9) + "," + std::to_string(100 + id % 900)});
        }
        table.seated = playersPerTable;
        for (int w = 0; w < waitingPerTable; ++w)
            table.waitlist.push_back("Waiter" + std::to_string(10000 + t * waitingPerTable + w));
        table.waiting = waitingPerTable;
        rows.push_back(std::move(table));
    }
    return sim::Lobby(std::move(rows));
}

}  // namespace kestrova::test
