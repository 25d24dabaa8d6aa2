#pragma once

#include <filesystem>
#include <ostream>

namespace kestrova {

class SettingsStore;

// "kestrova-cli aggregate": rebuilds the aggregator table in every active
// PokerTracker 3 database of "db.conf" in `directory`, as the
// menu's "Update Aggregator database" does, and prints
// "The update of the database is now complete" when it is.
// Returns 0 then; 1 with the message box texts on `err` when a database failed.
int runAggregateCommand(const std::filesystem::path& directory, const SettingsStore& settings,
                        std::ostream& out, std::ostream& err);

}  // namespace kestrova
