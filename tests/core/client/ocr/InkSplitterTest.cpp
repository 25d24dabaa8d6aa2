#include "client/ocr/InkSplitter.h"

#include "client/ocr/TextLineRecogniser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrova {
namespace {

// Four rows: "I" a full column, "L" one with a foot, "T" a bar with a stem.
GlyphTable strokes() {
    GlyphTable table;
    table.add("15,", "I");
    table.add("15,8,", "L");
    table.add("1,15,1,", "T");
    return table;
}

std::optional<std::string> split(const GlyphTable& table, std::vector<std::uint32_t> ink,
                                 const GlyphRules* rules = nullptr) {
    return InkSplitter(table, rules).read(ink, 100);
}

// Refuses one shape at one column of the line, and reads another as it says.
class Rules final : public GlyphRules {
public:
    std::vector<std::uint32_t> refused;
    int refusedAt = -1;
    std::vector<std::uint32_t> renamed;

    std::optional<std::string_view> textFor(std::span<const std::uint32_t> columns,
                                            int) const override {
        if (std::ranges::equal(columns, renamed))
            return "t";
        return std::nullopt;
    }
    bool acceptsPrefix(std::span<const std::uint32_t> columns, int firstX) const override {
        return !(std::ranges::equal(columns, refused) && firstX == refusedAt);
    }
};

}  // namespace

// Glyphs set side by side or sharing a column are read as the shapes whose
// union the ink is; the fewest characters win over the same ink cut smaller.
TEST(InkSplitter, TouchingAndOverlappingInkIsReadAsItsShapes) {
    GlyphTable table = strokes();
    EXPECT_EQ(split(table, {15, 8, 1, 15, 1}), "LT");
    EXPECT_EQ(split(table, {1, 15, 15, 8}), "TL");  // T's last column under L's first
    EXPECT_EQ(split(table, {15, 15, 8}), "IL");

    table.add("15,8,15,", "U");
    EXPECT_EQ(split(table, {15, 8, 15, 1, 15, 1}), "UT");
}

// Ink no shapes explain, or two readings equally good, is not read: the
// caller shows "?" rather than a wrong letter.
TEST(InkSplitter, InkExplainedNotAtAllOrTwiceIsNotRead) {
    const GlyphTable table = strokes();
    EXPECT_EQ(split(table, {2}), std::nullopt);
    EXPECT_EQ(split(table, {15, 8, 2}), std::nullopt);
    EXPECT_EQ(split(GlyphTable(), {15, 8}), std::nullopt);

    GlyphTable twice;
    twice.add("3,", "p");
    twice.add("3,3,", "q");
    EXPECT_EQ(split(twice, {3, 3, 3}), std::nullopt);  // "pq" or "qp"
}

// A reader's rules decide where a shape may stand and what it reads.
TEST(InkSplitter, ReadersRulesPlaceAndNameShapes) {
    const GlyphTable table = strokes();
    Rules rules;
    rules.renamed = {1, 15, 1};
    EXPECT_EQ(split(table, {15, 8, 1, 15, 1}, &rules), "Lt");

    rules.refused = {15, 8};
    rules.refusedAt = 100;
    EXPECT_EQ(split(table, {15, 8, 1, 15, 1}, &rules), std::nullopt);
    rules.refusedAt = 101;
    EXPECT_EQ(split(table, {15, 8, 1, 15, 1}, &rules), "Lt");
}

}  // namespace kestrova
