#include "records/PlayerStatsBuilder.h"

#include <cstdint>

#include "common/NumberText.h"
#include "records/BuddyIndex.h"

namespace kestrova {

namespace {

constexpr const char* kNotAvailable = "N/A";

// A ratio of two counters is taken in single precision, as the figures have
// always been; 0 when there is nothing to divide by.
float ratio(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0) {
        return 0.0f;
    }
    return static_cast<float>(numerator) / static_cast<float>(denominator);
}

// A percentage is that single-precision ratio times 100 in double precision.
std::string percentText(std::int64_t numerator, std::int64_t denominator) {
    return twoDecimals(static_cast<double>(ratio(numerator, denominator)) * 100.0);
}

std::string factorText(std::int64_t betsAndRaises, std::int64_t calls) {
    return twoDecimals(static_cast<double>(ratio(betsAndRaises, calls)));
}

// 3-bet / cap counts no actions, so it is 0 of the player's hands. With no
// hands the division has nothing to divide by: 0 of 0 is still "nothing done",
// shown as 0.00 like every other empty percentage, so the column stays numeric
// for sorting and the profile colours.
std::string threeBetCapText(std::int32_t hands) {
    constexpr std::int64_t kThreeBetsOrCaps = 0;
    return percentText(kThreeBetsOrCaps, hands);
}

std::string withoutBlanksAndCommas(const std::string& stack) {
    std::string result;
    result.reserve(stack.size());
    for (const char c : stack) {
        if (c != ' ' && c != ',') {
            result += c;
        }
    }
    return result;
}

}  // namespace

PlayerStats buildPlayerStats(const TrackerCounters& counters, const std::string& name,
                             const std::string& stack, const std::string& seat,
                             const BuddyIndex* buddies) {
    const TrackerCounters& c = counters;
    // Sums in 64 bits: counters summed over several large databases may be near the int32 limit.
    const std::int64_t flopActions = std::int64_t{c.flopBets} + c.flopRaises;
    const std::int64_t turnActions = std::int64_t{c.turnBets} + c.turnRaises;
    const std::int64_t riverActions = std::int64_t{c.riverBets} + c.riverRaises;
    const std::int64_t allCalls = std::int64_t{c.flopCalls} + c.turnCalls + c.riverCalls;

    // Mixed database families count street actions differently; per-street figures
    // would mean nothing then.
    const bool streetsComparable = c.dataShape != DataShape::Mixed;

    PlayerStats stats;
    stats.name = name;
    stats.seat = seat;
    stats.stack = withoutBlanksAndCommas(stack);
    stats.attToSteal = kNotAvailable;
    stats.foldSbToSteal =
        c.sbStealAttempts > 0 ? percentText(c.sbFoldCount, c.sbStealAttempts) : kNotAvailable;
    stats.foldBbToSteal =
        c.bbStealAttempts > 0 ? percentText(c.bbFoldCount, c.bbStealAttempts) : kNotAvailable;
    stats.contiBetFlop = kNotAvailable;
    stats.af = factorText(flopActions + turnActions + riverActions, allCalls);
    stats.flopAf = streetsComparable ? factorText(flopActions, c.flopCalls) : twoDecimals(0.0);
    stats.turnAf = streetsComparable ? factorText(turnActions, c.turnCalls) : twoDecimals(0.0);
    stats.riverAf = streetsComparable ? factorText(riverActions, c.riverCalls) : twoDecimals(0.0);
    stats.pfr = percentText(c.pfr, c.hands);
    stats.vpip = percentText(c.vpip, c.hands);
    stats.wtsd = percentText(c.showdowns, c.flopsSeen);
    stats.hands = std::to_string(c.hands);
    stats.handCount = c.hands;
    stats.vpipHandCount = c.vpip;
    stats.icon = c.icon;
    stats.won = twoDecimals(static_cast<double>(c.won - c.totalBet));
    stats.wonSd = c.showdowns > 0 ? percentText(c.showdownsWon, c.showdowns) : "0";
    stats.threeBetCap = threeBetCapText(c.hands);
    stats.buddyIndex = buddies != nullptr ? buddies->indexOfBuddy(name) : -1;
    return stats;
}

}  // namespace kestrova
