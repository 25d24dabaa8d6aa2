#include "evaluation/TableFilter.h"

#include <gtest/gtest.h>

#include "Players.h"
#include "TempDir.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

using test::makePlayers;
using test::SeatedPlayer;

TableFilterSettings playerCountOn(int requiredPlayers) {
    TableFilterSettings settings;
    settings.playerCountActive = true;
    settings.requiredPlayers = requiredPlayers;
    return settings;
}

TEST(PlayerCountTest, OffShowsEveryTable) {
    TableFilterSettings settings;
    settings.requiredPlayers = 9;
    EXPECT_TRUE(playerCountTestShows({}, "$1/$2", 100, settings));
}

TEST(PlayerCountTest, ZeroRequiredShowsOnceAnyPlayerHasEnoughHands) {
    TableFilterSettings settings = playerCountOn(0);
    settings.vpip = {true, 90, 100};  // nobody passes this
    EXPECT_TRUE(playerCountTestShows(makePlayers({{"a", "5", "1"}, {"b", "101", "20.00"}}), "$1/$2",
                                     100, settings));
    EXPECT_FALSE(playerCountTestShows(makePlayers({{"a", "100", "1"}, {"b", "3", "20.00"}}),
                                      "$1/$2", 100, settings));
    EXPECT_FALSE(playerCountTestShows({}, "$1/$2", 100, settings));
}

TEST(PlayerCountTest, CountsPlayersPassingEveryActiveCriterion) {
    TableFilterSettings settings = playerCountOn(2);
    settings.vpip = {true, 20, 30};
    SeatedPlayer loose{"a", "500", "30.90"};  // truncated to 30: inside
    SeatedPlayer tight{"b", "500", "12.00"};
    SeatedPlayer loose2{"c", "500", "20.00"};
    SeatedPlayer fewHands{"d", "100", "25.00"};
    EXPECT_FALSE(playerCountTestShows(makePlayers({loose, tight, fewHands}), "", 100, settings));
    EXPECT_TRUE(playerCountTestShows(makePlayers({loose, tight, loose2}), "", 100, settings));
    settings.pfr = {true, 0, 5};  // both loose players raise 10
    EXPECT_FALSE(playerCountTestShows(makePlayers({loose, tight, loose2}), "", 100, settings));
}

TEST(PlayerCountTest, StackInBigBlindsUsesTheStakesAfterTheLastDollarOrSlash) {
    SeatedPlayer seated{"a", "500", "20.00"};
    seated.stack = "$150";
    const auto players = makePlayers({seated});
    TableFilterSettings settings = playerCountOn(1);
    settings.stack = {true, 75, 75};  // $150 at $1/$2 is 75 big blinds
    EXPECT_TRUE(playerCountTestShows(players, "$1/$2", 100, settings));
    settings.stack = {true, 0, 74};
    EXPECT_FALSE(playerCountTestShows(players, "$1/$2", 100, settings));
    // Stakes without a big blind cannot fail the criterion.
    EXPECT_TRUE(playerCountTestShows(players, "-", 100, settings));
}

TEST(PlayerCountTest, StackWithoutDollarKeepsItsFirstDigit) {
    SeatedPlayer seated{"a", "500", "20.00"};
    seated.stack = "1250.50";
    TableFilterSettings settings = playerCountOn(1);
    settings.stack = {true, 600, 700};  // 625 big blinds; 125 if the "1" were dropped
    EXPECT_TRUE(playerCountTestShows(makePlayers({seated}), "$1/$2", 100, settings));
}

TEST(PlayerCountTest, LoserCriterionNeedsWonBelowZero) {
    SeatedPlayer even{"a", "500", "20.00"};
    even.won = "0.00";
    SeatedPlayer loser{"b", "500", "20.00"};
    loser.won = "-0.01";
    TableFilterSettings settings = playerCountOn(1);
    settings.loser = true;
    EXPECT_FALSE(playerCountTestShows(makePlayers({even}), "", 100, settings));
    EXPECT_TRUE(playerCountTestShows(makePlayers({even, loser}), "", 100, settings));
}

TableFilterSettings overallOn() {
    TableFilterSettings settings;
    settings.overallActive = true;
    return settings;
}

TEST(OverallTest, ThreeReadOfSevenKnownMeetsAMinimumOfThree) {
    TableFilterSettings settings = overallOn();
    settings.minimumReadsActive = true;
    settings.minimumReads = 3;
    EXPECT_TRUE(overallTestShows("20.00", "10.00", "3 / 7", settings));
    settings.minimumReads = 4;
    EXPECT_FALSE(overallTestShows("20.00", "10.00", "3 / 7", settings));
    EXPECT_TRUE(overallTestShows("20.00", "10.00", "12 / 20", settings));
}

TEST(OverallTest, ReadCountIsTheTextUpToOneCharacterBeforeTheSlash) {
    EXPECT_EQ(readsOfColumn("12 / 20"), 12);
    EXPECT_EQ(readsOfColumn("0 / 0"), 0);
    EXPECT_EQ(readsOfColumn("12/20"), 1);
    EXPECT_EQ(readsOfColumn("12"), 0);
    EXPECT_EQ(readsOfColumn("/"), 0);
    EXPECT_EQ(readsOfColumn(""), 0);
}

TEST(OverallTest, AveragesAreTruncatedBeforeTheBoundsTest) {
    TableFilterSettings settings = overallOn();
    settings.overallVpip = {true, 20, 30};
    EXPECT_TRUE(overallTestShows("30.99", "0", "0 / 0", settings));
    EXPECT_FALSE(overallTestShows("31.00", "0", "0 / 0", settings));
    EXPECT_FALSE(overallTestShows("0", "0", "0 / 0", settings));
    settings.overallVpip.on = false;
    settings.overallPfr = {true, 5, 10};
    EXPECT_FALSE(overallTestShows("25.00", "4.99", "0 / 0", settings));
    EXPECT_TRUE(overallTestShows("25.00", "10.50", "0 / 0", settings));
    settings.overallActive = false;
    EXPECT_TRUE(overallTestShows("25.00", "4.99", "0 / 0", settings));
}

TEST(TableFilterSettings, DefaultsAndKeys) {
    test::TempDir dir;
    SettingsStore store(dir / "Velloran.ini");
    EXPECT_EQ(TableFilterSettings::fromSettings(store), TableFilterSettings{});
    store.writeText("tfact", "1");
    store.writeText("tfnum", "4");
    store.writeText("tfstack", "1");
    store.writeText("tfstackmin", "20");
    store.writeText("tfstackmax", "300bb");
    store.writeText("ofreads", "2");  // only exactly 1 is on
    store.writeText("ofnum", "5");
    const TableFilterSettings read = TableFilterSettings::fromSettings(store);
    EXPECT_TRUE(read.playerCountActive);
    EXPECT_EQ(read.requiredPlayers, 4);
    EXPECT_EQ(read.stack, (FilterRange{true, 20, 300}));
    EXPECT_FALSE(read.minimumReadsActive);
    EXPECT_EQ(read.minimumReads, 5);
    EXPECT_EQ(read.vpip, (FilterRange{false, 0, 100}));
}

}  // namespace
}  // namespace kestrova
