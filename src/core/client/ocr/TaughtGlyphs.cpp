#include "client/ocr/TaughtGlyphs.h"

#include <algorithm>

namespace kestrova {

namespace {

std::uint64_t hashOf(std::string_view signature) {
    // FNV-1a: the same on every platform, 64 bits wide everywhere.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : signature) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

TaughtGlyphs TaughtGlyphs::load(const std::filesystem::path& file, std::string* problem) {
    TaughtGlyphs taught;
    GlyphTable::forEachPair(
        file, [&](std::string_view signature, std::string_view text) { taught.add(signature, text); },
        problem);
    taught.sort();
    return taught;
}

TaughtGlyphs TaughtGlyphs::of(const GlyphTable& table) {
    TaughtGlyphs taught;
    for (const GlyphTable::Pair pair : table.entries()) {
        taught.add(pair.signature, pair.text);
    }
    taught.sort();
    return taught;
}

bool TaughtGlyphs::holds(std::string_view signature) const {
    return std::binary_search(signatures_.begin(), signatures_.end(), hashOf(signature));
}

void TaughtGlyphs::add(std::string_view signature, std::string_view text) {
    signatures_.push_back(hashOf(signature));
    if (!texts_.contains(text)) {
        texts_.emplace(text);
    }
}

void TaughtGlyphs::sort() {
    std::sort(signatures_.begin(), signatures_.end());
    signatures_.erase(std::unique(signatures_.begin(), signatures_.end()), signatures_.end());
    signatures_.shrink_to_fit();
}

}  // namespace kestrova
