#include "client/ocr/TextLineRecogniser.h"

#include "GlyphStamp.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kestrova {
namespace {

using testing::columnsOf;

// Feeds glyphs and gaps to a recogniser the way a reader does.
class Feeder {
public:
    explicit Feeder(TextLineRecogniser& recogniser) : recogniser_(recogniser) {}

    Feeder& glyph(std::string_view signature) {
        for (const std::uint32_t code : columnsOf(signature)) {
            recogniser_.addColumn(x_++, code);
        }
        return *this;
    }
    Feeder& gap(int columns) {
        for (int i = 0; i < columns; ++i) {
            recogniser_.addColumn(x_++, 0);
        }
        return *this;
    }

private:
    TextLineRecogniser& recogniser_;
    int x_ = 0;
};

class TextLineRecogniserTest : public ::testing::Test {
protected:
    testing::TestFont font;
    GlyphTable table = font.table();
    TextLineRecogniser recogniser{table};
    Feeder feed{recogniser};

    std::string sig(char c) const { return font.signature(c); }
};

TEST_F(TextLineRecogniserTest, KnownGlyphsAreReadThroughTheMap) {
    feed.glyph(sig('A')).gap(1).glyph(sig('b')).gap(1).glyph(sig('1')).gap(1);
    EXPECT_EQ(recogniser.text(), "Ab1");
}

TEST_F(TextLineRecogniserTest, TouchingRAndNAreSplitIntoRn) {
    feed.glyph(sig('r') + sig('n')).gap(1);
    EXPECT_EQ(recogniser.text(), "rn");
}

TEST_F(TextLineRecogniserTest, SplitRestartsFromTheLongestAfterEveryMatch) {
    // "m" is longer than "n": after "r" the split must start again from the top.
    feed.glyph(sig('r') + sig('m') + sig('n') + sig('1')).gap(1);
    EXPECT_EQ(recogniser.text(), "rmn1");
}

TEST_F(TextLineRecogniserTest, SingleEntryWinsOverASplitWhenTheMapKnowsTheWholeGlyph) {
    GlyphTable withPair = table;
    withPair.add(sig('r') + sig('n'), "m");
    TextLineRecogniser pairs(withPair);
    Feeder(pairs).glyph(sig('r') + sig('n')).gap(1);
    EXPECT_EQ(pairs.text(), "m");
}

// A learnt table read after the shipped one may give a known signature another
// text; the glyph then reads the same alone and touching a neighbour.
TEST_F(TextLineRecogniserTest, ALaterTextOfASignatureWinsAloneAndInASplit) {
    GlyphTable relearnt = table;
    relearnt.add(sig('r'), "f");
    TextLineRecogniser reader(relearnt);
    Feeder(reader).glyph(sig('r')).gap(1).glyph(sig('r') + sig('n')).gap(1);
    EXPECT_EQ(reader.text(), "ffn");
}

TEST_F(TextLineRecogniserTest, UnknownRemainderAfterASplitIsDropped) {
    feed.glyph(sig('r') + "4095,1,").gap(1).glyph(sig('a')).gap(1);
    EXPECT_EQ(recogniser.text(), "ra");
}

TEST_F(TextLineRecogniserTest, UnknownGlyphGivesNothing) {
    feed.glyph("4095,4095,4095,").gap(1).glyph(sig('a')).gap(1);
    EXPECT_EQ(recogniser.text(), "a");
}

TEST_F(TextLineRecogniserTest, EmptyTableRecognisesNothing) {
    const GlyphTable none;
    TextLineRecogniser empty(none);
    Feeder(empty).glyph(sig('a')).gap(5).glyph(sig('r') + sig('n')).gap(1);
    EXPECT_EQ(empty.text(), " ");
}

TEST_F(TextLineRecogniserTest, ThreeEmptyColumnsAfterAOneAreNoBlankFourAre) {
    feed.glyph(sig('1')).gap(3).glyph(sig('2')).gap(1);
    EXPECT_EQ(recogniser.takeText(), "12");
    recogniser.reset();
    feed.glyph(sig('1')).gap(4).glyph(sig('2')).gap(1);
    EXPECT_EQ(recogniser.takeText(), "1 2");
}

TEST_F(TextLineRecogniserTest, TwoEmptyColumnsAfterOtherGlyphsAreNoBlankThreeAre) {
    feed.glyph(sig('a')).gap(2).glyph(sig('b')).gap(1);
    EXPECT_EQ(recogniser.takeText(), "ab");
    recogniser.reset();
    feed.glyph(sig('a')).gap(3).glyph(sig('b')).gap(1);
    EXPECT_EQ(recogniser.takeText(), "a b");
}

TEST_F(TextLineRecogniserTest, AWideGapGivesOneBlankOnly) {
    feed.glyph(sig('a')).gap(40).glyph(sig('b')).gap(40);
    EXPECT_EQ(recogniser.text(), "a b ");
}

TEST_F(TextLineRecogniserTest, CutEndsTheGlyphAndNoBlankCrossesIt) {
    feed.glyph(sig('a'));
    recogniser.cut();
    EXPECT_EQ(recogniser.takeText(), "a");
    feed.gap(10).glyph(sig('b'));
    recogniser.cut();
    EXPECT_EQ(recogniser.takeText(), "b");
}

}  // namespace
}  // namespace kestrova
