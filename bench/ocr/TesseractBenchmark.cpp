// bench_ocr_tesseract: the project's recogniser beside Tesseract on the same
// 1,000 lines the simulated client draws (500 selected lobby rows, 500 seat
// lines; random texts from fixed seeds), in one run. For each reader and
// Tesseract set-up: the share of lines read back exactly and the time per
// line, as CPU time of this thread (Tesseract is held to one thread) and as
// wall time. Also the share of characters right (1 - edit distance / length
// of the drawn line), which tells a near miss from a wrong line.
//
// The project's readers return fields, Tesseract one text per line, so each is
// held to its own exact answer: the recogniser to every field of the row (name,
// game, stakes, seated/seats, type, average pot) and to the seat line's name
// and normalised chips; Tesseract to the whole line as drawn, cells separated
// by one blank. Tesseract reads single lines (page segmentation mode 7).
//
// A benchmark-only dependency: Debian libtesseract-dev and tesseract-ocr-eng.
#include "RandomLobby.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "common/Image.h"
#include "sim/BitmapFont.h"
#include "sim/LobbyLayout.h"
#include "sim/LobbyRenderer.h"
#include "sim/LobbyState.h"

#include <QGuiApplication>

#include <tesseract/baseapi.h>

#include <time.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kestrova;
using sim::testing::RandomLobby;
using Steady = std::chrono::steady_clock;

constexpr unsigned kLobbySeed = 1717;
constexpr unsigned kSeatSeed = 2929;
constexpr int kRows = 500;
constexpr int kTablesPerLobby = 25;
constexpr int kSeatListLines = sim::layout::kSeatLines;
constexpr int kSeatLines = 500;
constexpr int kReportedMisreads = 3;

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double wallMs() {
    return std::chrono::duration<double, std::milli>(Steady::now().time_since_epoch()).count();
}

// A grey picture, one byte a pixel, as Tesseract takes it.
struct Grey {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    unsigned char& at(int x, int y) {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Grey crop(const Image& image, const Rect& area) {
    Grey g{area.right - area.left, area.bottom - area.top, {}};
    g.pixels.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const std::uint32_t p = image.pixel(area.left + x, area.top + y);
            const int r = static_cast<int>((p >> 16) & 0xff),
                      gr = static_cast<int>((p >> 8) & 0xff), b = static_cast<int>(p & 0xff);
            g.at(x, y) = static_cast<unsigned char>((299 * r + 587 * gr + 114 * b) / 1000);
        }
    }
    return g;
}

// One line as the two readers see it: the whole capture for the recogniser,
// the line's own area for Tesseract.
struct Line {
    bool seat = false;
    std::string drawn;        // what Tesseract must read: the cells, one blank between
    LobbyEntry row;           // what the recogniser must read from a selected row
    std::string name, chips;  // ... or from a seat line
    int capture = 0;          // index into the captures
    int seatLine = 0;
    Rect area;
};

struct Corpus {
    std::vector<Image> captures;
    std::vector<Line> lines;
};

std::string limitKind(const std::string& extra) {
    static const std::map<std::string, std::string> kinds = {
        {"FL", "Limit"}, {"NL", "No Limit"}, {"PL", "Pot Limit"}};
    const auto kind = kinds.find(extra);
    return kind == kinds.end() ? "" : kind->second;
}

Corpus makeCorpus(const sim::LobbyRenderer& renderer) {
    namespace layout = sim::layout;
    Corpus corpus;
    RandomLobby random(kLobbySeed, renderer);
    for (int first = 0; first < kRows; first += kTablesPerLobby) {
        std::vector<sim::LobbyTable> tables;
        for (int t = 0; t < kTablesPerLobby; ++t) {
            sim::LobbyTable table;
            table.name = random.name(false);
            table.game = random.game();
            table.stakes = random.stakes();
            table.seats = 2 + random.below(9);
            table.seated = random.below(12);
            table.extra = random.extra();
            table.averagePot = random.averagePot();
            table.waiting = random.below(20);
            tables.push_back(table);
        }
        const sim::Lobby lobby(tables);
        sim::LobbyState state(lobby.size());
        for (int row = 0; row < lobby.size(); ++row) {
            state.select(row);
            const sim::LobbyTable& t = tables[static_cast<std::size_t>(row)];
            Line line;
            line.row = {t.name,   t.game, t.stakes, t.extra, t.averagePot, limitKind(t.extra),
                        t.seated, t.seats};
            line.drawn = t.name + " " + t.game + " " + t.stakes + " " + std::to_string(t.seated) +
                         "/" + std::to_string(t.seats) + " " + t.extra + " " + t.averagePot + " " +
                         std::to_string(t.waiting);
            const int top = layout::kListTop + (row - state.topRow()) * layout::kRowHeight;
            line.area = {layout::kListLeft, top, layout::kListRight, top + layout::kRowHeight};
            line.capture = static_cast<int>(corpus.captures.size());
            corpus.captures.push_back(sim::LobbyRenderer::toImage(renderer.render(lobby, state)));
            corpus.lines.push_back(line);
        }
    }

    RandomLobby seats(kSeatSeed, renderer);
    for (int list = 0; list < kSeatLines / kSeatListLines; ++list) {
        sim::LobbyTable table;
        table.name = "T";
        std::vector<Line> lines;
        for (int p = 0; p < kSeatListLines; ++p) {
            RandomLobby::Chips chips = seats.chips();
            if (!renderer.fitsSeatChips(QString::fromStdString(chips.shown)))
                chips = {"1,250", "1250"};
            const std::string name = seats.name(true);
            table.players.push_back({name, chips.shown});
            Line line;
            line.seat = true;
            line.name = name;
            line.chips = chips.expected;
            line.drawn = name + " " + chips.shown;
            line.seatLine = p;
            const int top = layout::seatLineTop(p);
            // The whole line, from the box's inner edge to the chips' end.
            line.area = {layout::kSeatBoxLeft + 1, top - 1, layout::seatChipsClipRight() + 2,
                         top + layout::kSeatLineHeight - 1};
            line.capture = static_cast<int>(corpus.captures.size());
            corpus.lines.push_back(line);
        }
        corpus.captures.push_back(
            sim::LobbyRenderer::toImage(renderer.render(sim::Lobby({table}), sim::LobbyState(1))));
    }
    return corpus;
}

struct Result {
    std::string reader;
    int exact = 0;
    int lines = 0;
    int exactRows = 0, rows = 0;
    int exactSeats = 0, seats = 0;
    double cpuMs = 0;
    double wallMs = 0;
    std::size_t characters = 0;  // drawn, over all lines
    std::size_t edits = 0;       // characters inserted, dropped or changed
    std::vector<std::string> misreads;
};

// Levenshtein distance.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// `expected` and `read` in the same form: the reader's own.
void note(Result& r, const Line& line, bool exact, const std::string& expected,
          const std::string& read) {
    ++r.lines;
    r.characters += expected.size();
    r.edits += exact ? 0 : editDistance(expected, read);
    r.exact += exact;
    (line.seat ? r.seats : r.rows) += 1;
    (line.seat ? r.exactSeats : r.exactRows) += exact;
    if (!exact && static_cast<int>(r.misreads.size()) < kReportedMisreads)
        r.misreads.push_back("drew [" + expected + "], read [" + read + "]");
}

std::string describe(const LobbyEntry& e) {
    return e.name + " " + e.game + " " + e.stakes + " " + std::to_string(e.players) + "/" +
           std::to_string(e.seats) + " " + e.extra + " " + e.averagePot;
}

// The recogniser as the scan uses it: the selected row of a capture, all seat
// lines of a capture at once (a seat list's time is shared by its lines).
Result runRecogniser(const Corpus& corpus, const GlyphTable& glyphs) {
    Result r{"recogniser (ocr.txt)"};
    const LobbyGeometry geometry = LobbyGeometry::fromListWindow(
        Rect{0, sim::LobbyRenderer::kListWindowTop, sim::LobbyRenderer::kWindowWidth,
             sim::LobbyRenderer::kWindowHeight});
    for (std::size_t i = 0; i < corpus.lines.size(); ++i) {
        const Line& line = corpus.lines[i];
        const Image& capture = corpus.captures[static_cast<std::size_t>(line.capture)];
        if (!line.seat) {
            const double cpu = threadCpuMs(), wall = wallMs();
            const LobbyPageReading reading = readLobbyPage(capture, geometry, glyphs);
            r.cpuMs += threadCpuMs() - cpu;
            r.wallMs += wallMs() - wall;
            const bool exact = reading.selected && *reading.selected == line.row;
            note(r, line, exact, describe(line.row),
                 reading.selected ? describe(*reading.selected) : "");
            continue;
        }
        if (line.seatLine != 0)
            continue;
        const double cpu = threadCpuMs(), wall = wallMs();
        SeatReading seats;
        readSeats(capture, glyphs, seats);
        r.cpuMs += threadCpuMs() - cpu;
        r.wallMs += wallMs() - wall;
        for (std::size_t l = i; l < corpus.lines.size() && corpus.lines[l].capture == line.capture;
             ++l) {
            // Every line with text moves the seat index on by two.
            const auto slot = static_cast<std::size_t>(2 * corpus.lines[l].seatLine);
            const bool exact = seats.names[slot] == corpus.lines[l].name &&
                               seats.chips[slot] == corpus.lines[l].chips;
            note(r, corpus.lines[l], exact, corpus.lines[l].name + " " + corpus.lines[l].chips,
                 seats.names[slot] + " " + seats.chips[slot]);
        }
    }
    return r;
}

// KESTROVA_BENCH_LINES=N reads only the first N lines of each kind with
// Tesseract, for trying set-ups quickly; the figures then cover those alone.
int linesToRead(const Corpus& corpus) {
    const char* limit = std::getenv("KESTROVA_BENCH_LINES");
    return limit ? std::atoi(limit) : static_cast<int>(corpus.lines.size());
}

// How a line is prepared for Tesseract.
struct Setup {
    std::string name;
    tesseract::OcrEngineMode engine = tesseract::OEM_LSTM_ONLY;
    bool darkOnLight = false;  // ink made black on white (inverting light-on-dark lines)
    bool binary = false;       // ... and thresholded half-way between ink and background
    int scale = 1;             // pixel replication
    int margin = 0;            // blank border, in scaled pixels
    bool whitelist = false;
};

// Every character the lines hold, the blank included (without it the engine
// runs the cells together).
constexpr const char* kWhitelist =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789$/,.'_()-: ";

Grey prepare(const Grey& line, const Setup& setup) {
    Grey g = line;
    if (setup.darkOnLight) {
        // The background is the line's most common shade; ink is what differs most.
        int count[256] = {};
        for (const unsigned char v : g.pixels)
            ++count[v];
        const int background = static_cast<int>(std::max_element(count, count + 256) - count);
        int ink = background;
        for (const unsigned char v : g.pixels) {
            if (std::abs(v - background) > std::abs(ink - background))
                ink = v;
        }
        const int threshold = (background + ink) / 2;
        for (unsigned char& v : g.pixels) {
            const bool isInk = ink < background ? v < threshold : v > threshold;
            if (setup.binary) {
                v = isInk ? 0 : 255;
            } else if (ink > background) {
                v = static_cast<unsigned char>(255 - v);
            }
        }
    }
    const int s = setup.scale, m = setup.margin;
    Grey out{g.width * s + 2 * m, g.height * s + 2 * m, {}};
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      setup.darkOnLight  ? 255
                      : g.pixels.empty() ? 255
                                         : g.pixels[0]);
    for (int y = 0; y < g.height * s; ++y) {
        for (int x = 0; x < g.width * s; ++x)
            out.at(m + x, m + y) = g.at(x / s, y / s);
    }
    return out;
}

std::string collapsed(const char* text) {
    std::string out;
    for (const char* c = text; c && *c; ++c) {
        const bool blank = *c == ' ' || *c == '\n' || *c == '\t' || *c == '\r';
        if (blank) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += *c;
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// KESTROVA_BENCH_DUMP=DIR writes the first lines of each set-up as Tesseract
// gets them (PGM), to look at.
void dump(const Grey& image, const Setup& setup, std::size_t index) {
    const char* dir = std::getenv("KESTROVA_BENCH_DUMP");
    if (!dir || index % 100 >= 3)
        return;
    std::string name = setup.name;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '-');
    const std::string path = std::string(dir) + "/" + name + "-" + std::to_string(index) + ".pgm";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fprintf(out, "P5\n%d %d\n255\n", image.width, image.height);
        std::fwrite(image.pixels.data(), 1, image.pixels.size(), out);
        std::fclose(out);
    }
}

std::optional<Result> runTesseract(const Corpus& corpus, const Setup& setup) {
    tesseract::TessBaseAPI api;
    if (api.Init(nullptr, "eng", setup.engine) != 0) {
        std::fprintf(stderr, "%s: Tesseract has no \"eng\" data for this engine\n",
                     setup.name.c_str());
        return std::nullopt;
    }
    api.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    api.SetVariable("debug_file", "/dev/null");
    api.SetVariable("preserve_interword_spaces", "0");
    if (setup.whitelist)
        api.SetVariable("tessedit_char_whitelist", kWhitelist);
    Result r{"Tesseract, " + setup.name};
    for (const Line& line : corpus.lines) {
        const int index = static_cast<int>(&line - corpus.lines.data());
        if ((line.seat ? index - kRows : index) >= linesToRead(corpus))
            continue;
        const Grey raw = crop(corpus.captures[static_cast<std::size_t>(line.capture)], line.area);
        const double cpu = threadCpuMs(), wall = wallMs();
        const Grey image = prepare(raw, setup);
        dump(image, setup, static_cast<std::size_t>(line.seat ? index - kRows + 100 : index));
        api.SetImage(image.pixels.data(), image.width, image.height, 1, image.width);
        api.SetSourceResolution(70 * setup.scale);
        const std::unique_ptr<char[]> text(api.GetUTF8Text());
        r.cpuMs += threadCpuMs() - cpu;
        r.wallMs += wallMs() - wall;
        const std::string read = collapsed(text.get());
        note(r, line, read == line.drawn, line.drawn, read);
    }
    return r;
}

void print(const Result& r) {
    std::printf("%-48s %6.1f %%  (rows %5.1f %%, seats %5.1f %%)  %6.2f %%  %9.4f ms  %9.4f ms\n",
                r.reader.c_str(), 100.0 * r.exact / r.lines, 100.0 * r.exactRows / r.rows,
                100.0 * r.exactSeats / r.seats,
                100.0 * (1.0 - static_cast<double>(r.edits) / static_cast<double>(r.characters)),
                r.cpuMs / r.lines, r.wallMs / r.lines);
    for (const std::string& m : r.misreads)
        std::printf("    e.g. %s\n", m.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    // One thread, so that the time per line compares like with like.
    setenv("OMP_THREAD_LIMIT", "1", 1);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the simulated client draws with Qt's fonts
    const GlyphTable glyphs = GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt");
    if (glyphs.empty()) {
        std::fprintf(stderr, "bench_ocr_tesseract: no glyph table at %s\n",
                     KESTROVA_DATA_DIR "/ocr.txt");
        return 1;
    }
    const sim::BitmapFont font;
    const sim::LobbyRenderer renderer(font);
    const Corpus corpus = makeCorpus(renderer);
    std::printf("%zu lines (%d selected lobby rows, %d seat lines), Tesseract %s\n",
                corpus.lines.size(), kRows, kSeatLines, tesseract::TessBaseAPI::Version());
    std::printf("%-48s %8s  %34s  %8s  %12s  %12s\n", "reader", "exact", "", "chars ok", "CPU/line",
                "wall/line");
    print(runRecogniser(corpus, glyphs));

    // Debian's "eng" data holds the LSTM engine only.
    const std::vector<Setup> setups = {
        {"as captured (grey)", tesseract::OEM_LSTM_ONLY},
        {"dark on light, 4x, whitelist", tesseract::OEM_LSTM_ONLY, true, false, 4, 16, true},
        {"binarised dark on light, 4x, whitelist", tesseract::OEM_LSTM_ONLY, true, true, 4, 16,
         true},
        {"binarised dark on light, 3x, whitelist", tesseract::OEM_LSTM_ONLY, true, true, 3, 12,
         true},
    };
    for (const Setup& setup : setups) {
        if (const auto result = runTesseract(corpus, setup))
            print(*result);
        std::fflush(stdout);
    }
    return 0;
}
