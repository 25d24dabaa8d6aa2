#pragma once

#include "stats/PlayerNameSource.h"

namespace kestrova {

// The player names of the PostgreSQL trackers that keep a player list the
// import can read: PokerTracker 2 ("select screen_name from players" through
// the cursor). The other PostgreSQL kinds contribute no names, and the
// Firebird, MySQL and Access kinds none yet.
//
// Each collection opens its own connection and closes it again, so it never
// disturbs the look-up's connections.
class TrackerNameSource final : public PlayerNameSource {
public:
    static constexpr const char* kPlayerListCursor =
        "DECLARE myportal CURSOR FOR select screen_name from players";

    Result collectNames(const DatabaseEntry& entry, std::vector<std::string>& names,
                        ImportProgress& progress, MessageSink& messages) override;
};

}  // namespace kestrova
