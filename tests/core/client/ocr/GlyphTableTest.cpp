#include "client/ocr/GlyphTable.h"
#include "client/ocr/TaughtGlyphs.h"
#include "client/lobby/GlyphTables.h"
#include "common/FileContents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
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
    EXPECT_FALSE(table.find("4,"));

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

// A table read from its file is the table its text gives, also for a user's
// table of many thousand pairs with repeated signatures and damaged lines;
// the user's table comes after the shipped ones, its pairs winning.
TEST(GlyphTableLoading, FilesReadAsTheirTextAndTheUsersTableLast) {
    std::string text = "\xEF\xBB\xBF" "9,9,\r\nq\r\n\n" + std::string(300, '1') + ",\nz\n";
    for (int i = 0; i < 30000; ++i) {
        text += std::to_string(i % 7000 + 1) + "," + (i % 3 == 0 ? "5," : "") + "\n" +
                static_cast<char>('a' + i % 26) + (i % 1000 == 0 ? "\n\n" : "\n");
    }
    text += "x,\ny\n12,";
    const auto dir = std::filesystem::path(KESTROVA_BINARY_DIR) / "user-glyphs";
    std::filesystem::create_directories(dir);
    const auto file = dir / "ocr2.txt";
    std::ofstream(file, std::ios::binary) << text;

    const GlyphTable fromFile = GlyphTable::load(file);
    const GlyphTable fromText = parseText(text);
    ASSERT_EQ(fromFile.size(), 30001u);
    EXPECT_EQ(signaturesInOrder(fromFile), signaturesInOrder(fromText));
    EXPECT_EQ(fromFile.shapes().size(), fromText.shapes().size());
    for (const std::string signature : {"9,9,", "1,5,", "6999,", "7000,", "7001,", "12,"}) {
        EXPECT_EQ(fromFile.find(signature), fromText.find(signature)) << signature;
    }
    EXPECT_EQ(*fromFile.find("1,5,"), "s") << "the later of two pairs wins";

    ::setenv("KESTROVA_DATA_DIR", KESTROVA_DATA_DIR, 1);
    const GlyphTable shipped = GlyphTable::load(KESTROVA_DATA_DIR "/ocr.txt");
    std::ofstream(file, std::ios::binary) << shipped.entries()[0].signature << "\nZ\n";
    const GlyphTable all = loadGlyphTables(dir);
    EXPECT_EQ(all.find(shipped.entries()[0].signature), "Z");
    EXPECT_EQ(all.size(), loadGlyphTables({}).size() + 1);
    // A table drawn from an installed font is read alone.
    std::ofstream(file, std::ios::binary) << "0,\nfont=Sans\n12,\na\n";
    const GlyphTable font = loadGlyphTables(dir);
    EXPECT_EQ(font.size(), 2u);
    EXPECT_EQ(font.font(), "Sans");
}

// A table ending in a blank line keeps the pairs appended after it in step;
// one ending in a signature without its text is not appended to.
TEST(GlyphTableLoading, AppendedGlyphsStayPairedAfterABlankLastLine) {
    const auto file = std::filesystem::path(KESTROVA_BINARY_DIR) / "taught-glyphs.txt";
    std::filesystem::remove(file);
    std::string error;
    ASSERT_TRUE(saveLearntGlyphs({{"12,", "a"}}, file, false, &error)) << error;
    {
        std::ofstream out(file, std::ios::app);
        out << "\n";
    }
    ASSERT_TRUE(saveLearntGlyphs({{"13,", "b"}, {"14,", "c"}}, file, false, &error)) << error;
    const GlyphTable table = GlyphTable::load(file);
    EXPECT_EQ(table.size(), 3u);
    ASSERT_TRUE(table.find("14,"));
    EXPECT_EQ(*table.find("14,"), "c");

    {
        std::ofstream out(file, std::ios::app);
        out << "15,\n";
    }
    EXPECT_FALSE(saveLearntGlyphs({{"16,", "d"}}, file, false, &error));
    EXPECT_NE(error.find("without its text"), std::string::npos) << error;
    EXPECT_EQ(readWholeFile(file, 1024).bytes, "12,\na\n\n13,\nb\n14,\nc\n15,\n");

    // A table that is a link to the user's own file is written through the link.
    const auto link = std::filesystem::path(KESTROVA_BINARY_DIR) / "linked-glyphs.txt";
    std::filesystem::remove(link);
    std::filesystem::remove(file);
    std::filesystem::create_symlink(file, link);
    ASSERT_TRUE(saveLearntGlyphs({{"12,", "a"}}, link, false, &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readWholeFile(file, 1024).bytes, "12,\na\n");
}

// What teaching knows of the user's own file: its pairs as the table reads
// them (line ends of either kind, no line end at the end), those added to it
// included.
TEST(GlyphTableLoading, TaughtGlyphsAreWhatTheUsersFileHolds) {
    const auto file = std::filesystem::path(KESTROVA_BINARY_DIR) / "user-glyphs.txt";
    std::filesystem::remove(file);
    EXPECT_TRUE(TaughtGlyphs::load(file).texts().empty());
    {
        std::ofstream out(file, std::ios::binary);
        out << "12,\r\na\r\n13,\nbc";
    }
    std::string error;
    ASSERT_TRUE(saveLearntGlyphs({{"14,", "d"}}, file, false, &error)) << error;
    EXPECT_EQ(readWholeFile(file, 1024).bytes, "12,\r\na\r\n13,\nbc\n14,\nd\n");
    const TaughtGlyphs taught = TaughtGlyphs::load(file, &error);
    EXPECT_TRUE(error.empty()) << error;
    for (const char* signature : {"12,", "13,", "14,"}) {
        EXPECT_TRUE(taught.holds(signature)) << signature;
    }
    EXPECT_FALSE(taught.holds("15,"));
    EXPECT_FALSE(taught.holds("a"));
    EXPECT_EQ(taught.texts(), (std::set<std::string, std::less<>>{"a", "bc", "d"}));
}

// A table drawn from a font carries the font and the characters it draws
// alike, values with blanks and commas included.
TEST(GlyphTableLoading, FontSettingsReadBackAsWritten) {
    GlyphTable::Settings settings;
    settings.smoothPercent = 40;
    settings.font = "Liberation Sans, 12 px, 100%";
    settings.alike = {"lI|", ",."};
    const GlyphTable table = parseText("0,\n" + settings.format() + "\n12,\na\n");
    const GlyphTable::Settings read = table.settings();
    EXPECT_EQ(read.smoothPercent, 40);
    EXPECT_EQ(read.font, settings.font);
    EXPECT_EQ(read.alike, settings.alike);
    EXPECT_FALSE(parseText("12,\na\n").font());
}

}  // namespace
}  // namespace kestrova
