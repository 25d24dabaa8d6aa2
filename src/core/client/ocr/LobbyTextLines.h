#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/SmoothedInk.h"
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
// top + 1) in the other rows and the seat lines. With smoothed text (a table
// that says "smooth") a pixel half-way to the text colour or more, as the
// readers see it then. A column that is ink from top to bottom is a border, not
// a glyph.

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
    std::optional<HalfwayInk> smoothedInk;  // set for smoothed text
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

// smoothPercent: the font's smoothed-text rule (GlyphTable::smoothPercent()).
TextLine listLine(const Image& capture, int top, bool selected,
                  std::optional<int> smoothPercent = {});
// Gives lines the smoothed-text rule, each from its own text's contrast.
void smoothLines(const Image& capture, std::vector<TextLine>& lines, int smoothPercent);
// The seat area's ten lines where the seat reader finds them.
std::vector<TextLine> seatLines(const Image& capture, std::optional<int> smoothPercent = {});

// The top of the highlighted row: the first row of the highlight colour at list
// left + 2, from the top of the capture.
std::optional<int> findHighlightTop(const Image& capture);
// The list's lines where the lobby reader's grid puts them, every one whose 16
// rows are inside the list and the capture.
std::vector<TextLine> listLines(const Image& capture, const LobbyGeometry& geometry,
                                std::optional<int> smoothPercent = {});
// Whether the lines' text is grey-smoothed: many of its pixels lie between
// the background and the text colour.
bool looksSmoothed(const Image& capture, const std::vector<TextLine>& lines);

std::vector<InkGlyph> glyphsIn(const Image& capture, const TextLine& line, const TextField& field);

// The field's text as the glyph tables read it, with "?" for a glyph they do
// not know; blanks and look-alike rules as the readers have them.
std::string readField(const Image& capture, const TextLine& line, const TextField& field,
                      const GlyphTable& glyphs);

}  // namespace kestrova
