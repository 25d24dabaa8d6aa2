#include "client/ocr/GlyphTable.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Pairs of lines, signature then text. Longest signatures first, file order
// among equal lengths; the map keeps the later of two equal signatures.
TEST(GlyphTableLoading, OrdersLongestFirstAndKeepsFileOrderForEqualLengths) {
    GlyphTable table = parseText(
        "\xEF\xBB\xBF"
        "4,1022,\r\n1\r\n12,\na\n1022,1022,\nl\n13,\nb\n12,\nq");
    EXPECT_EQ(signaturesInOrder(table), "l1abq");
    EXPECT_EQ(*table.find("4,1022,"), "1");
    EXPECT_EQ(*table.find("12,"), "q") << "the last line needs no line end";
    EXPECT_EQ(table.find("4,"), nullptr);

    std::istringstream more("14,\nc\n1,2,\nd\n");
    table.read(more);
    EXPECT_TRUE(table.add("15,", "e"));
    EXPECT_FALSE(table.add("", "f"));
    EXPECT_FALSE(table.add("16,", ""));
    EXPECT_EQ(signaturesInOrder(table), "l1dabqce");
}

// A line longer than 255 characters skips its pair without shifting the
// pairing; empty or malformed signatures, empty texts and an unpaired last
// signature are left out; binary garbage reads nothing.
TEST(GlyphTableLoading, BadLinesAreLeftOutWithoutShiftingThePairing) {
    const GlyphTable table =
        parseText("12,\n" + std::string(256, 'x') + "\n" + std::string(400, '1') + ",\nz\n14,\n" +
                  std::string(255, 'c') +
                  "\n\nx\n13,\n\n1a,\ny\n12\nz\n,\n"
                  "w\n1,,2,\nv\n-1,\nu\n16,\nk\n17,\n");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(*table.find("14,"), std::string(255, 'c'));
    EXPECT_EQ(*table.find("16,"), "k");

    std::string garbage(1 << 20, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 131 % 251 + 1);
    std::replace(garbage.begin(), garbage.end(), '\n', 'x');
    EXPECT_TRUE(parseText(garbage).empty());
}

// A missing file is an empty table; a folder, FIFO or device in its place is
// named, left out, and never read from (it used to throw or to block).
TEST(GlyphTableLoading, FilesThatAreNoTablesAreNamedAndLeftOut) {
    const auto missing = std::filesystem::path(KESTROVA_BINARY_DIR) / "no-such-glyphs.txt";
    std::string problem = "x";
    EXPECT_TRUE(GlyphTable::load(missing, &problem).empty());
    EXPECT_EQ(problem, "");
    const auto folder = std::filesystem::path(KESTROVA_BINARY_DIR) / "glyph-folder.txt";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(GlyphTable::load(folder, &problem).empty());
    EXPECT_EQ(problem, folder.string() + ": Is a directory");
    GlyphTable table = parseText("12,\na\n");
    EXPECT_FALSE(table.readFile("/dev/zero", &problem));
    EXPECT_EQ(problem, "/dev/zero: not a regular file");
    EXPECT_EQ(table.size(), 1u);
}

}  // namespace
}  // namespace kestrova
