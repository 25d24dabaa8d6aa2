#pragma once

#include "sim/BitmapFont.h"

#include <QString>

#include <string>
#include <vector>

namespace kestrova::sim {

// Builds the glyph table for the simulator's font: one entry per character the
// lobby shows, and one per pair of characters whose glyphs touch (no empty column
// between them), then checks that the recogniser reads every entry, every touching
// chain of three, and every character on its own, back as its text.
class GlyphTableBuilder final {
public:
    struct Entry {
        std::string signature;
        std::string text;
    };

    explicit GlyphTableBuilder(const BitmapFont& font);

    // Letters, digits and the punctuation of names, stakes, pots and chip counts.
    static QString characterSet();

    void build();
    const std::vector<Entry>& entries() const { return entries_; }
    // Two texts with one signature, glyphs cut by the 12-row limit or split by an
    // empty column, signatures a reader treats specially, and chains read back wrongly.
    const std::vector<std::string>& problems() const { return problems_; }
    int touchingPairs() const { return touchingPairs_; }
    int checkedChains() const { return checkedChains_; }

    // The table file: signature line, text line, each ended by a line feed.
    std::string fileText() const;

private:
    void add(const std::string& signature, const std::string& text);
    void checkSpecialSignatures();
    void checkChains();

    const BitmapFont& font_;
    std::vector<Entry> entries_;
    std::vector<std::string> problems_;
    int touchingPairs_ = 0;
    int checkedChains_ = 0;
};

}  // namespace kestrova::sim
