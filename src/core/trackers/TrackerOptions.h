#pragma once

#include <chrono>
#include <string>

namespace kestrova {

class SettingsStore;

// The settings a player look-up follows, taken from the settings snapshot
// rather than from the settings file at every player.
struct TrackerOptions {
    bool useAggregator = false;  // useagg: PokerTracker 3 through the hhps table
    bool excludeMe = false;      // excludeme: the user's own name gets an empty record
    std::string ownName;         // profilme
    // lookuptimeout: how long one look-up statement may take (seconds in the
    // settings, 1 at least); short, so that a stalled server does not hold up
    // a scan for long.
    std::chrono::milliseconds lookupTimeout{std::chrono::seconds(10)};

    // The options as the settings file holds them, for a program without the
    // typed settings (tests and benchmarks).
    static TrackerOptions fromSettings(const SettingsStore& settings);
    static std::chrono::milliseconds lookupTimeoutOf(int seconds);
    bool operator==(const TrackerOptions&) const = default;
};

}  // namespace kestrova
