#include "Commands.h"

#include "Json.h"
#include "client/LobbyGeometry.h"
#include "client/lobby/GlyphTables.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatReader.h"
#include "sim/LobbyRenderer.h"

#include <QImage>
#include <QString>

#include <cstring>

namespace kestrova::cli {

namespace {

Image toImage(const QImage& source) {
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    Image image(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(image.row(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 4);
    return image;
}

}  // namespace

// ocr lobby|seats IMAGE [--glyphs FILE] [--child-top N]
int runOcrCommand(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || (args[0] != "lobby" && args[0] != "seats")) {
        err << "usage: kestrova-cli ocr lobby|seats IMAGE [--glyphs FILE] [--child-top N]\n";
        return 1;
    }
    std::string glyphFile;
    int childTop = sim::LobbyRenderer::kListWindowTop;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == "--glyphs")
            glyphFile = args[i + 1];
        else if (args[i] == "--child-top")
            childTop = std::atoi(args[i + 1].c_str());
        else {
            err << "unknown option " << args[i] << '\n';
            return 1;
        }
    }
    const QImage source(QString::fromStdString(args[1]));
    if (source.isNull()) {
        err << "cannot read image " << args[1] << '\n';
        return 1;
    }
    const GlyphTable glyphs = glyphFile.empty() ? loadGlyphTables() : GlyphTable::load(glyphFile);
    if (glyphs.empty()) {
        err << "no glyph table" << (glyphFile.empty() ? std::string() : " in " + glyphFile) << '\n';
        return 1;
    }
    const Image capture = toImage(source);

    if (args[0] == "lobby") {
        const LobbyGeometry geometry = LobbyGeometry::fromListWindow(Rect{0, childTop, 0, 0});
        const LobbyPageReading page = readLobbyPage(capture, geometry, glyphs);
        if (!page.selected) {
            err << "no selected row found in " << args[1] << '\n';
            return 1;
        }
        const LobbyEntry& e = *page.selected;
        out << "{\"name\": " << jsonString(e.name) << ", \"stakes\": " << jsonString(e.stakes)
            << ", \"players\": " << e.players << ", \"seats\": " << e.seats
            << ", \"avgpot\": " << jsonString(e.averagePot) << "}\n";
        return 0;
    }

    SeatReading seats;
    readSeats(capture, glyphs, seats);
    const auto list = [&](const auto& texts) {
        std::string s = "[";
        for (std::size_t i = 0; i < texts.size(); ++i)
            s += (i ? ", " : "") + jsonString(texts[i]);
        return s + "]";
    };
    out << "{\"names\": " << list(seats.names) << ", \"chips\": " << list(seats.chips) << "}\n";
    return 0;
}

}  // namespace kestrova::cli
