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
                           std::string seated, std::string extra, std::string averagePot,
                           std::string waiting) {
    LobbyEntry entry;
    entry.name = tableName(name);
    entry.game = trimBlanks(game);
    entry.stakes = trimBlanks(stakes);
    entry.extra = trimBlanks(extra);
    entry.averagePot = trimBlanks(averagePot);
    entry.limitKind = limitKindOf(entry.extra, entry.game);
    const std::string_view seats = trimBlanks(seated);
    const auto slash = seats.find('/');
    entry.players = leadingInt(seats);
    entry.waiting = leadingInt(trimBlanks(waiting));
    entry.seats =
        slash == std::string_view::npos ? 0 : leadingInt(trimBlanks(seats.substr(slash + 1)));
    return entry;
}

}  // namespace lobbyscan

namespace {

// The kind named by one column's text: the short forms of the type column as
// whole words, or the long forms a game text may spell out.
std::string kindIn(std::string_view text) {
    std::string words = " ";
    for (const char c : text)
        words += (c == '/' || c == '-' || c == '\t') ? ' ' : c;
    words += ' ';
    const auto has = [&](std::string_view word) {
        return words.find(" " + std::string(word) + " ") != std::string::npos;
    };
    const auto mentions = [&](std::string_view phrase) {
        return words.find(phrase) != std::string::npos;
    };
    if (has("NL") || mentions("No Limit"))
        return "No Limit";
    if (has("PL") || mentions("Pot Limit"))
        return "Pot Limit";
    if (has("FL") || mentions("Limit"))
        return "Limit";
    return {};
}

}  // namespace

std::string limitKindOf(std::string_view typeColumn, std::string_view game) {
    std::string kind = kindIn(typeColumn);
    return kind.empty() ? kindIn(game) : kind;
}

std::string tableName(std::string_view text) {
    std::string name(trimBlanks(text));
    lobbyscan::removeAll(name, "(S)");
    lobbyscan::removeAll(name, "(D)");
    return std::string(trimBlanks(name));
}

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
