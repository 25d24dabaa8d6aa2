#pragma once

#include "records/PlayerStats.h"
#include "records/TrackerCounters.h"

#include <string>

namespace kestrova {

class BuddyIndex;

// Turns summed counters into a record, every figure to the cent.
// buddies may be null (no buddy list yet): the buddy index is then -1.
PlayerStats buildPlayerStats(const TrackerCounters& counters, const std::string& name,
                             const std::string& stack, const std::string& seat,
                             const BuddyIndex* buddies);

}  // namespace kestrova
