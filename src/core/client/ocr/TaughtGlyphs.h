#pragma once

#include "client/ocr/GlyphTable.h"

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// What the user's own glyph table holds, as teaching asks it: whether a
// signature was taught before, and which texts were. The table itself is
// among the known glyphs already; this keeps eight bytes a pair (a hash of
// its signature) and the few distinct texts, not a second copy of the table.
class TaughtGlyphs {
public:
    // A missing file taught nothing; `problem` as GlyphTable::load gives it.
    static TaughtGlyphs load(const std::filesystem::path& file, std::string* problem = nullptr);
    static TaughtGlyphs of(const GlyphTable& table);

    bool holds(std::string_view signature) const;
    const std::set<std::string, std::less<>>& texts() const { return texts_; }

private:
    void add(std::string_view signature, std::string_view text);
    void sort();

    std::vector<std::uint64_t> signatures_;  // sorted hashes
    std::set<std::string, std::less<>> texts_;
};

}  // namespace kestrova
