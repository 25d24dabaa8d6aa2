#pragma once

#include "trackers/PostgresTrackerSource.h"

namespace kestrova {

// Elephant: the player cache tables, one row per matching player.
class ElephantSource final : public PostgresTrackerSource {
public:
    using PostgresTrackerSource::PostgresTrackerSource;
    DatabaseKind kind() const override { return DatabaseKind::Elephant; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;
};

}  // namespace kestrova
