#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// Characters a font draws with the very same pixels ("l" and "I" in most sans
// fonts, "|" too): the glyph table reads each group as one of them, and the
// word around the glyph decides. A table drawn from an installed font names
// its groups; other tables have none, and nothing changes.
class AlikeGlyphs final {
public:
    // Readings of a name tried at most.
    static constexpr std::size_t kMaxSpellings = 16;

    AlikeGlyphs() { groupOf_.fill(-1); }
    explicit AlikeGlyphs(const std::vector<std::string>& groups);

    bool empty() const { return groups_.empty(); }

    // The text with every alike glyph decided by the shape of its word: after
    // a lower-case letter it is lower case ("Makalu"), at the start of a word
    // before lower case a capital ("Ilgu"), among capitals a capital ("II"),
    // among digits a digit.
    std::string decided(std::string_view text) const;

    // The other texts the same pixels read as (the decided one left out), at
    // most kMaxSpellings - 1 of them; none when the text holds no alike glyph.
    std::vector<std::string> alternatives(std::string_view text) const;

private:
    char choose(const std::string& group, char before, char after, bool firstOfRun) const;

    std::vector<std::string> groups_;
    std::array<int, 256> groupOf_{};
};

}  // namespace kestrova
