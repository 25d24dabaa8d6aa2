#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sql/SqlConnection.h"
#include "trackers/TrackerSource.h"

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
    // A new connection to the entry's database; null with the reason in `error`.
    virtual std::unique_ptr<SqlConnection> open(std::string& error) = 0;
    // The statement that lists every player name, in its first column.
    virtual std::string_view nameListStatement() const = 0;
    // Tells the user that the name list could not be read; silent for the
    // kinds whose lists contribute nothing without a word.
    virtual void reportOpenFailure(const std::string& /*error*/, MessageSink& /*messages*/) {}
    virtual void reportFailure(const SqlConnection& /*connection*/, MessageSink& /*messages*/) {}
};

}  // namespace kestrova
