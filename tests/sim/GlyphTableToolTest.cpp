#include "GlyphTableBuilder.h"
#include "client/ocr/GlyphTable.h"
#include "sim/BitmapFont.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestrova::sim {
namespace {

TEST(GlyphTableTool, TheFontHasNoCollisionsAndTheShippedTableIsCurrent) {
    const BitmapFont font;
    GlyphTableBuilder builder(font);
    builder.build();
    for (const std::string& problem : builder.problems()) {
        ADD_FAILURE() << problem;
    }
    EXPECT_GT(builder.touchingPairs(), 0) << "some pairs must touch";
    std::ifstream shipped(KESTROVA_DATA_DIR "/ocr.txt", std::ios::binary);
    std::stringstream content;
    content << shipped.rdbuf();
    EXPECT_TRUE(content.str() == builder.fileText())
        << "data/ocr.txt differs from what glyph-table writes now; run glyph-table";
}

TEST(GlyphTableTool, LayoutKeepsGapsWithinWhatTheReaderJoins) {
    const BitmapFont font;
    const QString text = QStringLiteral("rnm lI1_x'y.z");
    const auto placed = font.layout(text);
    ASSERT_EQ(placed.size(), 12u);
    for (std::size_t i = 1; i < placed.size(); ++i) {
        const int previousEnd = placed[i - 1].x + font.glyph(placed[i - 1].character).width();
        const int gap = placed[i].x - previousEnd;
        if (i == 3) {
            EXPECT_GE(gap, BitmapFont::kMinSpaceColumns);  // the space
        } else {
            EXPECT_GE(gap, 0);
            EXPECT_LE(gap, BitmapFont::kMaxGap);
        }
    }
}

}  // namespace
}  // namespace kestrova::sim
