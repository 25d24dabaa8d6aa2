// Reading one seat list and one lobby page from a capture: straight from the
// image buffer, and through one virtual call per pixel for comparison.

#include "BenchCapture.h"

#include "client/ocr/LobbyPageScan.h"
#include "client/ocr/SeatScan.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kestrova {
namespace {

const BenchCapture& capture()
{
    static const BenchCapture capture = [] {
        BenchCapture c = makeBenchCapture(std::filesystem::path(KESTROVA_DATA_DIR) / "ocr.txt");
        SeatReading seats;
        readSeats(c.image, c.glyphs, seats);
        const auto page = readLobbyPage(c.image, c.geometry, c.glyphs);
        std::fprintf(stderr, "glyphs: %s (%zu entries); seat 0 \"%s\" \"%s\"; selected \"%s\"\n",
                     c.fontSource.c_str(), c.glyphs.size(), seats.names[0].c_str(),
                     seats.chips[0].c_str(), page.selected ? page.selected->name.c_str() : "-");
        if (seats.names[0].empty() || !page.selected) {
            std::fprintf(stderr, "the bench capture does not read back\n");
            std::abort();
        }
        return c;
    }();
    return capture;
}

const VirtualPixels& virtualPixels()
{
    static const std::unique_ptr<VirtualPixels> pixels = makeVirtualPixels(capture().image);
    return *pixels;
}

void BM_SeatsFromImage(benchmark::State& state)
{
    const BenchCapture& c = capture();
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(c.image, c.glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsFromImage);

void BM_SeatsThroughVirtualPixel(benchmark::State& state)
{
    const BenchCapture& c = capture();
    const VirtualPixels& pixels = virtualPixels();
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(pixels, c.glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsThroughVirtualPixel);

void BM_LobbyPageFromImage(benchmark::State& state)
{
    const BenchCapture& c = capture();
    for (auto _ : state) {
        auto page = readLobbyPageFrom(c.image, c.geometry, c.glyphs);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LobbyPageFromImage);

void BM_LobbyPageThroughVirtualPixel(benchmark::State& state)
{
    const BenchCapture& c = capture();
    const VirtualPixels& pixels = virtualPixels();
    for (auto _ : state) {
        auto page = readLobbyPageFrom(pixels, c.geometry, c.glyphs);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LobbyPageThroughVirtualPixel);

}  // namespace
}  // namespace kestrova
