#pragma once

#include "client/ocr/GlyphTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrova {

class GlyphRules;

// Reads a run of ink the glyph map does not know as known glyphs that touch
// or overlap (kerning): each glyph's columns placed at a column offset,
// neighbours sharing up to kMaxOverlap columns, their union equal to the ink
// pixel for pixel. Of the explanations, the one with the fewest characters
// wins, then the one with the fewest shared columns. No explanation, or two equally
// good ones with different texts, give nullopt: the caller shows "?" rather
// than a wrong letter.
class InkSplitter final {
public:
    static constexpr int kMaxOverlap = 3;
    // Ink that would take more placements than this to explain reads "?":
    // no lobby text comes near, a crafted table or picture could.
    static constexpr std::size_t kMaxPlacements = 50000;

    InkSplitter(const GlyphTable& glyphs, const GlyphRules* rules) : glyphs_(glyphs), rules_(rules) {}

    // ink: the run's column codes, none of them 0; firstX: the run's first column.
    std::optional<std::string> read(std::span<const std::uint32_t> ink, int firstX) const;

private:
    const GlyphTable& glyphs_;
    const GlyphRules* rules_;
};

}  // namespace kestrova
