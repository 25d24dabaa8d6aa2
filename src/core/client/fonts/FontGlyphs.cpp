#include "client/fonts/FontGlyphs.h"

#include <algorithm>
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

std::vector<DrawnGlyph> drawGlyphs(RasterFont& font, const std::u32string& characters,
                                   int baseline, Smoothing smoothing) {
    // The readers' cut: full ink when plain, the set share of it when smoothed.
    const int threshold = smoothing == Smoothing::Plain ? 128 : (255 * kFontSmoothPercent + 99) / 100;
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
        for (int y = 0; y < bitmap->rows; ++y) {
            const int row = baseline - bitmap->top + y;
            for (int x = 0; x < bitmap->width; ++x) {
                if (bitmap->at(x, y) < threshold) {
                    continue;
                }
                if (row < 0 || row >= kFontTextRows) {
                    glyph.clipped = true;
                    continue;
                }
                columns[static_cast<std::size_t>(x)] |= 1u << row;
            }
        }
        const auto first = std::find_if(columns.begin(), columns.end(), [](std::uint32_t v) { return v != 0; });
        if (first == columns.end()) {
            continue;  // no ink in the text rows
        }
        const auto last = std::find_if(columns.rbegin(), columns.rend(), [](std::uint32_t v) { return v != 0; }).base();
        glyph.inkLeft = bitmap->left + static_cast<int>(first - columns.begin());
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
    GlyphTable::Settings settings;
    if (choice.smoothing == Smoothing::Grey) {
        settings.smoothPercent = kFontSmoothPercent;
    }
    settings.font = choice.describe();
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
