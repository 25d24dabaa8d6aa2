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

TEST(BuddyFile, SecondEntryOfLength200EndsTheReadingAndIsReported) {
    std::string file = bytes(
        "\x03\x00\x00\x00"
        "\x05\x00\x00\x00"
        "first"
        "\xc8\x00\x00\x00");
    file += std::string(200, 'y');
    file += bytes(
        "\x05\x00\x00\x00"
        "third");
    std::string problem;
    EXPECT_EQ(BuddyList::fromBytes(file, &problem), std::vector<std::string>{"first"});
    EXPECT_EQ(problem, "entry 2 of 3: name length 200 (names are at most 149 bytes)");
}

TEST(BuddyFile, LengthOf149IsStillAName) {
    std::string file = bytes(
        "\x01\x00\x00\x00"
        "\x95\x00\x00\x00");
    file += std::string(149, 'z');
    EXPECT_EQ(BuddyList::fromBytes(file), std::vector<std::string>{std::string(149, 'z')});
}

TEST(BuddyFile, HostileCountsAndLengthsNeverReadPastTheEnd) {
    std::string problem;
    // A count of four billion with one name, then the file ends.
    EXPECT_EQ(BuddyList::fromBytes(bytes("\xff\xff\xff\xff"
                                         "\x01\x00\x00\x00"
                                         "q"),
                                   &problem),
              std::vector<std::string>{"q"});
    EXPECT_NE(problem.find("ends early"), std::string::npos);
    // A negative length ends the reading, and is damage.
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00\x00\x00"
                                           "\xff\xff\xff\xff"),
                                     &problem)
                    .empty());
    EXPECT_NE(problem.find("name length -1"), std::string::npos);
    // A name cut short by the end of the file.
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00\x00\x00"
                                           "\x09\x00\x00\x00"
                                           "abc"),
                                     &problem)
                    .empty());
    EXPECT_FALSE(problem.empty());
    EXPECT_TRUE(BuddyList::fromBytes(bytes("\x01\x00"), &problem).empty());
    EXPECT_FALSE(problem.empty());
    EXPECT_TRUE(BuddyList::fromBytes("", &problem).empty());
    EXPECT_TRUE(problem.empty());
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

// A file that was not read whole is never replaced by what was read, unless
// the user agrees; one that cannot be read at all is no empty list.
TEST(BuddyFile, AFileNotReadWholeIsNeverRewrittenUnasked) {
    test::TempDir dir;
    std::string original = bytes(
        "\x03\x00\x00\x00"
        "\x01\x00\x00\x00"
        "a"
        "\x96\x00\x00\x00");
    original += std::string(150, 'x') + bytes(
                                            "\x01\x00\x00\x00"
                                            "c");
    test::writeBytes(dir / "mofofish", original);
    BuddyList buddies(dir.path());
    ASSERT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
    EXPECT_NE(buddies.loadProblem().find("mofofish: entry 2 of 3"), std::string::npos);
    EXPECT_FALSE(buddies.addBuddy("new", true).saved);
    EXPECT_EQ(test::readBytes(dir / "mofofish"), original);
    buddies.acceptDamagedFile();
    EXPECT_TRUE(buddies.saveBuddies());
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::Loaded);
    EXPECT_EQ(buddies.names(), (std::vector<std::string>{"a", "new"}));

    std::filesystem::remove(dir / "mofofish");
    std::filesystem::create_directory(dir / "mofofish");
    EXPECT_EQ(buddies.loadBuddies(), BuddyList::LoadResult::ReadError);
    EXPECT_NE(buddies.loadProblem().find("Is a directory"), std::string::npos);
    EXPECT_FALSE(buddies.addBuddy("x", true).saved);
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
