#include "client/ocr/LobbyPageReader.h"

#include "client/ocr/LobbyPageScan.h"

namespace kestrova {

namespace lobbyscan {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

void removeAll(std::string& text, std::string_view marker) {
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
        text.erase(at, marker.size());
    }
}

int leadingInt(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        // A garbled reading must not overflow; no table seats a million.
        if (value < 1000000) {
            value = value * 10 + (c - '0');
        }
    }
    return value;
}

LobbyEntry entryFromFields(std::string name, std::string game, std::string stakes,
                           std::string seated, std::string extra, std::string averagePot) {
    LobbyEntry entry;
    entry.name = tableName(name);
    entry.game = trimmed(game);
    entry.stakes = trimmed(stakes);
    entry.extra = trimmed(extra);
    entry.averagePot = trimmed(averagePot);
    entry.limitKind = limitKindOf(entry.extra, entry.game);
    const std::string seats = trimmed(seated);
    const auto slash = seats.find('/');
    entry.players = leadingInt(seats);
    entry.seats = slash == std::string::npos ? 0 : leadingInt(trimmed(seats.substr(slash + 1)));
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
    std::string name = lobbyscan::trimmed(text);
    lobbyscan::removeAll(name, "(S)");
    lobbyscan::removeAll(name, "(D)");
    return lobbyscan::trimmed(name);
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
