#include "stats/PlayerStatsBuilder.h"

#include <gtest/gtest.h>

#include "rating/BuddyList.h"
#include "stats/TrackerCounters.h"

namespace kestrova {
namespace {

PlayerStats build(const TrackerCounters& counters, const std::string& stack = "100") {
    return buildPlayerStats(counters, "Player", stack, "3", nullptr);
}

// What a look-up does across databases: plain sums of every counter.
TrackerCounters sum(const TrackerCounters& a, const TrackerCounters& b) {
    TrackerCounters s = a;
    s.hands += b.hands;
    s.vpip += b.vpip;
    s.pfr += b.pfr;
    s.showdowns += b.showdowns;
    s.flopsSeen += b.flopsSeen;
    s.won += b.won;
    s.totalBet += b.totalBet;
    return s;
}

TEST(PercentagesTest, VpipAndPfrArePercentOfHands) {
    TrackerCounters c;
    c.hands = 40;
    c.vpip = 10;
    c.pfr = 6;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.vpip, "25.00");
    EXPECT_EQ(s.pfr, "15.00");
    EXPECT_EQ(s.hands, "40");
}

TEST(PercentagesTest, FiguresAreRatiosOfSumsNotMeansOfDatabases) {
    TrackerCounters first;
    first.hands = 100;
    first.vpip = 20;
    TrackerCounters second;
    second.hands = 300;
    second.vpip = 30;
    EXPECT_EQ(build(sum(first, second)).vpip, "12.50");  // the mean of 20 % and 10 % would be 15.00
}

TEST(PercentagesTest, RatioIsSinglePrecisionBeforeScaling) {
    // 1/160 is 0.625 % exactly in double precision, which shows as 0.62; the
    // single-precision ratio lies just above and shows as 0.63.
    TrackerCounters c;
    c.hands = 160;
    c.vpip = 1;
    c.pfr = 7;
    c.bbStealAttempts = 160;
    c.bbFoldCount = 17;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.vpip, "0.63");
    EXPECT_EQ(s.pfr, "4.37");
    EXPECT_EQ(s.foldBbToSteal, "10.63");
}

TEST(PercentagesTest, WentToShowdownIsPercentOfFlopsSeen) {
    TrackerCounters c;
    c.hands = 50;
    c.flopsSeen = 8;
    c.showdowns = 3;
    EXPECT_EQ(build(c).wtsd, "37.50");
}

TEST(PercentagesTest, WonAtShowdownWithoutShowdownsIsZeroWithoutDecimals) {
    TrackerCounters c;
    c.hands = 10;
    c.showdowns = 0;
    c.showdownsWon = 0;
    EXPECT_EQ(build(c).wonSd, "0");

    c.showdowns = 4;
    c.showdownsWon = 3;
    EXPECT_EQ(build(c).wonSd, "75.00");
}

TEST(StealFiguresTest, NoAttemptsGiveNotAvailable) {
    TrackerCounters c;
    c.hands = 10;
    c.sbStealAttempts = 0;
    c.sbFoldCount = 0;
    c.bbStealAttempts = 16;
    c.bbFoldCount = 11;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.foldSbToSteal, "N/A");
    EXPECT_EQ(s.foldBbToSteal, "68.75");
    EXPECT_EQ(s.attToSteal, "N/A");
    EXPECT_EQ(s.contiBetFlop, "N/A");
}

TEST(AggressionTest, FlopOnlyActionsGiveFlopAndOverallFactor) {
    TrackerCounters c;
    c.hands = 10;
    c.flopBets = 3;
    c.flopRaises = 1;
    c.flopCalls = 2;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.flopAf, "2.00");
    EXPECT_EQ(s.turnAf, "0.00");
    EXPECT_EQ(s.riverAf, "0.00");
    EXPECT_EQ(s.af, "2.00");
}

TEST(AggressionTest, OverallFactorSumsEveryStreetBeforeDividing) {
    TrackerCounters c;
    c.flopBets = 4;  // flop 4 / 1
    c.flopCalls = 1;
    c.turnRaises = 1;  // turn 1 / 3
    c.turnCalls = 3;
    c.riverBets = 1;  // river: no calls
    const PlayerStats s = build(c);
    EXPECT_EQ(s.flopAf, "4.00");
    EXPECT_EQ(s.turnAf, "0.33");
    EXPECT_EQ(s.riverAf, "0.00");
    EXPECT_EQ(s.af, "1.50");  // 6 / 4
}

TEST(AggressionTest, MixedDatabaseFamiliesHidePerStreetFactors) {
    TrackerCounters c;
    c.flopBets = 3;
    c.flopCalls = 1;
    c.turnBets = 2;
    c.turnCalls = 1;
    c.dataShape = DataShape::Mixed;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.flopAf, "0.00");
    EXPECT_EQ(s.turnAf, "0.00");
    EXPECT_EQ(s.riverAf, "0.00");
    EXPECT_EQ(s.af, "2.50");

    c.dataShape = DataShape::PostgresFamily;
    EXPECT_EQ(build(c).flopAf, "3.00");
}

TEST(MoneyTest, WonIsMoneyWonLessTotalBet) {
    TrackerCounters c;
    c.won = 120.5f;
    c.totalBet = 100.0f;
    EXPECT_EQ(build(c).won, "20.50");

    c.won = 10.0f;
    c.totalBet = 35.25f;
    EXPECT_EQ(build(c).won, "-25.25");
}

TEST(MoneyTest, ALossRoundingToZeroShowsNoSign) {
    TrackerCounters c;
    c.won = 0.001f;
    c.totalBet = 0.002f;
    EXPECT_EQ(build(c).won, "0.00");
}

TEST(RecordTextsTest, StackLosesBlanksAndThousandsCommas) {
    EXPECT_EQ(build({}, "2,500").stack, "2500");
    EXPECT_EQ(build({}, "1,250 ").stack, "1250");
    EXPECT_EQ(build({}, " 1 000,5").stack, "10005");
    EXPECT_EQ(build({}, "$12.50").stack, "$12.50");
}

TEST(RecordTextsTest, NameAndSeatAreKeptExactly) {
    const PlayerStats s = buildPlayerStats({}, "  O'Brien\\;%", "7", "Seat 2", nullptr);
    EXPECT_EQ(s.name, "  O'Brien\\;%");
    EXPECT_EQ(s.seat, "Seat 2");
    EXPECT_EQ(s.table, "");  // the scan fills it in
}

TEST(RecordTextsTest, IconComesFromCounters) {
    TrackerCounters c;
    c.icon = 12;
    EXPECT_EQ(build(c).icon, 12);
}

TEST(RecordTextsTest, PlayerFoundNowhereGetsEmptyFigures) {
    const PlayerStats s = build(TrackerCounters{});
    EXPECT_EQ(s.hands, "0");
    EXPECT_EQ(s.vpip, "0.00");
    EXPECT_EQ(s.pfr, "0.00");
    EXPECT_EQ(s.af, "0.00");
    EXPECT_EQ(s.flopAf, "0.00");
    EXPECT_EQ(s.turnAf, "0.00");
    EXPECT_EQ(s.riverAf, "0.00");
    EXPECT_EQ(s.wtsd, "0.00");
    EXPECT_EQ(s.wonSd, "0");
    EXPECT_EQ(s.won, "0.00");
    EXPECT_EQ(s.attToSteal, "N/A");
    EXPECT_EQ(s.foldSbToSteal, "N/A");
    EXPECT_EQ(s.foldBbToSteal, "N/A");
    EXPECT_EQ(s.contiBetFlop, "N/A");
    EXPECT_EQ(s.icon, 0);
    EXPECT_EQ(s.buddyIndex, -1);
    // 0 of 0 hands: nothing done, shown like any empty percentage.
    EXPECT_EQ(s.threeBetCap, "0.00");
}

TEST(RecordTextsTest, BuddyIndexIgnoresLetterCase) {
    BuddyList buddies;  // never saved: lives in memory only
    buddies.addBuddy("Shark", false);
    buddies.addBuddy("FishFace", false);
    EXPECT_EQ(buildPlayerStats({}, "fishface", "1", "1", &buddies).buddyIndex, 1);
    EXPECT_EQ(buildPlayerStats({}, "SHARK", "1", "1", &buddies).buddyIndex, 0);
    EXPECT_EQ(buildPlayerStats({}, "Sharky", "1", "1", &buddies).buddyIndex, -1);
    EXPECT_EQ(buildPlayerStats({}, "Shark", "1", "1", nullptr).buddyIndex, -1);
}

TEST(RecordTextsTest, ThreeBetCapIsAlwaysZero) {
    TrackerCounters c;
    c.hands = 977;
    EXPECT_EQ(build(c).threeBetCap, "0.00");
}

TEST(RecordTextsTest, CountersNearTheLimitDoNotOverflow) {
    TrackerCounters c;
    c.flopBets = 2'000'000'000;
    c.flopRaises = 2'000'000'000;
    c.flopCalls = 2'000'000'000;
    c.hands = 2'000'000'000;
    c.vpip = 2'000'000'000;
    const PlayerStats s = build(c);
    EXPECT_EQ(s.flopAf, "2.00");
    EXPECT_EQ(s.af, "2.00");
    EXPECT_EQ(s.vpip, "100.00");
    EXPECT_EQ(s.hands, "2000000000");
}

}  // namespace
}  // namespace kestrova
