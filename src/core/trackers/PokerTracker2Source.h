#pragma once

#include "trackers/PostgresTrackerSource.h"

namespace kestrova {

// PokerTracker 2 on PostgreSQL: a search of the player ids by the trimmed name
// (l and I blurred), then the sums of the players' games.
class PokerTracker2Source final : public PostgresTrackerSource {
public:
    static constexpr const char* kPlayerListCursor =
        "DECLARE myportal CURSOR FOR select screen_name from players";

    using PostgresTrackerSource::PostgresTrackerSource;
    DatabaseKind kind() const override { return DatabaseKind::PokerTracker2Postgres; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;
    // Over a connection of its own, so it never disturbs the look-up's.
    PlayerNameSource::Result collectNames(std::vector<std::string>& names, ImportProgress& progress,
                                          MessageSink& messages) override;
};

}  // namespace kestrova
