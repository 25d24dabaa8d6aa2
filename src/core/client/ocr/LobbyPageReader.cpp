#include "client/ocr/LobbyPageReader.h"

#include "client/ocr/LobbyPageScan.h"
#include "common/Text.h"

#include <algorithm>

namespace kestrova {

namespace lobbyscan {

void removeAll(std::string& text, std::string_view marker) {
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
        text.erase(at, marker.size());
    }
}

int leadingInt(std::string_view text) {
    // A count has no sign, and a garbled reading is no count.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return 0;
    }
    return std::max(0, leadingInteger(text));
}

LobbyEntry entryFromFields(std::string name, std::string game, std::string stakes,
                           std::string seated, std::string extra, std::string averagePot) {
    LobbyEntry entry;
    name = std::string(trimBlanks(name));
    removeAll(name, "(S)");
    removeAll(name, "(D)");
    entry.name = trimBlanks(name);
    entry.game = trimBlanks(game);
    entry.stakes = trimBlanks(stakes);
    entry.extra = trimBlanks(extra);
    entry.averagePot = trimBlanks(averagePot);
    const std::string_view seats = trimBlanks(seated);
    const auto slash = seats.find('/');
    entry.players = leadingInt(seats);
    entry.seats =
        slash == std::string_view::npos ? 0 : leadingInt(trimBlanks(seats.substr(slash + 1)));
    return entry;
}

}  // namespace lobbyscan

int lineGridOffset(const Image& capture, const LobbyGeometry& geometry) {
    return lineGridOffsetIn(capture, geometry);
}

bool isSelectionHighlight(std::uint32_t argb) {
    const int green = greenOf(argb);
    return redOf(argb) < 115 && green >= 116 && green <= 184 && blueOf(argb) < 115;
}

LobbyPageReading readLobbyPage(const Image& capture, const LobbyGeometry& geometry,
                               const GlyphTable& glyphs) {
    return readLobbyPageFrom(capture, geometry, glyphs);
}

std::vector<std::string> readSelectedNames(const Image& capture, const LobbyGeometry& geometry,
                                           const GlyphTable& glyphs) {
    return readSelectedNamesFrom(capture, geometry, glyphs);
}

}  // namespace kestrova
