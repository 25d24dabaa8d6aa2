#include "client/ocr/GlyphTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace kestrova {
namespace {

GlyphTable parseText(const std::string& text) {
    std::istringstream in(text);
    return GlyphTable::parse(in);
}

std::string signaturesInOrder(const GlyphTable& table) {
    std::string order;
    for (const auto& entry : table.entries()) {
        order += entry.text;
    }
    return order;
}

TEST(GlyphTableLoading, OrdersLongestFirstAndKeepsFileOrderForEqualLengths) {
    const GlyphTable table = parseText("4,1022,\n1\n12,\na\n1022,1022,\nl\n13,\nb\n");
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(signaturesInOrder(table), "l1ab");
    ASSERT_NE(table.find("4,1022,"), nullptr);
    EXPECT_EQ(*table.find("4,1022,"), "1");
    EXPECT_EQ(table.find("4,"), nullptr);
}

TEST(GlyphTableLoading, LaterPairWithSameSignatureWinsInTheMap) {
    const GlyphTable table = parseText("12,\na\n12,\nb\n");
    ASSERT_NE(table.find("12,"), nullptr);
    EXPECT_EQ(*table.find("12,"), "b");
    EXPECT_EQ(table.size(), 2u);
}

TEST(GlyphTableLoading, WindowsLineEndsAreRemoved) {
    const GlyphTable table = parseText("1022,1022,\r\nl\r\n12,\r\nab\r\n");
    ASSERT_NE(table.find("1022,1022,"), nullptr);
    EXPECT_EQ(*table.find("1022,1022,"), "l");
    ASSERT_NE(table.find("12,"), nullptr);
    EXPECT_EQ(*table.find("12,"), "ab");
}

TEST(GlyphTableLoading, LastLineWithoutLineEndIsRead) {
    const GlyphTable table = parseText("12,\nq");
    ASSERT_NE(table.find("12,"), nullptr);
    EXPECT_EQ(*table.find("12,"), "q");
}

TEST(GlyphTableLoading, OverlongLineSkipsItsPairWithoutShiftingThePairing) {
    const std::string longText(300, 'x');
    const std::string longSignature = std::string(400, '1') + ",";
    const GlyphTable table =
        parseText("12,\n" + longText + "\n" + longSignature + "\nz\n" + "14,\nc\n");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.find("12,"), nullptr);
    ASSERT_NE(table.find("14,"), nullptr);
    EXPECT_EQ(*table.find("14,"), "c");
}

TEST(GlyphTableLoading, LineOfExactly255CharactersIsKept) {
    const std::string text(255, 'x');
    const GlyphTable table = parseText("12,\r\n" + text + "\r\n");
    ASSERT_NE(table.find("12,"), nullptr);
    EXPECT_EQ(*table.find("12,"), text);
    EXPECT_TRUE(parseText("12,\n" + std::string(256, 'x') + "\n").empty());
}

TEST(GlyphTableLoading, OddLineCountIgnoresTheUnpairedSignature) {
    const GlyphTable table = parseText("12,\na\n14,\n");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.find("14,"), nullptr);
}

TEST(GlyphTableLoading, EmptyOrMalformedSignaturesAndEmptyTextsAreIgnored) {
    const GlyphTable table =
        parseText("\nx\n12,\n\n1a,\ny\n12\nz\n,\nw\n1,,2,\nv\n-1,\nu\n16,\nk\n");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table.entries().front().signature, "16,");
    EXPECT_FALSE(GlyphTable::isSignature(""));
    EXPECT_TRUE(GlyphTable::isSignature("0,65535,"));
}

TEST(GlyphTableLoading, ByteOrderMarkIsSkipped) {
    const GlyphTable table = parseText(
        "\xEF\xBB\xBF"
        "12,\na\n");
    ASSERT_NE(table.find("12,"), nullptr);
}

TEST(GlyphTableLoading, BinaryGarbageWithoutLineEndsReadsNothing) {
    std::string garbage(1 << 20, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>(i * 131 % 251 + 1);
    }
    for (char& c : garbage) {
        if (c == '\n') {
            c = 'x';
        }
    }
    EXPECT_TRUE(parseText(garbage).empty());
}

TEST(GlyphTableLoading, MissingFileGivesAnEmptyTable) {
    const auto missing = std::filesystem::path(KESTROVA_BINARY_DIR) / "no-such-glyphs.txt";
    EXPECT_TRUE(GlyphTable::load(missing).empty());
    GlyphTable table;
    std::string problem = "x";
    EXPECT_FALSE(table.readFile(missing, &problem));
    EXPECT_EQ(problem, "");
}

// A folder, FIFO or device in place of a table is named, left out, and never
// read from (it used to throw or to block).
TEST(GlyphTableLoading, FilesThatAreNoTablesAreNamedAndLeftOut) {
    const auto folder = std::filesystem::path(KESTROVA_BINARY_DIR) / "glyph-folder.txt";
    std::filesystem::create_directories(folder);
    std::string problem;
    EXPECT_TRUE(GlyphTable::load(folder, &problem).empty());
    EXPECT_EQ(problem, folder.string() + ": Is a directory");
    GlyphTable table = parseText("12,\na\n");
    EXPECT_FALSE(table.readFile("/dev/zero", &problem));
    EXPECT_EQ(problem, "/dev/zero: not a regular file");
    EXPECT_EQ(table.size(), 1u);
}

TEST(GlyphTableLoading, SecondReadAppendsAfterEqualLengthsOfTheFirst) {
    GlyphTable table = parseText("12,\na\n1,2,\nb\n");
    std::istringstream more("13,\nc\n12,\nd\n");
    table.read(more);
    EXPECT_EQ(signaturesInOrder(table), "bacd");
    EXPECT_EQ(*table.find("12,"), "d");
}

TEST(GlyphTableLoading, AddInsertsBeforeTheFirstShorterEntry) {
    GlyphTable table;
    EXPECT_TRUE(table.add("12,", "a"));
    EXPECT_TRUE(table.add("1,2,", "b"));
    EXPECT_TRUE(table.add("13,", "c"));
    EXPECT_FALSE(table.add("", "d"));
    EXPECT_FALSE(table.add("14,", ""));
    EXPECT_EQ(signaturesInOrder(table), "bac");
}

}  // namespace
}  // namespace kestrova
