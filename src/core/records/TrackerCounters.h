#pragma once

#include <cstdint>

namespace kestrova {

// Which family of trackers contributed to a look-up. The families count the
// street actions differently, so when both did (Mixed) the per-street
// aggression is shown as 0. The numbers are the ones users know from traces.
enum class DataShape : std::int32_t {
    None = -1,
    PostgresFamily = 0,
    Firebird = 1,
    Mixed = 10,
};

// A database of `family` contributes: the shape becomes the family when
// nothing contributed before and Mixed when the other family did.
constexpr DataShape markFamily(DataShape shape, DataShape family) {
    if (shape == DataShape::None)
        return family;
    return shape == family ? shape : DataShape::Mixed;
}

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
    DataShape dataShape = DataShape::None;

    bool operator==(const TrackerCounters&) const = default;
};

}  // namespace kestrova
