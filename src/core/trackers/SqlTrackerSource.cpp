#include "trackers/SqlTrackerSource.h"

#include "records/ImportProgress.h"

namespace kestrova {

PlayerNameSource::Result SqlTrackerSource::collectNames(std::vector<std::string>& names,
                                                        ImportProgress& progress,
                                                        MessageSink& messages) {
    std::string error;
    const auto connection = open(error);
    if (!connection) {
        reportOpenFailure(error, messages);
        return Result::Done;
    }
    // The count is not known before the last row: the progress shows activity.
    progress.setMaximum(0);
    Result outcome = Result::Done;
    int row = 0;
    const bool ok = connection->query(nameListStatement(), {}, [&](const SqlRow& values) {
        if (progress.cancelled()) {
            outcome = Result::Cancelled;
            return false;
        }
        progress.setValue(row++);
        if (const auto name = values.value(std::size_t{0}))
            names.emplace_back(*name);
        return true;
    });
    if (!ok)
        reportFailure(*connection, messages);
    return outcome;
}

}  // namespace kestrova
