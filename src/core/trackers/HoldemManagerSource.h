#pragma once

#include "trackers/PostgresTrackerSource.h"

namespace kestrova {

// Holdem Manager: a summary and a per-street statement, over the monthly
// summary tables when connect() finds them (the kind then reads as
// HoldemManagerMonthly; the stored entry keeps HoldemManager).
class HoldemManagerSource final : public PostgresTrackerSource {
public:
    HoldemManagerSource(DatabaseEntry entry, TraceLog trace);
    DatabaseKind kind() const override {
        return monthly_ ? DatabaseKind::HoldemManagerMonthly : DatabaseKind::HoldemManager;
    }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;

protected:
    void afterConnect() override;

private:
    TraceLog trace_;
    bool monthly_ = false;
};

}  // namespace kestrova
