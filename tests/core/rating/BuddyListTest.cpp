#include "rating/BuddyList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "rating/BuddyCsv.h"
#include "records/PlayerStatsBuilder.h"

namespace kestrova {
namespace {

using test::le32;
using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Names = std::vector<std::string>;

TEST(BuddyList, MembershipIgnoresLetterCaseAndNamesHoldAtMost149Bytes) {
    BuddyList buddies;
    EXPECT_TRUE(buddies.addBuddy("Rounder8", false).changed);
    EXPECT_FALSE(buddies.addBuddy("ROUNDER8", false).changed);
    EXPECT_TRUE(buddies.addBuddy("a", false).changed);
    EXPECT_EQ(buddies.indexOfBuddy("rounder8"), 0);
    EXPECT_EQ(buddies.indexOfBuddy("Rounder"), -1);
    EXPECT_FALSE(buddies.addBuddy("", false).changed);
    EXPECT_FALSE(buddies.addBuddy(std::string(150, 'x'), false).changed);
    EXPECT_TRUE(buddies.addBuddy(std::string(149, 'x'), false).changed);
    EXPECT_EQ(buddies.names(), (Names{"Rounder8", "a", std::string(149, 'x')}));
}

TEST(BuddyList, GivesTheRecordItsIndexIgnoringLetterCase) {
    BuddyList buddies;  // never saved: lives in memory only
    buddies.addBuddy("Shark", false);
    buddies.addBuddy("FishFace", false);
    EXPECT_EQ(buildPlayerStats({}, "fishface", "1", "1", &buddies).buddyIndex, 1);
    EXPECT_EQ(buildPlayerStats({}, "SHARK", "1", "1", &buddies).buddyIndex, 0);
    EXPECT_EQ(buildPlayerStats({}, "Sharky", "1", "1", &buddies).buddyIndex, -1);
}

// Letters beyond ASCII fold too, a character at a time; broken UTF-8 bytes
// match only themselves.
TEST(BuddyList, MembershipFoldsTheCaseOfEveryLetter) {
    BuddyList buddies;
    EXPECT_TRUE(buddies.addBuddy("\xC3\x89lan", false).changed);           // Élan
    EXPECT_FALSE(buddies.addBuddy("\xC3\xA9LAN", false).changed);          // éLAN
    EXPECT_TRUE(buddies.addBuddy("\xD0\x9F\xD1\x91\xD1\x82\xD1\x80", false).changed);  // Пётр
    EXPECT_EQ(buddies.indexOfBuddy("\xD0\xBF\xD0\x81\xD0\xA2\xD0\xA0"), 1);            // пЁТР
    EXPECT_TRUE(buddies.addBuddy("\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", false).changed);  // Σοφία
    EXPECT_EQ(buddies.indexOfBuddy("\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1"), 2);            // σοφία
    EXPECT_EQ(buddies.indexOfBuddy("\xC3\xA9la"), -1);
    EXPECT_EQ(buddies.indexOfBuddy("\xC3\xA8lan"), -1);  // è is another letter
    EXPECT_TRUE(buddies.addBuddy("x\xC9", false).changed);  // Latin-1 É, no UTF-8
    EXPECT_EQ(buddies.indexOfBuddy("x\xC9"), 3);
    EXPECT_EQ(buddies.indexOfBuddy("x\xE9"), -1);
    EXPECT_EQ(buddies.indexOfBuddy("X\xC3\x89"), -1);
}

// "mofofish": a count, then counted names. Removing takes the first entry equal
// ignoring case, and saves.
TEST(BuddyFile, ExactBytesAndRemoval) {
    TempDir dir;
    BuddyList buddies(dir.path());
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::NoFile);
    buddies.addBuddy("Kat", false);
    EXPECT_FALSE(std::filesystem::exists(dir / "mofofish"));
    buddies.addBuddy("Mr Bluff", false);
    EXPECT_TRUE(buddies.addBuddy("KAT2", true).saved);
    EXPECT_EQ(readBytes(dir / "mofofish"),
              le32({3, 3}) + "Kat" + le32({8}) + "Mr Bluff" + le32({4}) + "KAT2");

    const BuddyList::Change change = buddies.removeBuddy("kat");
    EXPECT_TRUE(change.changed && change.saved);
    BuddyList again(dir.path());
    again.addBuddy("replaced by the load", false);
    EXPECT_EQ(again.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(again.names(), (Names{"Mr Bluff", "KAT2"}));
}

TEST(BuddyFile, DamageEndsTheReadAfterWholeNamesAndIsTold) {
    std::string problem;
    const std::string first = le32({3, 5}) + "first";
    EXPECT_EQ(BuddyList::fromBytes(first + le32({149}) + std::string(149, 'z'), &problem),
              (Names{"first", std::string(149, 'z')}));
    EXPECT_EQ(BuddyList::fromBytes(first + le32({150}) + std::string(150, 'y'), &problem),
              Names{"first"});
    EXPECT_EQ(problem, "entry 2 of 3: name length 150 (names are at most 149 bytes)");
    // A count of four billion with one name, then the file ends.
    EXPECT_EQ(BuddyList::fromBytes(le32({-1, 1}) + "q", &problem), Names{"q"});
    EXPECT_NE(problem.find("ends early"), std::string::npos);
    EXPECT_TRUE(BuddyList::fromBytes(le32({1, -1}), &problem).empty());
    EXPECT_NE(problem.find("name length -1"), std::string::npos);
    EXPECT_TRUE(BuddyList::fromBytes(le32({1, 9}) + "abc", &problem).empty());
    EXPECT_FALSE(problem.empty());
    EXPECT_TRUE(BuddyList::fromBytes("", &problem).empty());
    EXPECT_TRUE(problem.empty());
}

// A file that was not read whole is never replaced by what was read, unless
// the user agrees; one that cannot be read at all is no empty list.
TEST(BuddyFile, AFileNotReadWholeIsNeverRewrittenUnasked) {
    TempDir dir;
    const std::string original =
        le32({3, 1}) + "a" + le32({150}) + std::string(150, 'x') + le32({1}) + "c";
    writeBytes(dir / "mofofish", original);
    BuddyList buddies(dir.path());
    ASSERT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
    EXPECT_EQ(buddies.names(), Names{"a"});
    EXPECT_NE(buddies.loadProblem().find("mofofish: entry 2 of 3"), std::string::npos);
    EXPECT_FALSE(buddies.addBuddy("new", true).saved);
    EXPECT_EQ(readBytes(dir / "mofofish"), original);
    buddies.acceptDamagedFile();
    EXPECT_TRUE(buddies.saveBuddies());
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(buddies.names(), (Names{"a", "new"}));

    std::filesystem::remove(dir / "mofofish");
    std::filesystem::create_directory(dir / "mofofish");
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
    EXPECT_NE(buddies.loadProblem().find("Is a directory"), std::string::npos);
    EXPECT_FALSE(buddies.addBuddy("x", true).saved);
    BuddyList homeless(dir / "no-such-dir");
    EXPECT_TRUE(homeless.addBuddy("a", true).changed);
    EXPECT_FALSE(homeless.saveBuddies());
}

// One name a line, any line end, the last line without one too; lines longer
// than a name and names already listed (ignoring case) are not imported.
TEST(BuddyCsv, ExportAndImportKeepOrderAndBytes) {
    TempDir dir;
    BuddyList buddies(dir.path());
    for (const char* name : {"zed", "Alpha", "mid dle", "\xe9t\xe9"})
        buddies.addBuddy(name, false);
    const auto file = BuddyCsv::exportPath(dir / "out");
    EXPECT_EQ(BuddyCsv::exportPath(dir / "x.csv"), dir / "x.csv");
    ASSERT_TRUE(BuddyCsv::exportTo(file, buddies));
    EXPECT_EQ(readBytes(dir / "out.csv"), "zed\nAlpha\nmid dle\n\xe9t\xe9\n");
    EXPECT_FALSE(BuddyCsv::exportTo(dir / "gone" / "out.csv", buddies));

    TempDir other;
    BuddyList copy(other.path());
    copy.addBuddy("ZED", false);
    writeBytes(other / "in.csv", readBytes(file) + "\r\n\r\n  \r\nfresh\r\nFresh\r\n" +
                                     std::string(150, 'x') + "\nlast");
    const auto result = BuddyCsv::importFrom(other / "in.csv", copy);
    EXPECT_TRUE(result.read && result.saved);
    EXPECT_EQ(result.imported, 6u);
    const Names expected{"ZED", "Alpha", "mid dle", "\xe9t\xe9", "  ", "fresh", "last"};
    EXPECT_EQ(copy.names(), expected);
    BuddyList reloaded(other.path());  // saved once, at the end
    EXPECT_EQ(reloaded.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(reloaded.names(), expected);

    EXPECT_FALSE(BuddyCsv::importFrom(other / "none.csv", copy).read);
    EXPECT_FALSE(BuddyCsv::importFrom(other.path(), copy).read);
    BuddyList homeless(dir / "gone");
    const auto unsaved = BuddyCsv::importFrom(other / "in.csv", homeless);
    EXPECT_FALSE(unsaved.saved);
    EXPECT_EQ(homeless.names().size(), 7u) << "the names stay in memory";

    // No name ends in a CR, which an export and import would drop.
    EXPECT_EQ(BuddyCsv::namesFromText("a\r\r\n\r\r\nb\rc\r"), (Names{"a", "b\rc"}));
}

}  // namespace
}  // namespace kestrova
