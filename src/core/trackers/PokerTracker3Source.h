#pragma once

#include "trackers/PostgresTrackerSource.h"

namespace kestrova {

// PokerTracker 3: the per-hand statistics table, or the aggregator table hhps
// when the setting "useagg" is 1 (from the look-up's options).
class PokerTracker3Source final : public PostgresTrackerSource {
public:
    PokerTracker3Source(DatabaseEntry entry, const TrackerOptions* options)
        : PostgresTrackerSource(std::move(entry)), options_(options) {}
    DatabaseKind kind() const override { return DatabaseKind::PokerTracker3; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;

private:
    const TrackerOptions* options_;
};

}  // namespace kestrova
