#include "client/ocr/InkSplitter.h"

#include "client/ocr/TextLineRecogniser.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kestrova {

namespace {

// One glyph placed at a column, reached from the best placements before it.
struct Placement {
    int shape = 0;
    int x = 0;
    int overlap = 0;  // columns shared with the glyph before it
    int glyphs = 0;   // characters read from the run's start up to this one
    int shared = 0;   // columns shared, summed over the same glyphs
    std::size_t textHash = 0;
    bool ambiguous = false;  // equally good ways here read differently
    int previous = -1;
    std::string_view text;
};

bool better(int glyphs, int shared, const Placement& than) {
    return glyphs < than.glyphs || (glyphs == than.glyphs && shared < than.shared);
}

int characterCount(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xc0u) != 0x80u;
    }));
}

// A hash of the text read so far, the same however it was cut into pieces.
std::size_t extendHash(std::size_t hash, std::string_view text) {
    for (const char c : text) {
        hash = hash * 1099511628211u + static_cast<unsigned char>(c) + 1u;
    }
    return hash;
}

}  // namespace

std::optional<std::string> InkSplitter::read(std::span<const std::uint32_t> ink,
                                             int firstX) const {
    const int width = static_cast<int>(ink.size());
    const auto shapes = glyphs_.shapes();
    if (width == 0 || shapes.empty()) {
        return std::nullopt;
    }
    const auto textOf = [&](int s, int x) -> std::string_view {
        const GlyphTable::Shape shape = shapes[static_cast<std::size_t>(s)];
        if (rules_ != nullptr) {
            if (const auto ruled = rules_->textFor(shape.columns, firstX + x)) {
                return *ruled;
            }
        }
        return *glyphs_.find(shape.columns);
    };

    // The glyphs whose every pixel at column x is ink.
    std::vector<std::vector<int>> fits(static_cast<std::size_t>(width));
    for (int s = 0; s < static_cast<int>(shapes.size()); ++s) {
        const GlyphTable::Shape shape = shapes[static_cast<std::size_t>(s)];
        const auto columns = shape.columns;
        const int w = static_cast<int>(columns.size());
        for (int x = 0; x + w <= width; ++x) {
            bool inside = true;
            for (int i = 0; i < w && inside; ++i) {
                inside = (columns[static_cast<std::size_t>(i)] & ~ink[static_cast<std::size_t>(x + i)]) == 0;
            }
            if (inside && (rules_ == nullptr ||
                           rules_->acceptsPrefix(shape.columns, firstX + x))) {
                fits[static_cast<std::size_t>(x)].push_back(s);
            }
        }
    }

    std::vector<Placement> placed;
    std::vector<std::vector<int>> at(static_cast<std::size_t>(width));  // placements by x
    bool overflowed = false;
    const auto offer = [&](int s, int x, int overlap, int from) {
        const Placement* before = from < 0 ? nullptr : &placed[static_cast<std::size_t>(from)];
        const std::string_view text = textOf(s, x);
        // Characters, not pieces: a learnt run of touching characters is no
        // better an explanation than its characters.
        const int glyphs = (before == nullptr ? 0 : before->glyphs) + characterCount(text);
        const int shared = (before == nullptr ? 0 : before->shared) + overlap;
        const std::size_t hash = extendHash(before == nullptr ? 0 : before->textHash, text);
        const bool ambiguous = before != nullptr && before->ambiguous;
        for (const int index : at[static_cast<std::size_t>(x)]) {
            Placement& p = placed[static_cast<std::size_t>(index)];
            if (p.shape != s || p.overlap != overlap) {
                continue;
            }
            if (better(glyphs, shared, p)) {
                p.glyphs = glyphs;
                p.shared = shared;
                p.textHash = hash;
                p.ambiguous = ambiguous;
                p.previous = from;
            } else if (!better(p.glyphs, p.shared, Placement{.glyphs = glyphs, .shared = shared})) {
                p.ambiguous = p.ambiguous || ambiguous || p.textHash != hash;
            }
            return;
        }
        if (placed.size() >= kMaxPlacements) {
            overflowed = true;
            return;
        }
        at[static_cast<std::size_t>(x)].push_back(static_cast<int>(placed.size()));
        placed.push_back(Placement{s, x, overlap, glyphs, shared, hash, ambiguous, from, text});
    };
    for (const int s : fits[0]) {
        offer(s, 0, 0, -1);
    }

    int best = -1;
    bool tied = false;
    for (int x = 0; x < width && !overflowed; ++x) {
        // Placements at x are only made from placements left of x.
        for (std::size_t k = 0; k < at[static_cast<std::size_t>(x)].size(); ++k) {
            const int index = at[static_cast<std::size_t>(x)][k];
            const Placement p = placed[static_cast<std::size_t>(index)];
            const auto columns = shapes[static_cast<std::size_t>(p.shape)].columns;
            const int w = static_cast<int>(columns.size());
            const int end = x + w;
            // Columns from the shared ones on that this glyph alone must explain.
            int exact = x + p.overlap;
            while (exact < end && columns[static_cast<std::size_t>(exact - x)] == ink[static_cast<std::size_t>(exact)]) {
                ++exact;
            }
            if (end == width) {
                if (exact == end) {
                    if (best < 0 || better(p.glyphs, p.shared, placed[static_cast<std::size_t>(best)])) {
                        best = index;
                        tied = false;
                    } else if (!better(placed[static_cast<std::size_t>(best)].glyphs,
                                       placed[static_cast<std::size_t>(best)].shared, p)) {
                        tied = tied || p.textHash != placed[static_cast<std::size_t>(best)].textHash;
                    }
                }
                continue;
            }
            for (int overlap = 0; overlap <= kMaxOverlap && overlap <= w - p.overlap && overlap < w;
                 ++overlap) {
                const int next = end - overlap;
                if (next > exact || next >= width) {
                    continue;
                }
                for (const int s : fits[static_cast<std::size_t>(next)]) {
                    const auto nextColumns = shapes[static_cast<std::size_t>(s)].columns;
                    if (static_cast<int>(nextColumns.size()) <= overlap) {
                        continue;
                    }
                    bool union_ = true;
                    for (int c = next; c < end && union_; ++c) {
                        union_ = (columns[static_cast<std::size_t>(c - x)] |
                                  nextColumns[static_cast<std::size_t>(c - next)]) ==
                                 ink[static_cast<std::size_t>(c)];
                    }
                    if (union_) {
                        offer(s, next, overlap, index);
                    }
                }
            }
        }
    }
    if (overflowed || best < 0 || tied || placed[static_cast<std::size_t>(best)].ambiguous) {
        return std::nullopt;
    }
    std::vector<std::string_view> texts;
    for (int i = best; i >= 0; i = placed[static_cast<std::size_t>(i)].previous) {
        texts.push_back(placed[static_cast<std::size_t>(i)].text);
    }
    std::string text;
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        text += *it;
    }
    return text;
}

}  // namespace kestrova
