#include "client/fonts/FontGlyphs.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

namespace kestrova {

namespace {

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    return out;
}

// Which of characters drawn alike names their shape: letters and digits of
// names first, lower case before upper (names are mostly lower case), then
// ASCII, then the rest.
int namingRank(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return 0;
    }
    if (c >= '0' && c <= '9') {
        return 1;
    }
    if (c >= 'A' && c <= 'Z') {
        return 2;
    }
    return c < 0x80 ? 3 : 4;
}

// Grey within this much of the cut may fall either way in a capture...
constexpr int kNearCut = 1;
// ...and a glyph with this many such pixels at most gets every variant.
constexpr std::size_t kMaxNearCut = 4;

}  // namespace

std::string FontChoice::describe() const {
    return face.name() + ", " + std::to_string(pixelSize) + " px, " +
           (smoothing == Smoothing::Grey ? "smoothed" : "plain");
}

const std::u32string& windows1252Characters() {
    static const std::u32string characters = [] {
        std::u32string all;
        for (char32_t c = 0x21; c <= 0x7e; ++c) {
            all += c;
        }
        all += U"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
        for (char32_t c = 0xa1; c <= 0xff; ++c) {
            if (c != 0xad) {  // the soft hyphen draws nothing
                all += c;
            }
        }
        return all;
    }();
    return characters;
}

std::string signatureOf(const std::vector<std::uint32_t>& columns) {
    std::string signature;
    for (const std::uint32_t code : columns) {
        signature += std::to_string(code);
        signature += ',';
    }
    return signature;
}

int inkCut(Smoothing smoothing, int smoothPercent) {
    // The readers cut a pixel at the share of the line's contrast rounded
    // down, and the client's blending rounds its grey down too: in coverage
    // that is the share of 255 rounded down.
    return smoothing == Smoothing::Plain ? 128 : 255 * smoothPercent / 100;
}

std::vector<DrawnGlyph> drawGlyphs(RasterFont& font, const std::u32string& characters,
                                   int baseline, Smoothing smoothing, int smoothPercent) {
    const int threshold = inkCut(smoothing, smoothPercent);
    std::vector<DrawnGlyph> drawn;
    for (const char32_t c : characters) {
        const std::optional<GlyphBitmap> bitmap = font.glyph(c);
        if (!bitmap) {
            continue;
        }
        DrawnGlyph glyph;
        glyph.character = c;
        glyph.advance = bitmap->advance;
        std::vector<std::uint32_t> columns(static_cast<std::size_t>(bitmap->width), 0u);
        std::vector<std::pair<int, int>> nearCut;  // (column, row) of pixels near the cut
        int anyFirst = bitmap->width;
        int anyLast = -1;
        for (int y = 0; y < bitmap->rows; ++y) {
            for (int x = 0; x < bitmap->width; ++x) {
                if (bitmap->at(x, y) != 0) {
                    anyFirst = std::min(anyFirst, x);
                    anyLast = std::max(anyLast, x);
                }
            }
        }
        for (int y = 0; y < bitmap->rows; ++y) {
            const int row = baseline - bitmap->top + y;
            for (int x = 0; x < bitmap->width; ++x) {
                const int value = bitmap->at(x, y);
                if (smoothing == Smoothing::Grey && std::abs(value - threshold) <= kNearCut &&
                    row >= 0 && row < kFontTextRows) {
                    nearCut.emplace_back(x, row);
                }
                if (value < threshold) {
                    continue;
                }
                if (row < 0 || row >= kFontTextRows) {
                    glyph.clipped = true;
                    continue;
                }
                columns[static_cast<std::size_t>(x)] |= 1u << row;
            }
        }
        const auto addVariant = [&](const std::vector<std::uint32_t>& variant) {
            const auto from = std::find_if(variant.begin(), variant.end(), [](std::uint32_t v) { return v != 0; });
            const auto to = std::find_if(variant.rbegin(), variant.rend(), [](std::uint32_t v) { return v != 0; }).base();
            if (from < to && std::find(from, to, 0u) == to) {
                glyph.variants.emplace_back(from, to);
            }
        };
        // Every way the pixels near the cut may fall, for a few of them...
        if (!nearCut.empty() && nearCut.size() <= kMaxNearCut) {
            for (unsigned mask = 1; mask < (1u << nearCut.size()); ++mask) {
                std::vector<std::uint32_t> variant = columns;
                for (std::size_t i = 0; i < nearCut.size(); ++i) {
                    if ((mask & (1u << i)) != 0) {
                        variant[static_cast<std::size_t>(nearCut[i].first)] ^= 1u << nearCut[i].second;
                    }
                }
                addVariant(variant);
            }
        }
        // ...and all of them either way: a line's colours move the cut a little.
        if (nearCut.size() > kMaxNearCut) {
            std::vector<std::uint32_t> lower = columns;
            std::vector<std::uint32_t> higher = columns;
            for (const auto& [x, row] : nearCut) {
                const std::uint32_t bit = 1u << row;
                if ((columns[static_cast<std::size_t>(x)] & bit) != 0) {
                    higher[static_cast<std::size_t>(x)] &= ~bit;
                } else {
                    lower[static_cast<std::size_t>(x)] |= bit;
                }
            }
            addVariant(lower);
            addVariant(higher);
        }
        const auto first = std::find_if(columns.begin(), columns.end(), [](std::uint32_t v) { return v != 0; });
        if (first == columns.end()) {
            continue;  // no ink in the text rows
        }
        const auto last = std::find_if(columns.rbegin(), columns.rend(), [](std::uint32_t v) { return v != 0; }).base();
        glyph.inkLeft = bitmap->left + static_cast<int>(first - columns.begin());
        glyph.faintLeft = static_cast<int>(first - columns.begin()) - anyFirst;
        glyph.faintRight = anyLast - static_cast<int>(last - columns.begin() - 1);
        glyph.columns.assign(first, last);
        glyph.split = std::find(glyph.columns.begin(), glyph.columns.end(), 0u) != glyph.columns.end();
        drawn.push_back(std::move(glyph));
    }
    return drawn;
}

std::vector<GlyphTable::Entry> fontTableEntries(const std::vector<DrawnGlyph>& glyphs,
                                                const FontChoice& choice) {
    // Characters by shape, in the order of their rank.
    std::map<std::string, std::vector<char32_t>> shapes;
    std::vector<std::string> order;
    for (const DrawnGlyph& glyph : glyphs) {
        if (glyph.split) {
            continue;  // the readers never see it whole
        }
        const std::string signature = signatureOf(glyph.columns);
        auto [it, added] = shapes.try_emplace(signature);
        if (added) {
            order.push_back(signature);
        }
        it->second.push_back(glyph.character);
    }
    // A variant names its character only where no glyph is drawn so.
    std::map<std::string, char32_t> variants;
    for (const DrawnGlyph& glyph : glyphs) {
        for (const std::vector<std::uint32_t>& variant : glyph.variants) {
            const std::string signature = signatureOf(variant);
            if (shapes.count(signature) == 0) {
                const auto [it, added] = variants.try_emplace(signature, glyph.character);
                if (!added && it->second != glyph.character) {
                    it->second = 0;  // two characters could have drawn it
                }
            }
        }
    }
    GlyphTable::Settings settings;
    if (choice.smoothing == Smoothing::Grey) {
        settings.smoothPercent = choice.smoothPercent;
    }
    settings.font = choice.describe();
    if (choice.smoothing == Smoothing::Grey) {
        // The cut leaves faint edges out, so the gaps between letters widen by
        // them; a blank is what is wider still. A client sets letters at most
        // two columns of ink apart and a blank at five or more.
        int faintLeft = 0;
        int faintRight = 0;
        for (const DrawnGlyph& glyph : glyphs) {
            if (glyph.character < 0x80 && std::isalnum(static_cast<int>(glyph.character)) != 0) {
                faintLeft = std::max(faintLeft, glyph.faintLeft);
                faintRight = std::max(faintRight, glyph.faintRight);
            }
        }
        settings.wordGap = std::clamp(3 + faintLeft + faintRight, 3, 5);
    }
    std::vector<GlyphTable::Entry> entries;
    for (const std::string& signature : order) {
        std::vector<char32_t>& characters = shapes[signature];
        std::stable_sort(characters.begin(), characters.end(), [](char32_t a, char32_t b) {
            return namingRank(a) < namingRank(b);
        });
        if (characters.size() > 1 && namingRank(characters[1]) <= 3) {
            std::string group;
            for (const char32_t c : characters) {
                if (namingRank(c) <= 3) {
                    group += utf8(c);
                }
            }
            settings.alike.push_back(group);
        }
        entries.push_back({signature, utf8(characters.front())});
    }
    for (const auto& [signature, character] : variants) {
        if (character != 0) {
            entries.push_back({signature, utf8(character)});
        }
    }
    entries.insert(entries.begin(), {std::string(GlyphTable::kSettingsSignature), settings.format()});
    return entries;
}

std::string tableFileText(const std::vector<GlyphTable::Entry>& entries) {
    std::string text;
    for (const GlyphTable::Entry& entry : entries) {
        text += entry.signature + '\n' + entry.text + '\n';
    }
    return text;
}

}  // namespace kestrova
