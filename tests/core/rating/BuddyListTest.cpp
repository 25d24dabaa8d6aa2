#include "rating/BuddyList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"

namespace kestrova {
namespace {

using test::bytes;

TEST(BuddyCase, MembershipIgnoresLetterCase) {
    BuddyList buddies;
    EXPECT_TRUE(buddies.addBuddy("Rounder8", false).changed);
    EXPECT_EQ(buddies.indexOfBuddy("rounder8"), 0);
    EXPECT_EQ(buddies.indexOfBuddy("ROUNDER8"), 0);
    EXPECT_EQ(buddies.indexOfBuddy("Rounder"), -1);
    EXPECT_FALSE(buddies.contains("Rounder80"));
}

TEST(BuddyCase, NameDifferingOnlyInCaseIsNotAddedAgain) {
    BuddyList buddies;
    buddies.addBuddy("Ice_Man", false);
    const BuddyList::Change change = buddies.addBuddy("ICE_MAN", false);
    EXPECT_FALSE(change.changed);
    EXPECT_EQ(buddies.names(), std::vector<std::string>{"Ice_Man"});
}

TEST(BuddyCase, NewNamesAreAppendedAtTheEnd) {
    BuddyList buddies;
    buddies.addBuddy("b", false);
    buddies.addBuddy("a", false);
    EXPECT_EQ(buddies.names(), (std::vector<std::string>{"b", "a"}));
}

TEST(BuddyCase, EmptyAndOverlongNamesAreRefused) {
    BuddyList buddies;
    EXPECT_FALSE(buddies.addBuddy("", false).changed);
    EXPECT_FALSE(buddies.addBuddy(std::string(150, 'x'), false).changed);
    EXPECT_TRUE(buddies.addBuddy(std::string(149, 'x'), false).changed);
}

TEST(BuddyFile, RemoveTakesTheFirstEntryEqualIgnoringCaseAndSaves) {
    test::TempDir dir;
    test::writeBytes(dir / "mofofish", bytes("\x03\x00\x00\x00"
                                             "\x03\x00\x00\x00"
                                             "Kat"
                                             "\x03\x00\x00\x00"
                                             "rnm"
                                             "\x03\x00\x00\x00"
                                             "KAT"));
    BuddyList buddies(dir.path());
    ASSERT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::Loaded);
    const BuddyList::Change change = buddies.removeBuddy("kat");
    EXPECT_TRUE(change.changed);
    EXPECT_TRUE(change.saved);
    EXPECT_EQ(buddies.names(), (std::vector<std::string>{"rnm", "KAT"}));
    EXPECT_EQ(test::readBytes(dir / "mofofish"), bytes("\x02\x00\x00\x00"
                                                       "\x03\x00\x00\x00"
                                                       "rnm"
                                                       "\x03\x00\x00\x00"
                                                       "KAT"));
}

TEST(BuddyFile, AddWithSaveWritesTheExactBytes) {
    test::TempDir dir;
    BuddyList buddies(dir.path());
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::NoFile);
    buddies.addBuddy("Mr Bluff", false);
    EXPECT_FALSE(std::filesystem::exists(dir / "mofofish"));
    const BuddyList::Change change = buddies.addBuddy("a", true);
    EXPECT_TRUE(change.changed && change.saved);
    EXPECT_EQ(test::readBytes(dir / "mofofish"), bytes("\x02\x00\x00\x00"
                                                       "\x08\x00\x00\x00"
                                                       "Mr Bluff"
                                                       "\x01\x00\x00\x00"
                                                       "a"));
    BuddyList again(dir.path());
    EXPECT_EQ(again.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(again.names(), buddies.names());
}

TEST(BuddyFile, SecondEntryOfLength200EndsTheReading) {
    std::string file = bytes(
        "\x03\x00\x00\x00"
        "\x05\x00\x00\x00"
        "first"
        "\xc8\x00\x00\x00");
    file += std::string(200, 'y');
    file += bytes(
        "\x05\x00\x00\x00"
        "third");
    bool complete = false;
    EXPECT_EQ(BuddyList::fromBytes(file, &complete), std::vector<std::string>{"first"});
    EXPECT_TRUE(complete);
}

TEST(BuddyFile, LengthOf149IsStillAName) {
    std::string file = bytes(
        "\x01\x00\x00\x00"
        "\x95\x00\x00\x00");
    file += std::string(149, 'z');
    EXPECT_EQ(BuddyList::fromBytes(file), std::vector<std::string>{std::string(149, 'z')});
}

TEST(BuddyFile, HostileCountsAndLengthsNeverReadPastTheEnd) {
    bool complete = true;
    // A count of four billion with one name, then the file ends.
    EXPECT_EQ(BuddyList::fromBytes(bytes("\xff\xff\xff\xff"
                                         "\x01\x00\x00\x00"
                                         "q"),
                                   &complete),
              std::vector<std::string>{"q"});
    EXPECT_FALSE(complete);
    // A negative length is a huge u32: the reading ends there.
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00\x00\x00"
                                           "\xff\xff\xff\xff"),
                                     &complete)
                    .empty());
    EXPECT_TRUE(complete);
    // A name cut short by the end of the file.
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00\x00\x00"
                                           "\x09\x00\x00\x00"
                                           "abc"),
                                     &complete)
                    .empty());
    EXPECT_FALSE(complete);
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00"), &complete).empty());
    EXPECT_FALSE(complete);
    EXPECT_TRUE(BuddyList::fromBytes("", &complete).empty());
    EXPECT_TRUE(complete);
}

TEST(BuddyFile, DamagedFileReportsAReadErrorKeepingEarlierNames) {
    test::TempDir dir;
    test::writeBytes(dir / "mofofish", bytes("\x02\x00\x00\x00"
                                             "\x01\x00\x00\x00"
                                             "a"
                                             "\x04\x00\x00\x00"
                                             "bc"));
    BuddyList buddies(dir.path());
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
    EXPECT_EQ(buddies.names(), std::vector<std::string>{"a"});
}

TEST(BuddyFile, SaveIntoAMissingDirectoryFailsAndSaysSo) {
    test::TempDir dir;
    BuddyList buddies(dir / "no-such-dir");
    const BuddyList::Change change = buddies.addBuddy("a", true);
    EXPECT_TRUE(change.changed);
    EXPECT_FALSE(change.saved);
    EXPECT_FALSE(buddies.saveBuddies());
    EXPECT_EQ(BuddyList::kSaveErrorText, "Unable to save mofofish");
}

TEST(BuddyFile, LoadReplacesTheListInMemory) {
    test::TempDir dir;
    BuddyList buddies(dir.path());
    buddies.addBuddy("old", false);
    test::writeBytes(dir / "mofofish", bytes("\x01\x00\x00\x00"
                                             "\x03\x00\x00\x00"
                                             "new"));
    buddies.loadBuddies();
    EXPECT_EQ(buddies.names(), std::vector<std::string>{"new"});
}

}  // namespace
}  // namespace kestrova
