#pragma once

#include "client/LobbyEntry.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Readers of the lobby's table list inside a capture of the lobby window.
// Only the highlighted (selected) line is ever recognised. No read leaves the
// image: a line whose 16 rows are not all inside the capture is not read, and
// columns are clipped to its width, so a capture smaller than the geometry
// reads less or nothing.
//
// Lines are 16 rows high, start at list top + lineGridOffset and are read while
// their top + 15 is not below the list bottom. Ink is white (all parts > 250).

// A table's name as the lobby shows it, reduced to its identity: trimmed, without
// the "(S)" and "(D)" markers the client appends. Every reader and every
// comparison of table names goes through this.
std::string tableName(std::string_view text);

// "Limit", "No Limit" or "Pot Limit" as the lobby filter compares them: from the
// type column ("FL", "NL", "PL"), else from the game text ("No Limit Hold'em");
// empty when neither names a kind.
std::string limitKindOf(std::string_view typeColumn, std::string_view game);

// Offset of the first line below the list top (0 to 15), from the row boundary at x = 600.
int lineGridOffset(const Image& capture, const LobbyGeometry& geometry);

// The selected-row highlight colour, tested at (list left + 2, line top + 1).
bool isSelectionHighlight(std::uint32_t argb);

// The selected line gives: name = columns list left + 1 .. + 110, with "(S)"
// and "(D)" removed; game up to + 178, stakes up to + 260, "seated/seats" up
// to + 337 (leading digits of each side, 0 when none), extra up to + 405,
// average pot up to + 488. All texts are trimmed; limitKind is limitKindOf(extra, game).
struct LobbyPageReading {
    bool firstLineFits = false;          // false: the caller scrolls (Down, Up) and captures again
    std::optional<LobbyEntry> selected;  // the highlighted line, when one is visible
};

LobbyPageReading readLobbyPage(const Image& capture, const LobbyGeometry& geometry,
                               const GlyphTable& glyphs);

// The names (columns list left + 1 .. + 110, as tableName() gives them) of the
// highlighted lines, top to bottom.
std::vector<std::string> readSelectedNames(const Image& capture, const LobbyGeometry& geometry,
                                           const GlyphTable& glyphs);

}  // namespace kestrova
