#include "Commands.h"

#include "ImageFile.h"
#include "Json.h"
#include "client/LobbyGeometry.h"
#include "client/lobby/GlyphTables.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "client/ocr/SeatScan.h"
#include "sim/LobbyLayout.h"

#include <charconv>
#include <filesystem>
#include <optional>

namespace kestrova::cli {

// ocr lobby|seats IMAGE [--glyphs FILE] [--child-top N]
int runOcrCommand(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || (args[0] != "lobby" && args[0] != "seats")) {
        err << "usage: kestrova-cli ocr lobby|seats IMAGE [--glyphs FILE] [--child-top N]\n";
        return 1;
    }
    std::string glyphFile;
    int childTop = sim::layout::kListWindowTop;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == "--glyphs")
            glyphFile = args[i + 1];
        else if (args[i] == "--child-top") {
            const std::string& text = args[i + 1];
            const char* end = text.data() + text.size();
            const auto [ptr, error] = std::from_chars(text.data(), end, childTop);
            if (text.empty() || error != std::errc() || ptr != end) {
                err << "--child-top: \"" << text << "\" is no 32-bit whole number\n";
                return 1;
            }
        } else {
            err << "unknown option " << args[i] << '\n';
            return 1;
        }
    }
    // A FIFO or device would block the image reader, or feed it for ever.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(args[1], ec)) {
        err << "cannot read image " << args[1] << ": not a regular file\n";
        return 1;
    }
    const std::optional<Image> source = readImageFile(args[1]);
    if (!source) {
        err << "cannot read image " << args[1] << '\n';
        return 1;
    }
    std::optional<GlyphTable> glyphs = loadGlyphs(glyphFile, err);
    if (!glyphs)
        return 1;
    const Image& capture = *source;

    if (args[0] == "lobby") {
        const LobbyGeometry geometry = LobbyGeometry::fromListWindow(Rect{0, childTop, 0, 0});
        const LobbyPageReading page = readLobbyPage(capture, geometry, *glyphs);
        if (!page.selected) {
            err << "no selected row found in " << args[1] << '\n';
            return 1;
        }
        const LobbyEntry& e = *page.selected;
        nlohmann::ordered_json row;
        row["name"] = e.name;
        row["stakes"] = e.stakes;
        row["players"] = e.players;
        row["seats"] = e.seats;
        row["avgpot"] = e.averagePot;
        out << jsonText(row) << '\n';
        return 0;
    }

    // The probes that find the seat list lie at these points; a smaller image
    // holds no seat list at all.
    if (capture.width() <= seatscan::kTopProbeX || capture.height() <= seatscan::kTopProbeFromY) {
        err << args[1] << ": " << capture.width() << "x" << capture.height()
            << " is too small for the seat list (reaching x " << seatscan::kTopProbeX << ", y "
            << seatscan::kTopProbeFromY << ")\n";
        return 1;
    }
    SeatReading seats;
    readSeats(capture, *glyphs, seats);
    nlohmann::ordered_json reading;
    reading["names"] = seats.names;
    reading["chips"] = seats.chips;
    out << jsonText(reading) << '\n';
    return 0;
}

}  // namespace kestrova::cli
