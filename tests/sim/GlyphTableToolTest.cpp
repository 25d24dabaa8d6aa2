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

}  // namespace
}  // namespace kestrova::sim
