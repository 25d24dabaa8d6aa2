#pragma once

#include "common/Image.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kestrova::sim {

// The Win32 lobby's text font: Tahoma 11 px through GDI without antialiasing,
// every character rasterised on its own and placed at a whole column, so a
// glyph's signature is the same wherever it is drawn. Glyphs are kept one to
// two empty columns apart (never touching); a space leaves five to seven.
class GdiFont final {
public:
    static constexpr int kPixelHeight = 11;
    static constexpr int kBaselineRow = 9;
    static constexpr int kRows = 12;
    static constexpr int kMinGap = 1;
    static constexpr int kMaxGap = 2;
    static constexpr int kMinSpaceColumns = 5;
    static constexpr int kMaxSpaceColumns = 7;

    struct Glyph {
        int inkLeft = 0;
        int advance = 0;
        bool clipped = false;  // ink outside the kRows rows (dropped)
        std::vector<std::uint32_t> columns;
        int width() const { return static_cast<int>(columns.size()); }
    };

    GdiFont();
    ~GdiFont();
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    const Glyph& glyph(char character) const;
    // Draws text with its first ink column at x, inside [clipLeft, clipRight).
    void draw(Image& image, int x, int lineTop, const std::string& text, std::uint32_t colour,
              int clipLeft, int clipRight) const;

    // The characters the lobby shows, and the glyph table of this font: a
    // signature line and a text line per character. Problems (no ink, clipped,
    // split by an empty column, a shared signature) go to `problems`.
    static const char* characterSet();
    std::string glyphTable(std::vector<std::string>& problems) const;

private:
    Glyph rasterise(char character) const;

    void* font_ = nullptr;  // HFONT
    mutable std::map<char, Glyph> cache_;
};

}  // namespace kestrova::sim
