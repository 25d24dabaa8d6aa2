#include "client/ocr/TextLineRecogniser.h"

#include "GlyphStamp.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    // "_n" is n empty columns; "x+y" glyphs of `font` touching; a part with
    // commas a raw signature.
    void script(const std::string& text, const testing::TestFont& font) {
        std::istringstream tokens(text);
        for (std::string token; tokens >> token;) {
            if (token[0] == '_') {
                gap(std::stoi(token.substr(1)));
                continue;
            }
            std::string signature;
            std::istringstream parts(token);
            for (std::string part; std::getline(parts, part, '+');)
                signature += part.find(',') != std::string::npos ? part : font.signature(part[0]);
            glyph(signature);
        }
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

// Glyphs through the map; touching glyphs explained by the known ones; ink that
// nothing explains reads "?"; three empty columns after a "1" are no blank,
// four are, two after other glyphs are none, three are; a wide gap is one blank.
TEST_F(TextLineRecogniserTest, GlyphsSplitsUnknownsAndBlanks) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"A _1 b _1 1 _1", "Ab1"}, {"r+n _1", "rn"}, {"r+m+n+1 _1", "rmn1"},
        {"r+4095,1, _1 a _1", "?a"}, {"4095,4095,4095, _1 a _1", "?a"}, {"1 _3 2 _1", "12"},
        {"1 _4 2 _1", "1 2"}, {"a _2 b _1", "ab"}, {"a _3 b _1", "a b"}, {"a _40 b _40", "a b "}};
    // clang-format on
    for (const auto& [script, text] : cases) {
        TextLineRecogniser reader(table);
        Feeder(reader).script(script, font);
        EXPECT_EQ(reader.text(), text) << script;
    }
}

// Kerning: neighbours share columns, and the ink is their union.
TEST_F(TextLineRecogniserTest, OverlappingGlyphsAreReadAsTheKnownShapesTheyUnite) {
    const auto overlapped = [](const std::string& left, const std::string& right, int shared) {
        std::vector<std::uint32_t> ink = columnsOf(left);
        const std::vector<std::uint32_t> next = columnsOf(right);
        const std::size_t from = ink.size() - static_cast<std::size_t>(shared);
        ink.resize(from + next.size(), 0u);
        std::string signature;
        for (std::size_t i = 0; i < ink.size(); ++i) {
            ink[i] |= i >= from ? next[i - from] : 0u;
            signature += std::to_string(ink[i]) + ",";
        }
        return signature;
    };
    feed.glyph(overlapped(sig('r'), sig('n'), 1)).gap(1);
    feed.glyph(overlapped(sig('a') + sig('b'), sig('7'), 1)).gap(1);
    EXPECT_EQ(recogniser.text(), "rnab7");
}

// Two explanations as good as each other that read differently: "?", not a guess.
TEST_F(TextLineRecogniserTest, InkWithTwoEquallyGoodReadingsIsAQuestionMark) {
    GlyphTable narrow;
    narrow.add("1,", "i");
    narrow.add("1,1,", "u");
    TextLineRecogniser reader(narrow);
    Feeder(reader).glyph("1,1,1,").gap(1).glyph("1,1,1,1,").gap(1);
    EXPECT_EQ(reader.text(), "?uu");
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

// A learnt font's word gap replaces the fixed rule, after a "1" too; a damaged
// setting leaves the fixed rule.
TEST_F(TextLineRecogniserTest, ALearntWordGapPartsWords) {
    for (const auto& [setting, expected] :
         {std::pair<const char*, const char*>{"gap=5", "ab1c d"}, {"gap=x", "a b 1 c d"}}) {
        GlyphTable learnt = table;
        learnt.add("0,", setting);
        TextLineRecogniser reader(learnt);
        Feeder(reader).script("a _3 b _4 1 _4 c _5 d _1", font);
        EXPECT_EQ(reader.text(), std::string(expected)) << setting;
    }
}

TEST_F(TextLineRecogniserTest, EmptyTableRecognisesNothing) {
    const GlyphTable none;
    TextLineRecogniser empty(none);
    Feeder(empty).glyph(sig('a')).gap(5).glyph(sig('r') + sig('n')).gap(1);
    EXPECT_EQ(empty.text(), "? ?");
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
