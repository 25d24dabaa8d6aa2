#pragma once

#include "records/PlayerNameSource.h"

namespace kestrova {

// The player names of the trackers that keep a player list the import can
// read: PokerTracker 2 (PostgreSQL and Access), Pokermanager and PokerOffice.
// The other kinds contribute no names.
//
// Each collection opens its own connection and closes it again, so it never
// disturbs the look-up's connections.
class TrackerNameSource final : public PlayerNameSource {
public:
    Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink& messages) override;
};

}  // namespace kestrova
