// Reading one seat list and one lobby page from a capture: straight from the
// image buffer, and through one virtual call per pixel for comparison.

#include "BenchCapture.h"

#include "client/ocr/LobbyPageScan.h"
#include "client/ocr/SeatScan.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace kestrova {
namespace {

const BenchCapture& capture() {
    static const BenchCapture capture = [] {
        BenchCapture c = makeBenchCapture(std::filesystem::path(KESTROVA_DATA_DIR) / "ocr.txt");
        // A table learnt from another font ("ocr2.txt"), read after the shipped one.
        if (const char* learnt = std::getenv("KESTROVA_BENCH_LEARNT_GLYPHS")) {
            c.glyphs.readFile(learnt);
        }
        SeatReading seats;
        readSeats(c.image, c.glyphs, seats);
        const auto page = readLobbyPage(c.image, c.geometry, c.glyphs);
        std::fprintf(stderr, "glyphs: %s (%zu entries)\n", c.fontSource.c_str(), c.glyphs.size());
        bool readsBack = page.selected.has_value() && page.selected->name == "Kathmandu 9" &&
                         page.selected->stakes == "$0.10/$0.25" && page.selected->players == 7 &&
                         page.selected->seats == 10 && page.selected->averagePot == "$12.40";
        for (int line = 0; line < 10; ++line) {
            const auto seat = static_cast<std::size_t>(2 * line);
            readsBack = readsBack &&
                        seats.names[seat] == c.seatNames[static_cast<std::size_t>(line)] &&
                        seats.chips[seat] == std::to_string(line + 1) + "234.50";
        }
        if (!readsBack) {
            std::fprintf(stderr, "the bench capture does not read back\n");
            std::abort();
        }
        return c;
    }();
    return capture;
}

const VirtualPixels& virtualPixels() {
    static const std::unique_ptr<VirtualPixels> pixels = makeVirtualPixels(capture().image);
    return *pixels;
}

void BM_SeatsFromImage(benchmark::State& state) {
    const BenchCapture& c = capture();
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(c.image, c.glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsFromImage);

void BM_SeatsThroughVirtualPixel(benchmark::State& state) {
    const BenchCapture& c = capture();
    const VirtualPixels& pixels = virtualPixels();
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(pixels, c.glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsThroughVirtualPixel);

// Every seat name one run of touching glyphs: each is explained by the known
// shapes, the costliest reading of a seat area.
void BM_SeatsOfTouchingGlyphs(benchmark::State& state) {
    static const BenchCapture touching =
        makeBenchCapture(std::filesystem::path(KESTROVA_DATA_DIR) / "ocr.txt", 0);
    SeatReading seats;
    readSeatsFrom(touching.image, touching.glyphs, seats);
    int exact = 0;
    for (int line = 0; line < 10; ++line) {
        exact += seats.names[static_cast<std::size_t>(2 * line)] ==
                 touching.seatNames[static_cast<std::size_t>(line)];
    }
    state.counters["names_exact"] = exact;
    for (auto _ : state) {
        readSeatsFrom(touching.image, touching.glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsOfTouchingGlyphs);

void BM_LobbyPageFromImage(benchmark::State& state) {
    const BenchCapture& c = capture();
    for (auto _ : state) {
        auto page = readLobbyPageFrom(c.image, c.geometry, c.glyphs);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LobbyPageFromImage);

void BM_LobbyPageThroughVirtualPixel(benchmark::State& state) {
    const BenchCapture& c = capture();
    const VirtualPixels& pixels = virtualPixels();
    for (auto _ : state) {
        auto page = readLobbyPageFrom(pixels, c.geometry, c.glyphs);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LobbyPageThroughVirtualPixel);

// Reading a user's table of about 60 MB (two million pairs of touching-glyph
// size) as every start reads it. Peak memory: /usr/bin/time -v with
// --benchmark_filter=LargeUserTable, beside the file's size.
void BM_LoadLargeUserTable(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kestrova-bench-ocr2.txt";
    {
        std::ofstream out(file, std::ios::binary);
        std::uint32_t seed = 7;
        const auto next = [&seed](std::uint32_t below) {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) % below;
        };
        for (int pair = 0; pair < 2'000'000; ++pair) {
            for (std::uint32_t column = 0, width = 1 + next(8); column < width; ++column) {
                out << 65536 + next(34464) << ',';
            }
            out << '\n' << static_cast<char>('!' + next(94)) << '\n';
        }
    }
    for (auto _ : state) {
        GlyphTable table = GlyphTable::load(file);
        benchmark::DoNotOptimize(table);
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadLargeUserTable)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kestrova
