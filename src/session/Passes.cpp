#include "Passes.h"

#include <utility>

namespace kestrova {

Passes::Passes(ScanController& scans, ScanSchedule& schedule, Jobs& jobs, const ScanState& state,
               Hooks hooks)
    : scans_(scans), schedule_(schedule), jobs_(jobs), state_(state), hooks_(std::move(hooks)) {}

bool Passes::getTableList() {
    if (hooks_.beforeTableList)
        hooks_.beforeTableList();
    return scans_.start(hooks_.request(PassKind::TableList));
}

bool Passes::scanSelected(const std::string& tableName) {
    ScanController::Request request = hooks_.request(PassKind::ScanSelected);
    request.tableName = tableName;
    return scans_.start(std::move(request));
}

bool Passes::scanAll() {
    return scans_.start(schedule_.scanAllRequest());
}

bool Passes::openTable(const std::string& tableName) {
    // A name too short to find, the empty one too, is refused by the pass with a message.
    ScanController::Request request = hooks_.request(PassKind::OpenTable);
    request.tableName = tableName;
    return scans_.start(std::move(request));
}

}  // namespace kestrova
