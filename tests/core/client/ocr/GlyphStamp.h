#pragma once

#include "client/ocr/GlyphTable.h"
#include "common/Image.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::testing {

// Column codes of a signature: "1022,4," -> {1022, 4}.
std::vector<std::uint32_t> columnsOf(std::string_view signature);

// Paints the ink of a signature with its first column at x and row 0 at top;
// pixels outside the image are left out. Returns the number of columns.
int stamp(Image& image, int x, int top, std::string_view signature, std::uint32_t ink);

void fill(Image& image, int left, int top, int right, int bottom, std::uint32_t argb);

// The top-left width x height of image; pixels beyond it are `outside`.
Image cropped(const Image& image, int width, int height, std::uint32_t outside);

// A small made-up font: every character used by the tests has a signature of
// its own that fits 12 rows; a few follow the shapes the readers treat
// specially ("1", ".", "l", "m", "r", "n").
class TestFont {
public:
    TestFont();

    const std::string& signature(char c) const { return signatures_.at(c); }
    // The glyph table text: one pair per character.
    std::string tableText() const;
    GlyphTable table() const;

    // Paints text; glyphs are `gap` empty columns apart, a blank is 5 empty
    // columns. Returns the x after the last glyph.
    int draw(Image& image, int x, int top, std::string_view text, std::uint32_t ink,
             int gap = 1) const;

private:
    std::map<char, std::string> signatures_;
};

}  // namespace kestrova::testing
