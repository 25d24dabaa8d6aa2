#include "records/PlayerStatsBuilder.h"

#include <cstdint>

#include "common/NumberText.h"
#include "records/BuddyIndex.h"

namespace kestrova {

namespace {

// A ratio of two counters is taken in single precision, as the figures have
// always been; 0 when there is nothing to divide by.
float ratio(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0) {
        return 0.0f;
    }
    return static_cast<float>(numerator) / static_cast<float>(denominator);
}

// A figure is kept as the number its two-decimal text reads back as.
double toTheCent(double value) {
    return parseNumber(twoDecimals(value)).value_or(0.0);
}

// A percentage is that single-precision ratio times 100 in double precision.
double percent(std::int64_t numerator, std::int64_t denominator) {
    return toTheCent(static_cast<double>(ratio(numerator, denominator)) * 100.0);
}

double factor(std::int64_t betsAndRaises, std::int64_t calls) {
    return toTheCent(static_cast<double>(ratio(betsAndRaises, calls)));
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
    if (c.sbStealAttempts > 0)
        stats.foldSbToSteal = percent(c.sbFoldCount, c.sbStealAttempts);
    if (c.bbStealAttempts > 0)
        stats.foldBbToSteal = percent(c.bbFoldCount, c.bbStealAttempts);
    stats.af = factor(flopActions + turnActions + riverActions, allCalls);
    stats.flopAf = streetsComparable ? factor(flopActions, c.flopCalls) : 0.0;
    stats.turnAf = streetsComparable ? factor(turnActions, c.turnCalls) : 0.0;
    stats.riverAf = streetsComparable ? factor(riverActions, c.riverCalls) : 0.0;
    stats.pfr = percent(c.pfr, c.hands);
    stats.vpip = percent(c.vpip, c.hands);
    stats.wtsd = percent(c.showdowns, c.flopsSeen);
    stats.hands = c.hands;
    stats.vpipHands = c.vpip;
    stats.icon = c.icon;
    stats.won = toTheCent(static_cast<double>(c.won - c.totalBet));
    if (c.showdowns > 0)
        stats.wonSd = percent(c.showdownsWon, c.showdowns);
    // 3-bet / cap counts no actions, so it is 0 of the player's hands; 0 of 0
    // hands is still "nothing done", so the column stays numeric for sorting
    // and the profile colours.
    stats.threeBetCap = 0.0;
    stats.buddyIndex = buddies != nullptr ? buddies->indexOfBuddy(name) : -1;
    return stats;
}

}  // namespace kestrova
