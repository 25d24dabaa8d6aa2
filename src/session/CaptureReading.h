#pragma once

#include "client/LobbyEntry.h"
#include "client/lobby/GlyphTables.h"  // emptyGlyphTableReason
#include "client/ocr/GlyphTable.h"
#include "client/ocr/SeatReader.h"
#include "common/Image.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// Reading a still capture of the lobby as a pass reads the live one: for the
// command line's "ocr" on a screenshot.

// The glyph tables a pass reads with: the shipped ones and the user's own
// taught table; a table that could not be read is named in `problems`.
GlyphTable userGlyphTables(std::vector<std::string>* problems);

// The highlighted row of the table list whose window's top is `listTop`, or
// nothing when no row is highlighted.
std::optional<LobbyEntry> readSelectedRow(const Image& capture, int listTop,
                                          const GlyphTable& glyphs);

// The seat list's names and chips; nothing, with the reason, when the capture
// is too small to hold one.
std::optional<SeatReading> readSeatList(const Image& capture, const GlyphTable& glyphs,
                                        std::string* problem);

}  // namespace kestrova
