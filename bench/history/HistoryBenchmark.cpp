// The scan history's costs: one "Scan All Tables" of 3,200 tables with nine
// players each, written table by table or in one go, and `history player NAME` over a file
// of ten million sightings (KESTROVA_BENCH_SIGHTINGS sets another size), with
// the file's size per million sightings.
#include "history/HistoryStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace kestrova {
namespace {

constexpr int kTables = 3200;
constexpr int kSeats = 9;
constexpr int kPlayerPool = 100000;

std::filesystem::path scratch(const char* name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kestrova-bench";
    std::filesystem::create_directories(dir);
    return dir / name;
}

void removeStore(const std::filesystem::path& file) {
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix);
}

TableVisit tableOf(int table, HistoryTime at, std::mt19937& random) {
    std::uniform_int_distribution<int> player(0, kPlayerPool - 1);
    TableVisit visit;
    visit.at = at;
    visit.table = "Table " + std::to_string(table);
    visit.stakes = "$0.10/$0.25";
    visit.seated = kSeats;
    visit.seats = kSeats;
    visit.averagePot = "$12.40";
    visit.averageVpip = "31.20";
    visit.averagePfr = "14.10";
    visit.averageAf = "2.10";
    visit.averageWtsd = "27.00";
    visit.reads = "7 / 9";
    visit.buddies = "0";
    visit.losers = "3";
    visit.totalStacks = "2413.50";
    visit.score = 2.3;
    for (int seat = 1; seat <= kSeats; ++seat)
        visit.players.push_back({"Player" + std::to_string(player(random)), seat, "245.10", 1200,
                                 "33.10", "12.00", "2.40", "28.00", 0.42});
    return visit;
}

// A pass written as the tables come, one transaction each (args 1), or as
// a burst the writer takes in one go (args 0).
void writePass(benchmark::State& state) {
    const bool tableByTable = state.range(0) != 0;
    const std::filesystem::path file = scratch("pass.sqlite");
    removeStore(file);
    auto store = openSqliteHistory(file, nullptr);
    std::mt19937 random(7);
    std::vector<TableVisit> pass;
    for (int table = 0; table < kTables; ++table)
        pass.push_back(tableOf(table, HistoryTime(std::chrono::seconds(1'800'000'000)), random));
    for (auto _ : state) {
        if (tableByTable)
            for (const TableVisit& visit : pass)
                store->add(visit);
        else
            store->add(pass);
        state.PauseTiming();
        store->idle();
        state.ResumeTiming();
    }
    state.counters["tables"] = kTables;
    store.reset();
    removeStore(file);
}
BENCHMARK(writePass)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

std::size_t sightingsWanted() {
    const char* wanted = std::getenv("KESTROVA_BENCH_SIGHTINGS");
    return wanted ? std::strtoull(wanted, nullptr, 10) : 10'000'000;
}

// Made once and kept between runs: ten million sightings take a while.
std::filesystem::path bigStore() {
    const std::size_t sightings = sightingsWanted();
    const std::filesystem::path file =
        scratch(("big-" + std::to_string(sightings) + ".sqlite").c_str());
    if (std::filesystem::exists(file))
        return file;
    auto store = openSqliteHistory(file.string() + ".partial", nullptr);
    std::mt19937 random(11);
    const HistoryTime start(std::chrono::seconds(1'700'000'000));
    std::vector<TableVisit> batch;
    for (std::size_t table = 0; table * kSeats < sightings; ++table) {
        batch.push_back(tableOf(static_cast<int>(table % kTables),
                                start + std::chrono::seconds(table * 2), random));
        if (batch.size() == kTables || (table + 1) * kSeats >= sightings) {
            store->add(batch);
            batch.clear();
        }
    }
    store.reset();
    std::filesystem::rename(file.string() + ".partial", file);
    return file;
}

void playerQuery(benchmark::State& state) {
    const std::filesystem::path file = bigStore();
    auto store = openSqliteHistory(file, nullptr);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> player(0, kPlayerPool - 1);
    std::size_t found = 0;
    for (auto _ : state) {
        const auto visits = store->player("player" + std::to_string(player(random)), HistoryTime{});
        found += visits.size();
        benchmark::DoNotOptimize(visits.data());
    }
    const double millions = static_cast<double>(sightingsWanted()) / 1e6;
    state.counters["sightingsPerQuery"] =
        static_cast<double>(found) / static_cast<double>(state.iterations());
    state.counters["MiBPerMillionSightings"] =
        static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0) / millions;
}
BENCHMARK(playerQuery)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrova

BENCHMARK_MAIN();
