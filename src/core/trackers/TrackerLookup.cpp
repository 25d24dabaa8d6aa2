#include "trackers/TrackerLookup.h"

#include <algorithm>
#include <utility>

#include "common/MessageSink.h"
#include "common/Text.h"
#include "records/PlayerRecordList.h"
#include "records/PlayerStatsBuilder.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "trackers/AggregatorBuilder.h"
#include "trackers/PostgresTrackerSource.h"
#include "trackers/TrackerNamePattern.h"

namespace kestrova {

namespace {

constexpr std::chrono::minutes kAggregatorStatementTimeout{1};

}  // namespace

std::chrono::milliseconds TrackerOptions::lookupTimeoutOf(int seconds) {
    return std::chrono::seconds(std::max(seconds, 1));
}

TrackerOptions TrackerOptions::fromSettings(const SettingsStore& settings) {
    TrackerOptions o;
    o.useAggregator = settings.read(keys::useagg) == 1;
    o.excludeMe = settings.read(keys::excludeme) == 1;
    o.ownName = settings.readText(keys::profilme);
    o.lookupTimeout = lookupTimeoutOf(settings.read(keys::lookuptimeout));
    return o;
}

TrackerLookup::TrackerLookup(std::vector<DatabaseEntry> entries, Options options,
                             const BuddyIndex* buddies, PlayerRecordList& records, TraceLog trace)
    : options_(std::move(options)), buddies_(buddies), records_(records), trace_(std::move(trace)) {
    setDatabases(std::move(entries));
}

TrackerLookup::~TrackerLookup() {
    disconnectDatabases();
}

void TrackerLookup::setDatabases(std::vector<DatabaseEntry> entries) {
    disconnectDatabases();
    slots_.clear();
    slots_.reserve(entries.size());
    for (auto& entry : entries) {
        Slot slot;
        slot.storedKind = entry.kind;
        slot.source = makeTrackerSource(std::move(entry), {&options_, trace_});
        slots_.push_back(std::move(slot));
    }
}

std::int32_t TrackerLookup::effectiveKind(std::size_t index) const {
    if (index >= slots_.size())
        return -1;
    const Slot& slot = slots_[index];
    return slot.source ? static_cast<std::int32_t>(slot.source->kind()) : slot.storedKind;
}

std::string TrackerLookup::connectionFailureText(const std::string& libraryMessage,
                                                 std::string_view user) {
    return PostgresTrackerSource::connectionFailureText(libraryMessage, user);
}

bool TrackerLookup::connectDatabases(MessageSink& messages) {
    if (connected_)
        return true;
    // A new pass: every database gets asked again.
    for (auto& slot : slots_) {
        if (slot.source)
            slot.source->startPass(options_.lookupTimeout);
    }
    // One database that cannot be connected is told and left out of the pass;
    // the pass needs only one that can be used.
    bool active = false;
    bool usable = false;
    for (auto& slot : slots_) {
        TrackerSource* source = slot.source.get();
        if (source == nullptr || !source->entry().active)
            continue;
        active = true;
        if (!source->keepsConnection() || source->connect(messages))
            usable = true;
    }
    connected_ = usable || !active;
    return connected_;
}

bool TrackerLookup::databaseLeftOut() const {
    return std::any_of(slots_.begin(), slots_.end(), [](const Slot& slot) {
        return slot.source && slot.source->entry().active && slot.source->passFailure();
    });
}

void TrackerLookup::disconnectDatabases() {
    for (auto& slot : slots_) {
        if (slot.source)
            slot.source->disconnect();
    }
    connected_ = false;
}

std::shared_ptr<PlayerStats> TrackerLookup::lookupPlayer(const std::string& name,
                                                         const std::string& stack,
                                                         const std::string& seat,
                                                         MessageSink& messages) {
    TrackerCounters counters;
    const bool isMe =
        options_.excludeMe && name == options_.ownName;
    if (!isMe && !sumCounters(name, counters, messages))
        return nullptr;
    auto record =
        std::make_shared<PlayerStats>(buildPlayerStats(counters, name, stack, seat, buddies_));
    records_.append(record);
    return record;
}

bool TrackerLookup::sumCounters(const std::string& name, TrackerCounters& counters,
                                MessageSink& messages) {
    counters = TrackerCounters();
    // No tracker stores a NUL character in a name: such a name is found nowhere.
    // A blank name would match every player of a LIKE search: it is unknown.
    if (name.find('\0') != std::string::npos || trimWhiteSpace(name).empty())
        return true;
    for (const auto& slot : slots_) {
        // A database lost earlier in this batch: no record until the next
        // batch has connected again (the user was told when it was lost).
        if (slot.source && slot.source->entry().active && slot.source->keepsConnection() &&
            !connected_)
            return false;
    }
    const std::string pattern = trackerNamePattern(name);
    const TrackerName searched{name, pattern};
    for (auto& slot : slots_) {
        TrackerSource* source = slot.source.get();
        if (source == nullptr || !source->entry().active || source->passFailure())
            continue;
        if (!source->addCounters(searched, counters, messages)) {
            if (source->keepsConnection())
                connected_ = false;
            return false;
        }
    }
    return true;
}

std::vector<TrackerLookup::Failure> TrackerLookup::failedDatabases() const {
    std::vector<Failure> failed;
    for (const auto& slot : slots_) {
        if (slot.source && slot.source->passFailure())
            failed.push_back({slot.source->entry().database, *slot.source->passFailure()});
    }
    return failed;
}

bool TrackerLookup::buildAggregator(MessageSink& messages) {
    aggregatorWithoutTrigramIndex_ = false;
    if (!connected_)
        return false;
    bool everyOneBuilt = true;
    for (auto& slot : slots_) {
        TrackerSource* source = slot.source.get();
        if (source == nullptr || !source->entry().active ||
            source->kind() != DatabaseKind::PokerTracker3)
            continue;
        // Not connected (the user was told): the others are built all the same.
        if (source->passFailure()) {
            everyOneBuilt = false;
            continue;
        }
        auto& postgres = static_cast<PostgresTrackerSource&>(*source);
        // Building reads every hand: its statements get a deadline of their own.
        PostgresConnection& connection = postgres.connection();
        const auto refused = [&] {
            messages.showError(MessageKind::Failure, "Database \"" + source->entry().database +
                                                         "\": " + connection.errorMessage());
            return AggregatorBuild::Failed;
        };
        AggregatorBuild built = connection.setStatementTimeout(kAggregatorStatementTimeout)
                                    ? buildAggregatorTable(connection, messages)
                                    : refused();
        if (built != AggregatorBuild::Failed &&
            !connection.setStatementTimeout(options_.lookupTimeout))
            built = refused();
        switch (built) {
            case AggregatorBuild::Failed:
                postgres.disconnect();
                connected_ = false;
                return false;
            case AggregatorBuild::BuiltWithoutTrigramIndex:
                aggregatorWithoutTrigramIndex_ = true;
                break;
            case AggregatorBuild::Built:
                break;
        }
    }
    return everyOneBuilt;
}

}  // namespace kestrova
