#include "Commands.h"

#include "ImageFile.h"
#include "Json.h"
#include "client/LobbyGeometry.h"
#include "client/lobby/GlyphTables.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "client/ocr/SeatScan.h"

#include <filesystem>
#include <optional>

namespace kestrova::cli {

int runOcrCommand(const OcrArgs& args, std::ostream& out, std::ostream& err) {
    const std::string& image = args.image;
    const int childTop = args.childTop;
    // A FIFO or device would block the image reader, or feed it for ever.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(image, ec)) {
        err << "cannot read image " << image << ": not a regular file\n";
        return 1;
    }
    const std::optional<Image> source = readImageFile(image);
    if (!source) {
        err << "cannot read image " << image << '\n';
        return 1;
    }
    std::optional<GlyphTable> glyphs = loadGlyphs(args.glyphFile, err);
    if (!glyphs)
        return 1;
    const Image& capture = *source;

    if (!args.seats) {
        const LobbyGeometry geometry = LobbyGeometry::fromListWindow(Rect{0, childTop, 0, 0});
        const LobbyPageReading page = readLobbyPage(capture, geometry, *glyphs);
        if (!page.selected) {
            err << "no selected row found in " << image << '\n';
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
        err << image << ": " << capture.width() << "x" << capture.height()
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
