#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "stats/SqlConnection.h"
#include "stats/TrackerSource.h"

namespace kestrova {

// The common part of the trackers that connect inside every look-up over an
// SqlConnection: Pokermanager (Firebird), PokerOffice (MySQL) and PokerTracker 2
// in Access files.
class SqlTrackerSource : public TrackerSource {
public:
    using TrackerSource::TrackerSource;

    PlayerNameSource::Result collectNames(std::vector<std::string>& names, ImportProgress& progress,
                                          MessageSink& messages) override;

protected:
    // A new connection to the entry's database; null after telling the user
    // why, when the kind tells failures at all.
    virtual std::unique_ptr<SqlConnection> open(MessageSink& messages) = 0;
    // The statement that lists every player name, in its first column.
    virtual std::string_view nameListStatement() const = 0;
    // Tells the user that a statement failed; silent for the kinds whose
    // failures contribute nothing without a word.
    virtual void reportFailure(const SqlConnection& connection, MessageSink& messages) = 0;
};

}  // namespace kestrova
