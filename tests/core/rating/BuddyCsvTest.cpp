#include "rating/BuddyCsv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "rating/BuddyList.h"

namespace kestrova {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Names = std::vector<std::string>;

TEST(BuddyCsvText, LastLineWithoutLineFeedIsImportedToo) {
    EXPECT_EQ(BuddyCsv::namesFromText("alpha\nbeta"), (Names{"alpha", "beta"}));
    EXPECT_EQ(BuddyCsv::namesFromText("solo"), (Names{"solo"}));
}

TEST(BuddyCsvText, CrlfLineEndsAndBlankLines) {
    EXPECT_EQ(BuddyCsv::namesFromText("alpha\r\n\r\n\nbeta\r\n  \r\ngamma"),
              (Names{"alpha", "beta", "  ", "gamma"}));
    EXPECT_TRUE(BuddyCsv::namesFromText("").empty());
    EXPECT_TRUE(BuddyCsv::namesFromText("\n\r\n\n").empty());
}

TEST(BuddyCsvText, NamesKeepTheirBytes) {
    // Blanks inside a name and 8-bit characters belong to it.
    EXPECT_EQ(BuddyCsv::namesFromText("Big Al\n\xe9t\xe9\n"), (Names{"Big Al", "\xe9t\xe9"}));
}

TEST(BuddyCsvText, ExportEndsEveryNameWithALineFeed) {
    EXPECT_EQ(BuddyCsv::toText({"a", "B c"}), "a\nB c\n");
    EXPECT_EQ(BuddyCsv::toText({}), "");
}

TEST(BuddyCsvText, ExportPathGetsTheExtensionOnlyWhenMissing) {
    EXPECT_EQ(BuddyCsv::exportPath("/tmp/list"), std::filesystem::path("/tmp/list.csv"));
    EXPECT_EQ(BuddyCsv::exportPath("/tmp/list.csv"), std::filesystem::path("/tmp/list.csv"));
    EXPECT_EQ(BuddyCsv::exportPath("/tmp/list.CSV"), std::filesystem::path("/tmp/list.CSV.csv"));
    EXPECT_EQ(BuddyCsv::exportPath("/tmp/csv"), std::filesystem::path("/tmp/csv.csv"));
}

TEST(BuddyCsvText, MessageTexts) {
    EXPECT_EQ(BuddyCsv::importDoneText(3), "3 buddies successfully imported.");
    EXPECT_EQ(BuddyCsv::kRemarkText,
              "Please note, that the CSV-file got to have the following format:\nplayername1\n"
              "playername2\nplayername3\n...\n\n So make sure, when exporting the CSV-file from "
              "Pokertracker only the field 'playername' is checked.");
}

TEST(BuddyCsvFile, RoundTripKeepsOrderAndNames) {
    TempDir dir;
    BuddyList buddies(dir.path());
    for (const char* name : {"zed", "Alpha", "mid dle", "\xe9t\xe9"}) {
        buddies.addBuddy(name, false);
    }
    const auto file = BuddyCsv::exportPath(dir / "out");
    ASSERT_TRUE(BuddyCsv::exportTo(file, buddies));
    EXPECT_EQ(readBytes(dir / "out.csv"), "zed\nAlpha\nmid dle\n\xe9t\xe9\n");

    TempDir other;
    BuddyList copy(other.path());
    const auto result = BuddyCsv::importFrom(file, copy);
    EXPECT_TRUE(result.read);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.imported, 4u);
    EXPECT_EQ(copy.names(), buddies.names());
    // The import saved "mofofish" once, at its end.
    BuddyList reloaded(other.path());
    EXPECT_EQ(reloaded.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(reloaded.names(), buddies.names());
}

TEST(BuddyCsvFile, ImportCountsOnlyNamesNewToTheList) {
    TempDir dir;
    BuddyList buddies(dir.path());
    buddies.addBuddy("Known", false);
    writeBytes(dir / "in.csv", "KNOWN\r\nfresh\r\n\r\nFresh\r\nlast");
    const auto result = BuddyCsv::importFrom(dir / "in.csv", buddies);
    EXPECT_TRUE(result.read);
    EXPECT_EQ(result.imported, 2u);
    EXPECT_EQ(buddies.names(), (Names{"Known", "fresh", "last"}));
}

TEST(BuddyCsvFile, MissingFileChangesNothing) {
    TempDir dir;
    BuddyList buddies(dir.path());
    buddies.addBuddy("keep", false);
    const auto result = BuddyCsv::importFrom(dir / "none.csv", buddies);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(result.imported, 0u);
    EXPECT_EQ(buddies.names(), Names{"keep"});
    EXPECT_FALSE(std::filesystem::exists(dir / "mofofish"));
    EXPECT_FALSE(BuddyCsv::importFrom(dir.path(), buddies).read);
}

TEST(BuddyCsvFile, OverlongLinesAreNotNames) {
    TempDir dir;
    BuddyList buddies(dir.path());
    writeBytes(dir / "in.csv", std::string(150, 'x') + "\nshort\n" + std::string(149, 'y'));
    const auto result = BuddyCsv::importFrom(dir / "in.csv", buddies);
    EXPECT_EQ(result.imported, 2u);
    EXPECT_EQ(buddies.names(), (Names{"short", std::string(149, 'y')}));
}

TEST(BuddyCsvFile, RefusedSaveKeepsTheImportedNamesInMemory) {
    TempDir dir;
    BuddyList buddies(dir / "gone");  // the directory does not exist
    writeBytes(dir / "in.csv", "one\ntwo\n");
    const auto result = BuddyCsv::importFrom(dir / "in.csv", buddies);
    EXPECT_TRUE(result.read);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(buddies.names(), (Names{"one", "two"}));
}

TEST(BuddyCsvFile, ExportIntoAMissingDirectoryFails) {
    TempDir dir;
    BuddyList buddies(dir.path());
    buddies.addBuddy("x", false);
    EXPECT_FALSE(BuddyCsv::exportTo(dir / "gone" / "out.csv", buddies));
}

}  // namespace
}  // namespace kestrova
