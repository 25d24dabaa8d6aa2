#include "trackers/TrackerNameSource.h"

#include "trackers/TrackerSource.h"

namespace kestrova {

PlayerNameSource::Result TrackerNameSource::collectNames(const DatabaseEntry& entry,
                                                         std::vector<std::string>& names,
                                                         ImportProgress& progress,
                                                         MessageSink& messages) {
    const auto source = makeTrackerSource(entry, {});
    if (!source)
        return Result::Done;
    return source->collectNames(names, progress, messages);
}

}  // namespace kestrova
