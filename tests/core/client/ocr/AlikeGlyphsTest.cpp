#include "client/ocr/AlikeGlyphs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova {
namespace {

// A sans font that draws "l", "I" and "|" alike, and a face whose "O" is its "0":
// the table reads each group as its first character; the word decides.
TEST(AlikeGlyphs, TheWordDecidesWhatTheTableCannot) {
    const AlikeGlyphs alike({"lI|", "0O"});
    EXPECT_EQ(alike.decided("Makalu 32"), "Makalu 32");
    EXPECT_EQ(alike.decided("Makalu 32"), alike.decided("MakaIu 32"));
    EXPECT_EQ(alike.decided("llgu"), "Ilgu") << "a capital before lower case starts a word";
    EXPECT_EQ(alike.decided("Kathmandu ll"), "Kathmandu II") << "among capitals, capitals";
    EXPECT_EQ(alike.decided("$0.10/$0.25"), "$0.10/$0.25");
    EXPECT_EQ(alike.decided("Aconcagua 0ne"), "Aconcagua One");
    EXPECT_EQ(alike.decided("T0P"), "TOP");
    EXPECT_EQ(alike.decided("Table 20"), "Table 20");

    // Nothing else changes, and a table without groups changes nothing.
    EXPECT_EQ(alike.decided("Wivi_98 x"), "Wivi_98 x");
    EXPECT_EQ(AlikeGlyphs().decided("llgu"), "llgu");
}

// A name is the player's own choice: every other reading is kept beside the
// decided one, a bounded number of them.
TEST(AlikeGlyphs, ANameKeepsItsOtherReadings) {
    const AlikeGlyphs alike({"lI|"});
    const std::vector<std::string> others = alike.alternatives("llgu");
    EXPECT_EQ(others.size(), 8u);  // 3 x 3 readings less the decided "Ilgu"
    EXPECT_TRUE(std::find(others.begin(), others.end(), "llgu") != others.end());
    EXPECT_TRUE(std::find(others.begin(), others.end(), "Ilgu") == others.end());
    EXPECT_TRUE(alike.alternatives("Wivi").empty());
    EXPECT_EQ(alike.alternatives("lllllll").size(), AlikeGlyphs::kMaxSpellings - 1);
}

}  // namespace
}  // namespace kestrova
