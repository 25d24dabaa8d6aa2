#pragma once

#include <cstdint>

namespace kestrova {

// The counts one look-up sums over every active database; the figures of a
// record are ratios of these sums, never averages of per-database figures.
struct TrackerCounters {
    std::int32_t hands = 0;
    std::int32_t vpip = 0;
    std::int32_t pfr = 0;
    std::int32_t flopBets = 0;
    std::int32_t turnBets = 0;
    std::int32_t riverBets = 0;
    std::int32_t flopRaises = 0;
    std::int32_t turnRaises = 0;
    std::int32_t riverRaises = 0;
    std::int32_t flopCalls = 0;
    std::int32_t turnCalls = 0;
    std::int32_t riverCalls = 0;
    std::int32_t showdowns = 0;
    std::int32_t flopsSeen = 0;
    std::int32_t showdownsWon = 0;
    float won = 0.0f;
    float totalBet = 0.0f;
    std::int32_t bbStealAttempts = 0;
    std::int32_t bbFoldCount = 0;
    std::int32_t sbStealAttempts = 0;
    std::int32_t sbFoldCount = 0;
    std::int32_t icon = 0;
    // -1 at start; 0 after PostgreSQL-family databases, 1 after Firebird ones,
    // 10 when both families contributed (per-street aggression is then shown as 0).
    std::int32_t dataShape = -1;

    bool operator==(const TrackerCounters&) const = default;
};

}  // namespace kestrova
