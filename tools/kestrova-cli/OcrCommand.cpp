#include "Commands.h"

#include "CaptureReading.h"
#include "ImageFile.h"
#include "Json.h"

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
        const std::optional<LobbyEntry> selected = readSelectedRow(capture, childTop, *glyphs);
        if (!selected) {
            err << "no selected row found in " << image << '\n';
            return 1;
        }
        const LobbyEntry& e = *selected;
        nlohmann::ordered_json row;
        row["name"] = e.name;
        row["stakes"] = e.stakes;
        row["players"] = e.players;
        row["seats"] = e.seats;
        row["avgpot"] = e.averagePot;
        row["waiting"] = e.waiting;
        out << jsonText(row) << '\n';
        return 0;
    }
    std::string tooSmall;
    const std::optional<SeatReading> seats = readSeatList(capture, *glyphs, &tooSmall);
    if (!seats) {
        err << image << ": " << tooSmall << '\n';
        return 1;
    }
    nlohmann::ordered_json reading;
    reading["names"] = seats->names;
    reading["chips"] = seats->chips;
    // The names below "Waiting:", and whether the list may go on below them.
    reading["waiting"] = waitingNamesOf(*seats);
    reading["waitingCut"] = waitingListMayGoOn(*seats);
    out << jsonText(reading) << '\n';
    return 0;
}

}  // namespace kestrova::cli
