#include "evaluation/TableEvaluation.h"

#include <gtest/gtest.h>

#include "Players.h"
#include "evaluation/KnownPlayerLine.h"
#include "rating/BuddyList.h"
#include "rating/ColourRanges.h"

namespace kestrova {
namespace {

using test::makePlayers;
using test::SeatedPlayer;

EvaluationSettings settingsWith(int minimumHands, std::string ownName = {}) {
    EvaluationSettings settings;
    settings.minimumHands = minimumHands;
    settings.ownName = std::move(ownName);
    return settings;
}

TEST(TableEvaluation, EmptyVpipWithHandsCountsNeitherReadNorKnownButAddsItsPfr) {
    const auto players = makePlayers({{"a", "200", "20.00", "10.00"}, {"b", "300", "", "30.00"}});
    const TableEvaluation result = evaluateTable(players, settingsWith(100), BuddyList{});
    EXPECT_EQ(result.reads, 1);
    EXPECT_EQ(result.known, 1);
    EXPECT_EQ(result.averageVpip, 20.0);
    EXPECT_EQ(result.averagePfr, 40.0);  // both PFRs over the one read player
}

TEST(TableEvaluation, AveragesOverReadPlayersOnly) {
    auto players =
        makePlayers({{.name = "a", .hands = "500", .vpip = "20.00", .af = "1.50", .wtsd = "30.00"},
                     {.name = "b", .hands = "101", .vpip = "25.00", .af = "2.25", .wtsd = ""},
                     {"c", "50", "90.00"}});  // c is known, not read
    players.push_back(nullptr);               // skipped
    const TableEvaluation result = evaluateTable(players, settingsWith(100), BuddyList{});
    EXPECT_EQ(result.reads, 2);
    EXPECT_EQ(result.known, 3);
    EXPECT_EQ(result.averageVpip, 22.5);
    EXPECT_EQ(result.averagePfr, 10.0);
    EXPECT_EQ(result.averageAf, 1.875);
    EXPECT_EQ(result.averageWtsd, 15.0);  // the empty WTSD adds nothing; the divisor stays 2
}

TEST(TableEvaluation, LosersNeedHandsStacksAndBuddiesCountEveryone) {
    const auto players =
        makePlayers({{.name = "loser", .hands = "20", .won = "-12.50", .stack = "$1,250.50"},
                     {.name = "Buddy", .hands = "0", .won = "-99.00", .stack = "1250.50"},
                     {.name = "nobody", .stack = ""},
                     {.name = "even", .hands = "300", .won = "0.00", .stack = ""},
                     {.name = "cent", .hands = "300", .won = "-0.01", .stack = ""}});
    BuddyList buddies;
    buddies.addBuddy("bUDDY", false);
    const TableEvaluation result = evaluateTable(players, settingsWith(100), buddies);
    EXPECT_EQ(result.losers, 2) << "a break-even player is no loser; a cent down is";
    EXPECT_EQ(result.buddies, 1);
    EXPECT_EQ(result.stackSum, 2501.0);
    EXPECT_EQ(result.reads, 0);
    EXPECT_EQ(result.known, 0);
    EXPECT_FALSE(result.averageVpip) << "nobody read: no average, no division by zero";
    EXPECT_FALSE(result.averageWtsd);
}

TEST(TableEvaluation, OwnNameInAnotherLetterCaseMarksTheSeat) {
    const auto players = makePlayers({{"Someone", "10", "1"}, {"ICE_man", "0", ""}});
    EXPECT_TRUE(evaluateTable(players, settingsWith(100, "Ice_Man"), BuddyList{}).ownSeat);
    EXPECT_FALSE(evaluateTable(players, settingsWith(100, "Ice_Ma"), BuddyList{}).ownSeat);
    EXPECT_FALSE(evaluateTable(players, settingsWith(100, ""), BuddyList{}).ownSeat);
}

TEST(TableEvaluation, AveragesAreColouredByTheirProfiles) {
    ColourRanges colours;
    colours.profile(ProfileStat::Vpip) = StatProfile({ProfileRange{"20", "30", Rgb{255, 0, 0}}});
    colours.profile(ProfileStat::Wtsd) = StatProfile({ProfileRange{"0", "10", Rgb{0, 0, 255}}});
    const auto players = makePlayers({{"a", "500", "22.00"}});
    const TableEvaluation result = evaluateTable(players, settingsWith(100), BuddyList{}, &colours);
    EXPECT_EQ(result.averageVpipColour, (Rgb{255, 0, 0}));
    EXPECT_FALSE(result.averagePfrColour);
    EXPECT_FALSE(result.averageWtsdColour);  // 25 is outside 0..10
}

TEST(KnownPlayerLine, ShareOfKnownRecordsAndTheTableCount) {
    EXPECT_EQ(knownPlayerLine(3, 7, 12), "Knownplayer :42.86 %\nTables: 12");
    EXPECT_EQ(knownPlayerLine(0, 0, 0), "Knownplayer :0.00 %\nTables: 0");
    const auto records =
        makePlayers({{"a", "101", "1"}, {"b", "100", "1"}, {"c", "5000", ""}, {"d", "x", ""}});
    EXPECT_EQ(knownPlayerLine(records, 100, 2), "Knownplayer :50.00 %\nTables: 2");
}

}  // namespace
}  // namespace kestrova
