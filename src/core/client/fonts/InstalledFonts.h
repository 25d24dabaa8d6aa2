#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// One face of a font file the client could draw its lobby with.
struct FontFace {
    std::string family;
    std::string style;  // "Regular", "Bold", ...
    std::filesystem::path file;
    int index = 0;  // the face inside a collection (.ttc)

    std::string name() const { return style.empty() ? family : family + " " + style; }
};

// A glyph as the platform's rasteriser draws it at a pixel size.
struct GlyphBitmap {
    int left = 0;     // first bitmap column, relative to the pen position
    int top = 0;      // rows of the bitmap above the baseline
    int width = 0;
    int rows = 0;
    int advance = 0;  // pen advance in whole pixels
    // rows x width, row by row: 0 (paper) to 255 (full ink); plain glyphs hold 0 or 255.
    std::vector<std::uint8_t> coverage;

    std::uint8_t at(int x, int y) const {
        return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)];
    }
};

enum class Smoothing { Plain, Grey };

// One face opened at one pixel size and smoothing.
class RasterFont {
public:
    virtual ~RasterFont() = default;
    // Nothing when the face has no glyph for the character.
    virtual std::optional<GlyphBitmap> glyph(char32_t character) = 0;
    // The pair's kerning in whole pixels (0 when the face has none).
    virtual int kerning(char32_t left, char32_t right) = 0;
    // Draws at another pixel size from now on; false when the face has none such.
    virtual bool resize(int pixelSize) = 0;
};

// The fonts installed where the client runs: on Linux those fontconfig knows
// and Wine's own font folders (the system one and the prefix's windows/Fonts),
// drawn by FreeType; on Windows the system's fonts, drawn by GDI as the client
// draws them. Each platform brings its own implementation file.
class InstalledFonts {
public:
    // Regular faces with the Latin letters and digits a lobby shows, one per
    // file and face, in a stable order. `problem` gets why the list is empty.
    static std::vector<FontFace> list(std::string* problem = nullptr);
    // Wine's font folders that exist: the system's and $WINEPREFIX's (~/.wine).
    static std::vector<std::filesystem::path> wineFolders();
    // Nothing, with the reason, when the face cannot be opened at that size.
    static std::unique_ptr<RasterFont> open(const FontFace& face, int pixelSize,
                                            Smoothing smoothing, std::string* problem = nullptr);
};

}  // namespace kestrova
