#include "records/PlayerStatsBuilder.h"

#include <gtest/gtest.h>

#include <string>

#include "records/TrackerCounters.h"

namespace kestrova {
namespace {

// The derived figures of one record, in a fixed order:
// "vpip pfr af flop turn river wtsd wonSd won attSteal foldSb foldBb cbet 3bet", as shown.
std::string figures(const TrackerCounters& counters) {
    const PlayerStats s = buildPlayerStats(counters, "Player", "100", "3", nullptr);
    std::string text;
    for (const Figure& figure : {s.vpip, s.pfr, s.af, s.flopAf, s.turnAf, s.riverAf, s.wtsd})
        text += figureText(figure) + " ";
    text += wonSdText(s) + " ";
    for (const Figure& figure :
         {s.won, s.attToSteal, s.foldSbToSteal, s.foldBbToSteal, s.contiBetFlop, s.threeBetCap})
        text += figureText(figure) + " ";
    text.pop_back();
    return text;
}

struct Case {
    const char* what;
    TrackerCounters counters;
    const char* expected;
};

// clang-format off
const Case kCases[] = {
    {"found nowhere", {}, "0.00 0.00 0.00 0.00 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"percent of hands",
     {.hands = 40, .vpip = 10, .pfr = 6, .showdowns = 1, .flopsSeen = 2, .showdownsWon = 1},
     "25.00 15.00 0.00 0.00 0.00 0.00 50.00 100.00 0.00 N/A N/A N/A N/A 0.00"},
    // 1/160 is 0.625 % exactly in double precision, which shows as 0.62; the
    // single-precision ratio lies just above and shows as 0.63.
    {"single-precision ratio before scaling",
     {.hands = 160, .vpip = 1, .pfr = 7, .bbStealAttempts = 160, .bbFoldCount = 17},
     "0.63 4.37 0.00 0.00 0.00 0.00 0.00 0 0.00 N/A N/A 10.63 N/A 0.00"},
    {"showdowns per flop seen, won per showdown; a steal figure without attempts",
     {.hands = 50, .showdowns = 4, .flopsSeen = 8, .showdownsWon = 3, .bbStealAttempts = 16,
      .bbFoldCount = 11},
     "0.00 0.00 0.00 0.00 0.00 0.00 50.00 75.00 0.00 N/A N/A 68.75 N/A 0.00"},
    {"overall factor sums every street before dividing",
     {.flopBets = 4, .riverBets = 1, .turnRaises = 1, .flopCalls = 1, .turnCalls = 3,
      .dataShape = DataShape::PostgresFamily},
     "0.00 0.00 1.50 4.00 0.33 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"no river calls: the river factor is 0, its bets and raises still count overall",
     {.flopBets = 1, .riverBets = 3, .riverRaises = 1, .flopCalls = 2,
      .dataShape = DataShape::PostgresFamily},
     "0.00 0.00 2.50 0.50 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"aggression without any call", {.turnBets = 2, .riverRaises = 1},
     "0.00 0.00 0.00 0.00 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"mixed database families hide the street factors",
     {.flopBets = 3, .turnBets = 2, .flopCalls = 1, .turnCalls = 1, .dataShape = DataShape::Mixed},
     "0.00 0.00 2.50 0.00 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"won less total bet", {.won = 10.0f, .totalBet = 35.25f},
     "0.00 0.00 0.00 0.00 0.00 0.00 0.00 0 -25.25 N/A N/A N/A N/A 0.00"},
    {"a loss rounding to zero shows no sign", {.won = 0.001f, .totalBet = 0.002f},
     "0.00 0.00 0.00 0.00 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
    {"counters near the limit do not overflow",
     {.hands = 2'000'000'000, .vpip = 2'000'000'000, .flopBets = 2'000'000'000,
      .flopRaises = 2'000'000'000, .flopCalls = 2'000'000'000},
     "100.00 0.00 2.00 2.00 0.00 0.00 0.00 0 0.00 N/A N/A N/A N/A 0.00"},
};
// clang-format on

TEST(PlayerStatsFigures, DerivedFromTheSummedCounters) {
    for (const Case& c : kCases)
        EXPECT_EQ(figures(c.counters), c.expected) << c.what;
}

TEST(PlayerStatsTexts, StackLosesBlanksAndCommasNameAndSeatAreKept) {
    const auto stack = [](const std::string& text) {
        return buildPlayerStats({}, "P", text, "1", nullptr).stack;
    };
    EXPECT_EQ(stack("1,250 "), "1250");
    EXPECT_EQ(stack(" 1 000,5"), "10005");
    EXPECT_EQ(stack("$12.50"), "$12.50");
    const PlayerStats s =
        buildPlayerStats({.hands = 12, .icon = 12}, "  O'Brien\\;%", "7", "Seat 2", nullptr);
    EXPECT_EQ(s.name, "  O'Brien\\;%");
    EXPECT_EQ(s.seat, "Seat 2");
    EXPECT_EQ(s.hands, 12);
    EXPECT_EQ(s.icon, 12);
    EXPECT_EQ(s.buddyIndex, -1);
}

}  // namespace
}  // namespace kestrova
