#pragma once

#include "client/ocr/GlyphTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Reader-specific decisions on glyphs the table alone cannot tell apart.
// Asked once per glyph or glyph piece, never per pixel.
class GlyphRules {
public:
    virtual ~GlyphRules() = default;
    // Text for a glyph (or a piece of a split glyph, or its remainder) with
    // these column codes whose first column is at firstX, instead of the
    // table's; nullopt: the table decides.
    virtual std::optional<std::string_view> textFor(std::span<const std::uint32_t> columns,
                                                    int firstX) const = 0;
    // Whether a table entry may stand at firstX inside glyphs that touch;
    // false leaves it out of the explanations of that ink.
    virtual bool acceptsPrefix(std::span<const std::uint32_t> columns, int firstX) const = 0;
};

// Turns the pixel columns of one text line into text.
//
// Columns are fed left to right with their code (bit r = ink in row r; 0 = a
// column without ink). Consecutive ink columns form a glyph; an empty column
// or cut() ends it. A glyph is read through the table's map; when the map does
// not know it, it is explained as known glyphs that touch or overlap
// (InkSplitter), and reads "?" when it cannot be explained for certain.
//
// Blanks: after a glyph the empty columns are counted (the one that ends the
// glyph included); more than 3 after a glyph read as "1", more than 2 after
// any other, append one blank, and counting stops until the next glyph. A
// table that carries a learnt word gap replaces the rule: that many columns.
// cut() ends the glyph and stops counting, so no blank crosses a field
// boundary.
class TextLineRecogniser final {
public:
    explicit TextLineRecogniser(const GlyphTable& glyphs, const GlyphRules* rules = nullptr);

    // Columns of one glyph must come with consecutive x. Inline: most
    // columns of a line are empty.
    void addColumn(int x, std::uint32_t code) {
        if (code != 0) {
            if (!inGlyph_) {
                startGlyph(x);
            }
            columns_.push_back(code);
            return;
        }
        if (inGlyph_) {
            endGlyph();
        }
        if (countingBlanks_ && ++emptyColumns_ > blankThreshold_) {
            text_.push_back(' ');
            countingBlanks_ = false;
        }
    }
    void cut();

    const std::string& text() const { return text_; }
    // Returns the text read so far and starts a new one.
    std::string takeText();
    // Forgets everything: a new line.
    void reset();

private:
    void startGlyph(int x);
    void endGlyph();
    void appendGlyphText();

    const GlyphTable& glyphs_;
    const GlyphRules* rules_;
    std::string text_;
    std::vector<std::uint32_t> columns_;
    int glyphFirstX_ = 0;
    bool inGlyph_ = false;
    bool countingBlanks_ = false;
    int emptyColumns_ = 0;
    int blankThreshold_ = 2;
    std::optional<int> wordGap_;
};

}  // namespace kestrova
