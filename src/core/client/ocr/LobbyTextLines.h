#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Every text line of a lobby capture, not only the one the readers read: the
// visible rows of the table list and the lines of the seat area, each cut
// into the fields the readers cut it into. Used to learn a client's font and
// to show what the current glyph tables make of each line.
//
// Ink: white in the highlighted row, as the lobby reader sees it; a colour
// other than the line's background (the pixel at the line's first column,
// top + 1) in the other rows and the seat lines. A column that is ink from top
// to bottom is a border, not a glyph.

enum class LineKind { SelectedRow, ListRow, Seat };

struct TextField {
    int from = 0;  // first column
    int to = 0;    // one past the last column
};

struct TextLine {
    LineKind kind = LineKind::ListRow;
    int top = 0;
    std::uint32_t background = 0;
    std::vector<TextField> fields;
};

// One run of ink columns: a glyph, or glyphs that touch.
struct InkGlyph {
    int x = 0;
    int width = 0;
    std::string signature;
};

// The seven columns of a list row (name, game, stakes, seated/seats, extra,
// average pot, waiting) and the two of a seat line (name, chips).
inline constexpr int kListColumns = 7;
inline constexpr int kSeatColumns = 2;

TextLine listLine(const Image& capture, int top, bool selected);
// The seat area's ten lines where the seat reader finds them.
std::vector<TextLine> seatLines(const Image& capture);

// The top of the highlighted row: the first row of the highlight colour at list
// left + 2, from the top of the capture.
std::optional<int> findHighlightTop(const Image& capture);
// The list's lines where the lobby reader's grid puts them, every one whose 16
// rows are inside the list and the capture.
std::vector<TextLine> listLines(const Image& capture, const LobbyGeometry& geometry);

std::vector<InkGlyph> glyphsIn(const Image& capture, const TextLine& line, const TextField& field);

// The field's text as the glyph tables read it, with "?" for a glyph they do
// not know; blanks and look-alike rules as the readers have them.
std::string readField(const Image& capture, const TextLine& line, const TextField& field,
                      const GlyphTable& glyphs);

}  // namespace kestrova
