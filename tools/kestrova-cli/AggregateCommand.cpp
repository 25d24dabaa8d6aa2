#include "AggregateCommand.h"

#include "TrackerCliSupport.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingsStore.h"
#include "trackers/AggregatorBuilder.h"
#include "trackers/TrackerLookup.h"

namespace kestrova {

int runAggregateCommand(const std::filesystem::path& directory, const SettingsStore& settings,
                        std::ostream& out, std::ostream& err) {
    const auto databases = cli::loadDatabases(directory, err);
    if (!databases)
        return 1;
    cli::StreamMessageSink messages(err);
    PlayerRecordList records;
    TrackerLookup lookup(*databases, settings, nullptr, records, TraceLog::off());
    if (!lookup.connectDatabases(messages))
        return 1;
    const bool built = lookup.buildAggregator(messages);
    lookup.disconnectDatabases();
    if (!built || messages.count() > 0)
        return 1;
    out << aggregatorCompletionText(lookup.aggregatorWithoutTrigramIndex()) << '\n';
    return 0;
}

}  // namespace kestrova
