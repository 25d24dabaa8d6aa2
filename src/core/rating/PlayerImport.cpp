#include "rating/PlayerImport.h"

#include <algorithm>
#include <limits>
#include <unordered_set>
#include <utility>

#include "common/MessageSink.h"
#include "common/NumberText.h"
#include "rating/BuddyList.h"
#include "records/ImportProgress.h"
#include "records/PlayerLookup.h"
#include "records/PlayerNameSource.h"
#include "records/PlayerStats.h"

namespace kestrova {

namespace {

int clampedCount(std::size_t count) {
    return static_cast<int>(
        std::min<std::size_t>(count, static_cast<std::size_t>(std::numeric_limits<int>::max())));
}

// A figure as the range test reads it: the number truncated towards zero; one
// shown as "N/A" is 0.
int wholeFigure(const Figure& figure) {
    return truncatedInt(figure.value_or(0.0));
}

}  // namespace

bool ImportFilter::passes(const PlayerStats& player) const {
    return player.hands >= minimumHands && vpip.accepts(wholeFigure(player.vpip)) &&
           pfr.accepts(wholeFigure(player.pfr)) && af.accepts(wholeFigure(player.af));
}

PlayerImport::PlayerImport(PlayerLookup& lookup, PlayerNameSource& names, MessageSink& messages)
    : lookup_(lookup), names_(names), messages_(messages) {}

std::vector<std::string> PlayerImport::withoutRepeats(const std::vector<std::string>& names) {
    std::unordered_set<std::string_view> seen;
    seen.reserve(names.size());
    std::vector<std::string> unique;
    unique.reserve(names.size());
    for (const std::string& name : names) {
        // The views point into `names`, which stays untouched until the end.
        if (seen.insert(name).second) {
            unique.push_back(name);
        }
    }
    return unique;
}

PlayerImport::Outcome PlayerImport::run(const std::vector<DatabaseEntry>& databases,
                                        const ImportFilter& filter, BuddyList& buddies,
                                        ImportProgress& progress) {
    Outcome outcome;
    candidates_.clear();
    // Buddies picked by figures without one of the databases would be picked
    // wrongly: the import needs every database.
    if (!lookup_.connectDatabases(messages_) || lookup_.databaseLeftOut()) {
        outcome.failed = true;
        lookup_.disconnectDatabases();
        return outcome;
    }

    progress.setLabel(std::string(kCollectingLabel));
    std::vector<std::string> collected;
    for (const DatabaseEntry& entry : databases) {
        if (!entry.active) {
            continue;
        }
        const auto result = names_.collectNames(entry, collected, progress, messages_);
        if (result == PlayerNameSource::Result::Failed) {
            outcome.failed = true;
            outcome.collected = collected.size();
            lookup_.disconnectDatabases();
            return outcome;
        }
        if (result == PlayerNameSource::Result::Cancelled) {
            outcome.cancelled = true;
            break;
        }
    }
    outcome.collected = collected.size();
    candidates_ = withoutRepeats(collected);

    progress.setLabel(std::string(kImportingLabel));
    progress.setMaximum(clampedCount(candidates_.size()));
    progress.setValue(0);
    const std::string seat(kNoSeat);
    const std::string stack(kNoStack);
    for (std::size_t i = 0; i < candidates_.size() && !outcome.cancelled; ++i) {
        if (progress.cancelled()) {
            outcome.cancelled = true;
            break;
        }
        const std::string& name = candidates_[i];
        const auto record = lookup_.lookupPlayer(name, stack, seat, messages_);
        ++outcome.lookedUp;
        if (record && filter.passes(*record) && buddies.addBuddy(name, false).changed) {
            ++outcome.added;
        }
        progress.setValue(clampedCount(i + 1));
        outcome.cancelled = progress.cancelled();
    }

    outcome.saved = buddies.saveBuddies();
    if (!outcome.saved) {
        messages_.showMessage({MessageKind::FileNotWritten, std::string(BuddyList::kErrorTitle),
                               std::string(BuddyList::kSaveErrorText)});
    }
    lookup_.disconnectDatabases();
    return outcome;
}

}  // namespace kestrova
