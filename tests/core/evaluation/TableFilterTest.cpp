#include "evaluation/TableFilter.h"

#include <gtest/gtest.h>

#include "Players.h"

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

TEST(PlayerCountTest, ZeroRequiredShowsOnceAnyPlayerHasEnoughHands) {
    TableFilterSettings settings;
    settings.requiredPlayers = 9;
    EXPECT_TRUE(playerCountTestShows({}, "$1/$2", 100, settings)) << "off shows every table";
    settings = playerCountOn(0);
    settings.vpip = {true, 90, 100};  // nobody passes this
    EXPECT_TRUE(playerCountTestShows(makePlayers({{"a", "5", "1"}, {"b", "101", "20.00"}}), "$1/$2",
                                     100, settings));
    EXPECT_FALSE(playerCountTestShows(makePlayers({{"a", "100", "1"}, {"b", "3", "20.00"}}),
                                      "$1/$2", 100, settings));
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

    const SeatedPlayer even{"a", "500", "20.00"};
    const SeatedPlayer loser{.name = "b", .hands = "500", .vpip = "20.00", .won = "-0.01"};
    settings = playerCountOn(1);
    settings.loser = true;
    EXPECT_FALSE(playerCountTestShows(makePlayers({even}), "", 100, settings));
    EXPECT_TRUE(playerCountTestShows(makePlayers({even, loser}), "", 100, settings));
}

// Stacks in big blinds: the stakes after the last "$" or "/" give the big blind;
// a stack without a currency sign keeps its first digit.
TEST(PlayerCountTest, StackInBigBlinds) {
    SeatedPlayer seated{.name = "a", .hands = "500", .vpip = "20.00", .stack = "$150"};
    TableFilterSettings settings = playerCountOn(1);
    settings.stack = {true, 75, 75};
    EXPECT_TRUE(playerCountTestShows(makePlayers({seated}), "$1/$2", 100, settings));
    settings.stack = {true, 0, 74};
    EXPECT_FALSE(playerCountTestShows(makePlayers({seated}), "$1/$2", 100, settings));
    EXPECT_TRUE(playerCountTestShows(makePlayers({seated}), "-", 100, settings))
        << "stakes without a big blind cannot fail the criterion";
    seated.stack = "1250.50";
    settings.stack = {true, 600, 700};  // 625 big blinds; 125 if the "1" were dropped
    EXPECT_TRUE(playerCountTestShows(makePlayers({seated}), "$1/$2", 100, settings));
}

// The averages are judged as the list shows them (two decimals), truncated;
// a table without reads averages 0.
TEST(OverallTest, ReadsAndTruncatedAverages) {
    TableFilterSettings settings;
    settings.overallActive = true;
    settings.minimumReadsActive = true;
    settings.minimumReads = 3;
    EXPECT_TRUE(overallTestShows(20.0, 10.0, 3, settings));
    EXPECT_TRUE(overallTestShows(20.0, 10.0, 12, settings));
    EXPECT_FALSE(overallTestShows(20.0, 10.0, 2, settings));
    settings.minimumReadsActive = false;
    settings.overallVpip = {true, 20, 30};
    EXPECT_TRUE(overallTestShows(30.99, std::nullopt, 0, settings));
    EXPECT_FALSE(overallTestShows(31.0, std::nullopt, 0, settings));
    EXPECT_FALSE(overallTestShows(30.996, std::nullopt, 0, settings)) << "shown as 31.00";
    EXPECT_FALSE(overallTestShows(std::nullopt, std::nullopt, 0, settings));
    settings.overallVpip.on = false;
    settings.overallPfr = {true, 5, 10};
    EXPECT_FALSE(overallTestShows(25.0, 4.99, 0, settings));
    EXPECT_TRUE(overallTestShows(25.0, 10.5, 0, settings));
    settings.overallActive = false;
    EXPECT_TRUE(overallTestShows(25.0, 4.99, 0, settings));
}

// "At most N waiting" hides a listed or scanned row whose waiting list is
// longer, whatever the other tests say.
TEST(WaitingTest, HidesTablesWithMoreWaitingThanTheMaximum) {
    TableFilterSettings settings;
    const std::vector<std::shared_ptr<PlayerStats>> nobody;
    const auto shows = [&](int waiting) {
        return TableFilter(settings, 100).match({"$1/$2", nobody, nullptr, waiting});
    };
    EXPECT_TRUE(shows(9)) << "off: every row shows";
    settings.waitingLimited = true;
    settings.maximumWaiting = 2;
    EXPECT_TRUE(shows(0));
    EXPECT_TRUE(shows(2));
    EXPECT_FALSE(shows(3));
    settings.maximumWaiting = 0;
    EXPECT_FALSE(shows(1));
}

}  // namespace
}  // namespace kestrova
