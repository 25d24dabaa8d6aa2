#pragma once

#include "Jobs.h"
#include "ScanController.h"
#include "ScanSchedule.h"
#include "scan/ScanState.h"

#include <functional>
#include <string>

namespace kestrova {

// The passes over the lobby and the long jobs as a front end starts them: the
// table list, the scans, opening a table, cancelling, the interval and the
// opener, the import and the other jobs. Each command is false, starting
// nothing, while another pass or job runs.
class Passes final {
public:
    struct Hooks {
        // A pass's request under the settings in force.
        std::function<ScanController::Request(PassKind)> request;
        // Just before "Get Table List" starts: the statistics cache's turn.
        std::function<void()> beforeTableList;
    };

    Passes(ScanController& scans, ScanSchedule& schedule, Jobs& jobs, const ScanState& state,
           Hooks hooks);

    bool getTableList();
    bool scanSelected(const std::string& tableName);
    bool scanAll();
    bool openTable(const std::string& tableName);
    bool busy() const { return scans_.busy(); }

    // Cancel, the running pass, waiting for its end.
    ScanController& scans() { return scans_; }
    // The interval scan and the opener.
    ScanSchedule& schedule() { return schedule_; }
    // The import, the aggregator build, the connection test, the font's capture and search.
    Jobs& jobs() { return jobs_; }
    // What the passes keep between them (the statistics cache among it); the
    // worker's alone while a pass runs.
    const ScanState& scanState() const { return state_; }

private:
    ScanController& scans_;
    ScanSchedule& schedule_;
    Jobs& jobs_;
    const ScanState& state_;
    Hooks hooks_;
};

}  // namespace kestrova
