#include "GlyphLearner.h"
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

QImage lineImage(const BitmapFont& font, const QString& text, QRgb ink, QRgb background) {
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(background);
    font.draw(image, 5, 2, text, ink, 0, image.width());
    return image;
}

TEST(GlyphTableTool, LearnsUnknownGlyphsFromACapturedLine) {
    const BitmapFont font;
    const QImage image =
        lineImage(font, QStringLiteral("Ab 12"), qRgb(255, 255, 255), qRgb(40, 140, 60));
    GlyphLearner::Line line{0, 200, 2, GlyphLearner::Ink::White, QStringLiteral("Ab 12")};
    GlyphTable known;
    known.add(font.signatureOf(U'A'), "A");
    const GlyphLearner::Result result = GlyphLearner::learn(image, line, known);
    EXPECT_TRUE(result.unattributed.empty());
    ASSERT_EQ(result.learnt.size(), 3u);
    EXPECT_EQ(result.learnt[0].text, "b");
    EXPECT_EQ(result.learnt[0].signature, font.signatureOf(U'b'));
    EXPECT_EQ(result.learnt[2].text, "2");
}

TEST(GlyphTableTool, TouchingGlyphsBecomeOneEntryWhenTheRestIsKnown) {
    const BitmapFont font;
    // Find a touching pair in the font to draw.
    QString pair;
    for (const QChar a : QStringLiteral("rTfy_")) {
        for (const QChar b : QStringLiteral("aeo_j")) {
            if (pair.isEmpty() && font.gapBetween(a.unicode(), b.unicode()) == 0) {
                pair = QString(a) + b;
            }
        }
    }
    ASSERT_FALSE(pair.isEmpty());
    const QString text = pair + QStringLiteral(" K");
    const QImage image = lineImage(font, text, qRgb(0, 0, 128), qRgb(250, 250, 240));
    GlyphLearner::Line line{0, 200, 2, GlyphLearner::Ink::DiffersFromBackground, text};
    GlyphTable known;
    known.add(font.signatureOf(U'K'), "K");
    const GlyphLearner::Result result = GlyphLearner::learn(image, line, known);
    EXPECT_TRUE(result.unattributed.empty());
    ASSERT_EQ(result.learnt.size(), 1u);
    EXPECT_EQ(result.learnt[0].text, pair.toStdString());
}

// A character without a glyph, or unknown glyphs that cannot be told apart,
// are reported rather than guessed.
TEST(GlyphTableTool, ReportsWhatItCannotAttribute) {
    const BitmapFont font;
    const QImage image =
        lineImage(font, QStringLiteral("a b"), qRgb(255, 255, 255), qRgb(40, 140, 60));
    GlyphLearner::Line line{0, 200, 2, GlyphLearner::Ink::White, QStringLiteral("a b c")};
    GlyphTable known;
    known.add(font.signatureOf(U'a'), "a");
    known.add(font.signatureOf(U'b'), "b");
    GlyphLearner::Result result = GlyphLearner::learn(image, line, known);
    EXPECT_TRUE(result.learnt.empty());
    ASSERT_EQ(result.unattributed.size(), 1u);
    EXPECT_NE(result.unattributed[0].find("\"c\""), std::string::npos);

    line.text = QStringLiteral("abc");  // two glyphs drawn for three characters
    result = GlyphLearner::learn(
        lineImage(font, QStringLiteral("ab"), qRgb(255, 255, 255), qRgb(40, 140, 60)), line,
        GlyphTable{});
    EXPECT_TRUE(result.learnt.empty());
    ASSERT_EQ(result.unattributed.size(), 1u);
    EXPECT_NE(result.unattributed[0].find("\"abc\""), std::string::npos);
}

}  // namespace
}  // namespace kestrova::sim
