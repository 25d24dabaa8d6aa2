#pragma once

#include "client/fonts/InstalledFonts.h"
#include "client/ocr/GlyphTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

// Smoothed text is cut at this share of the way to the text colour unless
// another reads the capture better (see FontFinder).
inline constexpr int kFontSmoothPercent = 40;

// An installed font as a client draws its lobby with it, and where its
// baseline falls in the readers' text lines.
struct FontChoice {
    FontFace face;
    int pixelSize = 0;
    Smoothing smoothing = Smoothing::Plain;
    int baseline = 9;  // the text-line row just below the baseline
    // Smoothed text: a pixel is ink from this share of the way to the text colour.
    int smoothPercent = kFontSmoothPercent;

    // "DejaVu Sans, 11 px, smoothed"
    std::string describe() const;
};

// Rows of a text line the readers look at: the seat lines' height.
inline constexpr int kFontTextRows = 12;

// A glyph drawn into the readers' text rows: its ink columns, as signatures hold them.
struct DrawnGlyph {
    char32_t character = 0;
    std::vector<std::uint32_t> columns;  // first to last ink column; bit r: row r
    int inkLeft = 0;                     // first ink column, relative to the pen
    int advance = 0;
    // Columns of faint ink the readers' cut leaves out of smoothed glyphs, left and right.
    int faintLeft = 0;
    int faintRight = 0;
    bool split = false;  // an empty column inside: the readers see pieces
    // Smoothed: the shapes it takes where pixels of nearly the cut's grey fall
    // either way (the client's blending rounds otherwise than this cut).
    std::vector<std::vector<std::uint32_t>> variants;
    bool clipped = false;  // ink outside the text rows was dropped
};

// The printable characters of Windows-1252, the client's code page.
const std::u32string& windows1252Characters();

// The coverage (0..255) from which a drawn pixel is ink, as the readers cut a capture.
int inkCut(Smoothing smoothing, int smoothPercent = kFontSmoothPercent);

// The characters drawn with `baseline` on text row `baseline` (the first row
// below it); smoothed glyphs are cut as the readers cut them.
std::vector<DrawnGlyph> drawGlyphs(RasterFont& font, const std::u32string& characters,
                                   int baseline, Smoothing smoothing,
                                   int smoothPercent = kFontSmoothPercent);

std::string signatureOf(const std::vector<std::uint32_t>& columns);

// A glyph table from a font: one entry per glyph shape (characters drawn
// alike share one, named by the likeliest of them), the settings line marked
// with the font and its look-alike groups, as the readers read them.
std::vector<GlyphTable::Entry> fontTableEntries(const std::vector<DrawnGlyph>& glyphs,
                                                const FontChoice& choice);

// The table file's bytes for these entries.
std::string tableFileText(const std::vector<GlyphTable::Entry>& entries);

}  // namespace kestrova
