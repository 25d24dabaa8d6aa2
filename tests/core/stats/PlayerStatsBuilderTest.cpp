#include "stats/PlayerStatsBuilder.h"

#include <gtest/gtest.h>

#include "Printers.h"
#include "rating/BuddyList.h"
#include "stats/TrackerCounters.h"

namespace kestrova {
namespace {

PlayerStats build(const TrackerCounters& counters, const std::string& stack = "100") {
    return buildPlayerStats(counters, "Player", stack, "3", nullptr);
}

// Every figure of one record: percentages of hands (VPIP, PFR), of flops seen
// (WTSD), of showdowns (W$SD), of steal attempts, and aggression as
// (bets + raises) / calls per street and over all streets summed first.
TEST(PlayerStatsBuilder, EveryFigureIsARatioOfItsOwnCounters) {
    TrackerCounters c;
    c.hands = 40;
    c.vpip = 10;
    c.pfr = 6;
    c.flopBets = 4;
    c.flopCalls = 1;
    c.turnRaises = 1;
    c.turnCalls = 3;
    c.riverBets = 1;  // no river calls
    c.flopsSeen = 8;
    c.showdowns = 3;
    c.showdownsWon = 2;
    c.won = 120.5f;
    c.totalBet = 100.0f;
    c.bbStealAttempts = 16;
    c.bbFoldCount = 11;
    c.icon = 12;
    c.dataShape = 0;
    // clang-format off
    const PlayerStats expected{.name = "Player", .icon = 12, .vpip = "25.00",
        .af = "1.50" /* 6 / 4 */, .flopAf = "4.00", .turnAf = "0.33", .riverAf = "0.00",
        .hands = "40", .wtsd = "37.50", .wonSd = "66.67", .won = "20.50", .seat = "3",
        .pfr = "15.00", .stack = "2500", .attToSteal = "N/A", .foldSbToSteal = "N/A",
        .foldBbToSteal = "68.75", .contiBetFlop = "N/A", .threeBetCap = "0.00"};
    const PlayerStats nowhere{.name = "Player", .vpip = "0.00", .af = "0.00", .flopAf = "0.00",
        .turnAf = "0.00", .riverAf = "0.00", .hands = "0", .wtsd = "0.00", .wonSd = "0",
        .won = "0.00", .seat = "3", .pfr = "0.00", .stack = "100", .attToSteal = "N/A",
        .foldSbToSteal = "N/A", .foldBbToSteal = "N/A", .contiBetFlop = "N/A",
        .threeBetCap = "0.00"};
    // clang-format on
    EXPECT_EQ(build(c, "2,500 "), expected);
    EXPECT_EQ(build(TrackerCounters{}), nowhere);
}

TEST(PlayerStatsBuilder, RoundingSignsAndLimits) {
    // 1/160 is 0.625 % exactly in double precision, which shows as 0.62; the
    // single-precision ratio lies just above and shows as 0.63.
    TrackerCounters c;
    c.hands = 160;
    c.vpip = 1;
    c.pfr = 7;
    EXPECT_EQ(build(c).vpip, "0.63");
    EXPECT_EQ(build(c).pfr, "4.37");

    c.won = 10.0f;
    c.totalBet = 35.25f;
    EXPECT_EQ(build(c).won, "-25.25");
    c.won = 0.001f;
    c.totalBet = 0.002f;
    EXPECT_EQ(build(c).won, "0.00") << "a loss rounding to zero shows no sign";

    TrackerCounters big;
    big.flopBets = big.flopRaises = big.flopCalls = 2'000'000'000;
    big.hands = big.vpip = 2'000'000'000;
    EXPECT_EQ(build(big).af, "2.00");
    EXPECT_EQ(build(big).vpip, "100.00");
}

// Firebird and PostgreSQL databases count streets differently: per-street
// aggression is hidden when both contributed.
TEST(PlayerStatsBuilder, MixedDatabaseFamiliesHidePerStreetFactors) {
    TrackerCounters c;
    c.flopBets = 3;
    c.flopCalls = 1;
    c.turnBets = 2;
    c.turnCalls = 1;
    c.dataShape = 10;
    EXPECT_EQ(build(c).flopAf, "0.00");
    EXPECT_EQ(build(c).af, "2.50");
    c.dataShape = 0;
    EXPECT_EQ(build(c).flopAf, "3.00");
}

TEST(PlayerStatsBuilder, NameIsKeptExactlyAndTheBuddyIndexIgnoresCase) {
    BuddyList buddies;  // never saved: lives in memory only
    buddies.addBuddy("Shark", false);
    buddies.addBuddy("FishFace", false);
    EXPECT_EQ(buildPlayerStats({}, "fishface", "1", "1", &buddies).buddyIndex, 1);
    EXPECT_EQ(buildPlayerStats({}, "Sharky", "1", "1", &buddies).buddyIndex, -1);
    EXPECT_EQ(buildPlayerStats({}, "  O'Brien\\;%", "1", "1", nullptr).name, "  O'Brien\\;%");
}

}  // namespace
}  // namespace kestrova
