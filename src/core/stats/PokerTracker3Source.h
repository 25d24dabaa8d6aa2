#pragma once

#include "stats/PostgresTrackerSource.h"

namespace kestrova {

// PokerTracker 3: the per-hand statistics table, or the aggregator table hhps
// when the setting "useagg" is 1 (read at every look-up).
class PokerTracker3Source final : public PostgresTrackerSource {
public:
    PokerTracker3Source(DatabaseEntry entry, const SettingsStore* settings)
        : PostgresTrackerSource(std::move(entry)), settings_(settings) {}
    DatabaseKind kind() const override { return DatabaseKind::PokerTracker3; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;

private:
    const SettingsStore* settings_;
};

}  // namespace kestrova
