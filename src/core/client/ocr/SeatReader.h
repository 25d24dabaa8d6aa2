#pragma once

#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <array>
#include <string>
#include <vector>
#include <string_view>

namespace kestrova {

// Names and chip counts of the table shown beside the lobby's list. The seat
// index advances by 2 per line that gave a name or chips, by 1 otherwise, so
// the arrays have room for 26 entries; a line whose name reads empty leaves the
// old name in place, as the client keeps the previous table's text.
struct SeatReading {
    static constexpr int kSlots = 26;
    std::array<std::string, kSlots> names;
    std::array<std::string, kSlots> chips;
    // What else a name may read where the font draws some of its glyphs alike.
    std::array<std::vector<std::string>, kSlots> alike;
    // The area's last line held text: the list may go on below what was read.
    bool lastLineUsed = false;
};

// Where it reads: the box's top edge is the first pixel darker than 100 in all
// parts at x = 840 going up from y = 285 (260 if none); its left edge the first
// pixel darker than 180 at y = top + 1 going left from x = 730 to 651 (700 if
// none). Area left = edge + 1, 235 columns wide; 10 lines of 12 rows every 14
// rows from top + 3. Ink differs from the line's background, the pixel at
// (left, line top + 1); a column that is ink in all 12 rows counts as empty.
// Name: columns left .. left + 111 (trimmed, stored only when not empty);
// chips: columns left + 148 .. left + 234, through normaliseChipText. A line
// with a name but no chips stores an empty chip text. Lines outside the
// capture read nothing.
//
// Glyphs the table cannot tell apart here:
// - "512,512," is read as ".";
// - "1022,1022," is "t" when any pixel of the grid columns {x0 - 1, x0 + 2,
//   x0 + 3} by rows {top + 2 .. top + 5} (x0 = the stroke's first column, top
//   = the line top) is brighter than the background by more than 60 in all
//   parts, where a "t" has its crossbar; "l" otherwise;
// - "1016,1016,8,1016,1016," is cut off as a prefix of a longer glyph only
//   when the pixel 3 columns into it and 3 rows below the line top is darker
//   than 150 in all parts; otherwise the next shorter entry is tried.
void readSeats(const Image& capture, const GlyphTable& glyphs, SeatReading& seats);

// The line that ends the seated players and heads the waiting list.
inline constexpr std::string_view kWaitingMarker = "Waiting:";

// The names below the waiting list's marker, in order (none without one).
std::vector<std::string> waitingNamesOf(const SeatReading& seats);
// The area shows the marker and ran out of lines: the waiting list may go on
// below what was read.
bool waitingListMayGoOn(const SeatReading& seats);

// Blanks and "$" removed, then separators: "1,250" -> "1250", "12,50" -> "12.50",
// "1.234,56" -> "1234.56", "1,234.56" -> "1234.56"; without a "," unchanged.
std::string normaliseChipText(std::string_view text);

}  // namespace kestrova
