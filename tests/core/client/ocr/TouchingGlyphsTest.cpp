#include "client/ocr/TouchingGlyphs.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kestrova::fontlearning {
namespace {

// Four rows: "L" a column with a foot, "T" a bar with a stem, "-" a dash.
constexpr const char* kL = "15,8,";
constexpr const char* kT = "1,15,1,";

GlyphTable knowingL() {
    GlyphTable table;
    table.add(kL, "L");
    return table;
}

}  // namespace

// A known character is peeled off either end of a run; the one left alone is
// learnt, and what it teaches peels the next runs.
TEST(TouchingGlyphs, KnownEndsArePeeledAndTheRestLearnt) {
    std::map<std::string, std::string> textOf{{"15,8,1,15,1,", "LT"}, {"1,15,1,4,", "T-"}};
    const std::set<std::string> learnt = peelKnownGlyphs(knowingL(), textOf, {});
    EXPECT_EQ(textOf[kT], "T");
    EXPECT_EQ(textOf["4,"], "-");
    EXPECT_TRUE(learnt.contains(kT));
    EXPECT_TRUE(learnt.contains("4,"));
    EXPECT_TRUE(learnt.contains("15,8,1,15,1,")) << "the runs stay a fast path";

    // A character drawn in the lines counts as known too.
    std::map<std::string, std::string> fromLines{{"1,15,1,15,8,", "TL"}};
    peelKnownGlyphs(GlyphTable(), fromLines, {{"T", {{kT, 2}}}});
    EXPECT_EQ(fromLines[kL], "L");
}

// A neighbour that shares columns (kerning) leaves no piece that is surely
// the character's own: nothing is learnt from it.
TEST(TouchingGlyphs, PiecesSharingColumnsWithANeighbourAreNotLearnt) {
    // T's bar under L's foot: column 1 holds pixels of both.
    std::map<std::string, std::string> textOf{{"15,9,15,1,", "LT"}};
    peelKnownGlyphs(knowingL(), textOf, {});
    EXPECT_EQ(textOf.size(), 1u);
}

TEST(TouchingGlyphs, InkIsTouchingCharactersOnlyAsTheyAreDrawnElsewhere) {
    const DrawnWays drawn{{"L", {{kL, 3}}}, {"T", {{kT, 1}}}};
    const std::vector<std::string> lt{"L", "T"};
    EXPECT_TRUE(canBeTouching("15,8,1,15,1,", lt, 0, 2, drawn));
    EXPECT_TRUE(canBeTouching("15,9,15,1,", lt, 0, 2, drawn)) << "kerned";
    EXPECT_FALSE(canBeTouching("15,8,2,15,1,", lt, 0, 2, drawn));
    EXPECT_FALSE(canBeTouching("15,8,1,15,1,", {"T", "L"}, 0, 2, drawn));
}

}  // namespace kestrova::fontlearning
