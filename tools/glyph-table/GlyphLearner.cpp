#include "GlyphLearner.h"

#include <algorithm>

namespace kestrova::sim {

namespace {

struct FoundGlyph {
    int x = 0;
    std::string signature;
};

bool isInk(QRgb pixel, QRgb background, GlyphLearner::Ink ink) {
    if (ink == GlyphLearner::Ink::White) {
        return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
    }
    return (pixel & 0xffffffu) != (background & 0xffffffu);
}

std::vector<FoundGlyph> findGlyphs(const QImage& image, const GlyphLearner::Line& line) {
    const int rows = GlyphLearner::rowsFor(line.ink);
    const int xBegin = std::max(line.xBegin, 0);
    const int xEnd = std::min(line.xEnd, image.width());
    const QRgb background =
        image.valid(xBegin, line.top + 1) ? image.pixel(xBegin, line.top + 1) : 0u;
    std::vector<FoundGlyph> glyphs;
    bool inGlyph = false;
    for (int x = xBegin; x < xEnd; ++x) {
        std::uint32_t code = 0;
        int inkRows = 0;
        for (int row = 0; row < rows; ++row) {
            const int y = line.top + row;
            if (image.valid(x, y) && isInk(image.pixel(x, y), background, line.ink)) {
                code |= 1u << row;
                ++inkRows;
            }
        }
        // A column that is ink from top to bottom is a border, not a glyph.
        if (line.ink == GlyphLearner::Ink::DiffersFromBackground && inkRows == rows) {
            code = 0;
        }
        if (code == 0) {
            inGlyph = false;
            continue;
        }
        if (!inGlyph) {
            glyphs.push_back({x, {}});
            inGlyph = true;
        }
        glyphs.back().signature += std::to_string(code) + ',';
    }
    return glyphs;
}

}  // namespace

GlyphTable GlyphLearner::knownGlyphs(const std::filesystem::path& knownFile,
                                     const std::filesystem::path& tableFile, std::string* problem) {
    GlyphTable known = GlyphTable::load(knownFile, problem);
    if (problem->empty()) {
        known.readFile(tableFile, problem);
    }
    return known;
}

GlyphLearner::Result GlyphLearner::learn(const QImage& image, const Line& line,
                                         const GlyphTable& known) {
    Result result;
    std::u32string characters;
    for (const char32_t c : line.text.toUcs4()) {
        if (c != U' ') {
            characters.push_back(c);
        }
    }
    const std::vector<FoundGlyph> glyphs = findGlyphs(image, line);
    auto textOf = [&](std::size_t from, std::size_t count) {
        return QString::fromStdU32String(characters.substr(from, count)).toStdString();
    };

    const auto unknownGlyphs =
        std::count_if(glyphs.begin(), glyphs.end(),
                      [&](const FoundGlyph& g) { return known.find(g.signature) == nullptr; });
    std::size_t next = 0;  // next character to attribute
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const FoundGlyph& glyph = glyphs[i];
        const std::size_t glyphsLeft = glyphs.size() - i - 1;
        if (next >= characters.size()) {
            result.unattributed.push_back("glyph at x " + std::to_string(glyph.x) +
                                          " has no character left in the text");
            continue;
        }
        if (const std::string* text = known.find(glyph.signature)) {
            if (textOf(next, QString::fromStdString(*text).toStdU32String().size()) == *text) {
                next += QString::fromStdString(*text).toStdU32String().size();
                continue;
            }
        }
        // Unknown glyph: one character when the counts match; the whole surplus when
        // it is the only unknown glyph (touching glyphs); otherwise it cannot be told.
        const std::size_t charactersLeft = characters.size() - next;
        std::size_t count = 1;
        if (charactersLeft > glyphsLeft + 1) {
            std::size_t knownAfter = 0;
            bool allKnown = true;
            for (std::size_t j = i + 1; j < glyphs.size() && allKnown; ++j) {
                const std::string* text = known.find(glyphs[j].signature);
                allKnown = text != nullptr;
                if (allKnown) {
                    knownAfter += QString::fromStdString(*text).toStdU32String().size();
                }
            }
            if (unknownGlyphs != 1 || !allKnown || knownAfter >= charactersLeft) {
                result.unattributed.push_back(
                    std::to_string(glyphsLeft + 1) + " glyph(s) from x " + std::to_string(glyph.x) +
                    " for \"" + textOf(next, std::string::npos) +
                    "\": touching glyphs, cannot tell which holds more than one character");
                return result;
            }
            count = charactersLeft - knownAfter;
        }
        const std::string text = textOf(next, count);
        next += count;
        const bool duplicate =
            std::any_of(result.learnt.begin(), result.learnt.end(),
                        [&](const GlyphTable::Entry& e) { return e.signature == glyph.signature; });
        if (!duplicate) {
            result.learnt.push_back({glyph.signature, text});
        }
    }
    if (next < characters.size()) {
        result.unattributed.push_back("no glyph found for \"" + textOf(next, std::string::npos) +
                                      "\"");
    }
    return result;
}

}  // namespace kestrova::sim
