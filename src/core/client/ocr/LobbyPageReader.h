#pragma once

#include "client/LobbyEntry.h"
#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <cstdint>
#include <optional>
#include <string>
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

// Offset of the first line below the list top (0 to 15), from the row boundary at x = 600.
int lineGridOffset(const Image& capture, const LobbyGeometry& geometry);

// The selected-row highlight colour, tested at (list left + 2, line top + 1).
bool isSelectionHighlight(std::uint32_t argb);

// The selected line gives: name = columns list left + 1 .. + 110, with "(S)"
// and "(D)" removed; game up to + 178, stakes up to + 260, "seated/seats" up
// to + 337 (leading digits of each side, 0 when none), extra up to + 405,
// average pot up to + 488. All texts are trimmed; limitKind stays empty.
struct LobbyPageReading {
    bool firstLineFits = false;          // false: the caller scrolls (Down, Up) and captures again
    std::optional<LobbyEntry> selected;  // the highlighted line, when one is visible
};

LobbyPageReading readLobbyPage(const Image& capture, const LobbyGeometry& geometry,
                               const GlyphTable& glyphs);

// The trimmed names (columns list left + 1 .. + 110, markers kept) of the
// highlighted lines, top to bottom.
std::vector<std::string> readSelectedNames(const Image& capture, const LobbyGeometry& geometry,
                                           const GlyphTable& glyphs);

}  // namespace kestrova
