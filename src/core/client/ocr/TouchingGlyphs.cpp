#include "client/ocr/TouchingGlyphs.h"

#include "client/ocr/InkSplitter.h"
#include "client/ocr/TypedWords.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>

namespace kestrova::fontlearning {

namespace {

// One way a character is drawn: its columns, and its signature (which orders
// ways of equal width).
struct Way {
    std::span<const std::uint32_t> columns;
    std::string_view signature;
};

// Widest first: a narrower way may be part of a wider one ("_" beside "__").
void sortWays(std::vector<Way>& ways) {
    std::sort(ways.begin(), ways.end(), [](const Way& a, const Way& b) {
        return a.columns.size() != b.columns.size() ? a.columns.size() > b.columns.size()
                                                    : a.signature < b.signature;
    });
    ways.erase(std::unique(ways.begin(), ways.end(),
                           [](const Way& a, const Way& b) { return a.signature == b.signature; }),
               ways.end());
}

// Takes a known way of drawing a run's first (or last) character off the run,
// sharing as few columns with the rest as the pixels allow; false when none
// fits and leaves something. `ways` widest first. `sharedColumns` (when
// given) gets the columns shared.
bool peelOff(std::vector<std::uint32_t>& rest, const std::vector<Way>& ways, bool left,
             std::size_t* sharedColumns = nullptr) {
    for (const Way& way : ways) {
        const std::span<const std::uint32_t> shape = way.columns;
        const std::size_t w = shape.size();
        if (w == 0 || w >= rest.size()) {
            continue;
        }
        const std::size_t base = left ? 0 : rest.size() - w;
        for (std::size_t shared = 0; shared <= InkSplitter::kMaxOverlap && shared < w; ++shared) {
            // Columns of the shape that only it covers, and those it shares.
            const std::size_t ownFrom = left ? 0 : shared;
            const std::size_t ownTo = left ? w - shared : w;
            bool fits = true;
            for (std::size_t i = 0; i < w && fits; ++i) {
                const std::uint32_t ink = rest[base + i];
                fits = i >= ownFrom && i < ownTo
                           ? ink == shape[i]
                           : (shape[i] & ~ink) == 0 && (ink & ~shape[i]) != 0;
            }
            if (!fits) {
                continue;
            }
            std::vector<std::uint32_t> remainder;
            for (std::size_t i = 0; i < rest.size(); ++i) {
                const bool inShape = i >= base && i < base + w;
                const std::size_t k = i - base;
                if (inShape && k >= ownFrom && k < ownTo) {
                    continue;
                }
                remainder.push_back(inShape ? rest[i] & ~shape[k] : rest[i]);
            }
            rest = std::move(remainder);
            if (sharedColumns != nullptr) {
                *sharedColumns = shared;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

bool canBeTouching(const std::string& signature, const std::vector<std::string>& characters,
                   std::size_t from, std::size_t count, const DrawnWays& drawn) {
    const auto sigsOf = [&drawn](const std::string& c) -> const std::map<std::string, int>* {
        const auto it = drawn.find(c);
        return it == drawn.end() ? nullptr : &it->second;
    };
    // Every character takes a column of its own at least.
    if (static_cast<std::size_t>(std::count(signature.begin(), signature.end(), ',')) < count) {
        return false;
    }
    std::function<bool(std::size_t, std::size_t)> match = [&](std::size_t pos,
                                                              std::size_t i) -> bool {
        if (i == from + count) {
            return pos == signature.size();
        }
        if (const auto* ways = sigsOf(characters[i])) {
            for (const auto& [way, times] : *ways) {
                if (signature.compare(pos, way.size(), way) == 0 &&
                    match(pos + way.size(), i + 1)) {
                    return true;
                }
            }
            return false;
        }
        for (std::size_t end = signature.find(',', pos); end != std::string::npos;
             end = signature.find(',', end + 1)) {
            if (match(end + 1, i + 1)) {
                return true;
            }
        }
        return false;
    };
    if (match(0, from)) {
        return true;
    }
    // Kerning: the characters may share columns. Known ones must then
    // explain the ink together, or be taken off its ends.
    GlyphTable ways;
    bool allKnown = true;
    for (std::size_t i = from; i < from + count; ++i) {
        if (const auto* drawnAs = sigsOf(characters[i])) {
            for (const auto& [way, times] : *drawnAs) {
                ways.add(way, characters[i]);
            }
        } else {
            allKnown = false;
        }
    }
    std::vector<std::uint32_t> rest = GlyphTable::columnsOf(signature);
    if (allKnown) {
        const std::optional<std::string> read = InkSplitter(ways, nullptr).read(rest, 0);
        return read && *read == joined(characters, from, count);
    }
    std::deque<std::vector<std::uint32_t>> columns;
    const auto waysOf = [&](std::size_t i) {
        std::vector<Way> out;
        for (const auto& [way, times] : *sigsOf(characters[i])) {
            out.push_back({columns.emplace_back(GlyphTable::columnsOf(way)), way});
        }
        sortWays(out);
        return out;
    };
    std::size_t first = from;
    std::size_t last = from + count;
    for (; sigsOf(characters[first]) != nullptr; ++first) {
        if (!peelOff(rest, waysOf(first), true)) {
            return false;
        }
    }
    for (; sigsOf(characters[last - 1]) != nullptr; --last) {
        if (!peelOff(rest, waysOf(last - 1), false)) {
            return false;
        }
    }
    return true;
}

std::set<std::string> peelKnownGlyphs(const GlyphTable& known,
                                      std::map<std::string, std::string>& textOf,
                                      const DrawnWays& drawn) {
    // Every way each character is known to be drawn: here, or in the tables
    // (their own shapes, not copies: a user's table may hold millions).
    std::deque<std::vector<std::uint32_t>> columns;
    std::map<std::string, std::vector<Way>> shapesOf;
    const auto addWay = [&](const std::string& c, std::string_view signature) {
        shapesOf[c].push_back({columns.emplace_back(GlyphTable::columnsOf(signature)), signature});
    };
    for (const auto& [c, ways] : drawn) {
        for (const auto& [signature, times] : ways) {
            addWay(c, signature);
        }
    }
    for (const GlyphTable::Shape shape : known.shapes()) {
        const std::optional<std::string_view> text = known.find(shape.signature);
        if (text && characters(*text).size() == 1) {
            shapesOf[std::string(*text)].push_back({shape.columns, shape.signature});
        }
    }
    for (auto& [c, ways] : shapesOf) {
        sortWays(ways);
    }
    std::set<std::string> learnt;
    for (bool progress = true; progress;) {
        std::map<std::string, std::string> found;  // signature -> character
        for (const auto& [signature, text] : textOf) {
            const std::vector<std::string> chars = characters(text);
            std::vector<std::uint32_t> rest = GlyphTable::columnsOf(signature);
            std::size_t from = 0;
            std::size_t to = chars.size();
            // Pixels a neighbour shares are not known to be the piece's own:
            // a piece left after a kerned neighbour is not learnt.
            bool clean = true;
            const auto peel = [&](bool left) {
                std::size_t shared = 0;
                if (peelOff(rest, shapesOf[chars[left ? from : to - 1]], left, &shared)) {
                    left ? ++from : --to;
                    clean = clean && shared == 0;
                    return true;
                }
                return false;
            };
            while (to - from > 1 && peel(true)) {
            }
            while (to - from > 1 && peel(false)) {
            }
            if (chars.size() > 1 && to - from == 1 && clean) {
                std::string piece;
                for (const std::uint32_t code : rest) {
                    piece += std::to_string(code) + ',';
                }
                if (!textOf.contains(piece) && !known.find(piece)) {
                    found.emplace(piece, chars[from]);
                }
            }
        }
        for (const auto& [signature, c] : found) {
            addWay(c, textOf.emplace(signature, c).first->first);
            sortWays(shapesOf[c]);
            learnt.insert(signature);
        }
        progress = !found.empty();
    }
    // The runs themselves stay a fast path for the readers.
    for (const auto& [signature, text] : textOf) {
        if (characters(text).size() > 1) {
            learnt.insert(signature);
        }
    }
    return learnt;
}

}  // namespace kestrova::fontlearning
