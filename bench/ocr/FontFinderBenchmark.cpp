// Finding the installed font the bench capture is drawn in (the shipped
// table's font), among every font this machine has; then reading its seat
// list and lobby page with the table found.

#include "BenchCapture.h"

#include "client/fonts/FontFinder.h"
#include "client/ocr/LobbyPageScan.h"
#include "client/ocr/SeatScan.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace kestrova {
namespace {

const BenchCapture& capture() {
    static const BenchCapture c =
        makeBenchCapture(std::filesystem::path(KESTROVA_DATA_DIR) / "ocr.txt");
    return c;
}

void BM_FindFontAmongInstalled(benchmark::State& state) {
    const BenchCapture& c = capture();
    std::optional<FontFit> fit;
    const std::vector<FontFace> faces = InstalledFonts::list();
    for (auto _ : state) {
        std::string problem;
        fit = FontFinder(faces).find(c.image, &c.geometry, &problem);
        if (!fit) {
            state.SkipWithError(problem.c_str());
            return;
        }
    }
    state.counters["faces"] = fit->facesTried;
    state.counters["sizes_drawn"] = fit->candidatesDrawn;
    state.counters["tables_drawn"] = fit->tablesDrawn;
    state.SetLabel(fit->describe());
}
BENCHMARK(BM_FindFontAmongInstalled)->Unit(benchmark::kMillisecond)->Iterations(2);

GlyphTable foundTable() {
    std::string problem;
    const std::optional<FontFit> fit = FontFinder::findInstalled(capture().image, &capture().geometry, &problem);
    std::istringstream in(fit ? tableFileText(fit->entries) : std::string());
    return GlyphTable::parse(in);
}

void BM_SeatsWithFoundTable(benchmark::State& state) {
    const GlyphTable glyphs = foundTable();
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(capture().image, glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsWithFoundTable);

void BM_LobbyPageWithFoundTable(benchmark::State& state) {
    const GlyphTable glyphs = foundTable();
    for (auto _ : state) {
        auto page = readLobbyPageFrom(capture().image, capture().geometry, glyphs);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_LobbyPageWithFoundTable);

// Seat names whose glyphs all touch: no run is in the table, every one is
// explained by the font's shapes.
void BM_SeatsOfTouchingGlyphsWithFoundTable(benchmark::State& state) {
    const GlyphTable glyphs = foundTable();
    const BenchCapture touching =
        makeBenchCapture(std::filesystem::path(KESTROVA_DATA_DIR) / "ocr.txt", 0);
    SeatReading seats;
    for (auto _ : state) {
        readSeatsFrom(touching.image, glyphs, seats);
        benchmark::DoNotOptimize(seats);
    }
}
BENCHMARK(BM_SeatsOfTouchingGlyphsWithFoundTable);

}  // namespace
}  // namespace kestrova
