#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kestrova::sim {

// The lobby's text font, laid out like a bitmap-font client: every character is
// rasterised on its own (no antialiasing, full hinting) and placed at an integer
// column, so a glyph's pixels never depend on its neighbours and its signature is
// the same wherever it is drawn. The gap between two glyphs' ink is the font's
// natural gap clamped to 0..2 columns; a space leaves at least kMinSpaceColumns.
//
// Style::kerning sets pairs as the font's kerning table says, so neighbours may
// share up to kMaxOverlap columns (their ink is the union); Style::antialias
// draws grey-smoothed glyphs, blended into what is under them.
//
// Needs a QGuiApplication.
class BitmapFont final {
public:
    static constexpr int kPixelSize = 11;
    // Rows are counted from the top of a text line; the baseline sits on this row.
    static constexpr int kBaselineRow = 9;
    // Every glyph's ink lies in these rows from the line top.
    static constexpr int kRows = 12;
    static constexpr int kMaxGap = 2;
    static constexpr int kMaxOverlap = 2;
    static constexpr int kMinSpaceColumns = 5;
    static constexpr int kMaxSpaceColumns = 7;

    struct Style {
        bool kerning = false;
        bool antialias = false;
    };

    struct Glyph {
        int inkLeft = 0;       // first ink column relative to the pen position
        int advance = 0;       // pen advance in whole pixels
        bool clipped = false;  // some ink fell outside the kRows rows (and was dropped)
        std::vector<std::uint32_t> columns;  // per ink column: bit r set = ink on row r
        // With antialiasing: coverage 0..255 per ink column and row (column-major).
        std::vector<std::uint8_t> coverage;
        int width() const { return static_cast<int>(columns.size()); }
    };

    struct PlacedGlyph {
        char32_t character = 0;
        int x = 0;  // first ink column, relative to the text's first ink column
    };

    // The DejaVu Sans file of the Debian fonts-dejavu-core package.
    static QString defaultFontFile();

    // Throws std::runtime_error when the file cannot be loaded as a font.
    explicit BitmapFont(const QString& fontFile = defaultFontFile());
    // An installed font family at any pixel size, for clients that draw their
    // lobby with another font. Throws std::runtime_error for an unknown family or
    // a size the text lines cannot hold.
    BitmapFont(const QString& family, int pixelSize);
    BitmapFont(const QString& family, int pixelSize, Style style);

    const Glyph& glyph(char32_t character) const;
    std::vector<PlacedGlyph> layout(const QString& text) const;
    // Columns from the first to the last ink column (0 for a blank text).
    int textWidth(const QString& text) const;
    // Draws text with its first ink column at x; nothing is drawn left of clipLeft
    // or at or right of clipRight, nor outside the image.
    void draw(QImage& image, int x, int lineTop, const QString& text, QRgb colour, int clipLeft,
              int clipRight) const;
    // Empty columns between two glyphs placed next to each other (no space between).
    int gapBetween(char32_t left, char32_t right) const;
    // Signature of one glyph ("511,"), as the recogniser builds it.
    static std::string signatureOf(const Glyph& glyph);
    std::string signatureOf(char32_t character) const { return signatureOf(glyph(character)); }

    const QString& family() const { return family_; }

private:
    Glyph rasterise(char32_t character) const;
    void setUp(int pixelSize);
    int naturalGap(char32_t left, char32_t right, int pendingSpace) const;

    QString family_;
    QFont font_;
    Style style_;
    mutable std::map<char32_t, Glyph> cache_;
};

}  // namespace kestrova::sim
