#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

// What is known about one seated player: built once by a look-up from counters
// summed over every active database, then shared by the statistics cache, the
// scanned tables and the list rows. Every figure is kept as its display text.
struct PlayerStats {
    std::string name;              // exactly as looked up
    std::int32_t buddyIndex = -1;  // position in the buddy list, -1 when no buddy
    std::int32_t icon = 0;         // automatic-rating icon 0..15
    std::string vpip;
    std::string af;
    std::string flopAf;
    std::string turnAf;
    std::string riverAf;
    std::string hands;
    std::string table;  // where the player was seen; set by the scan
    std::string wtsd;
    std::string wonSd;
    std::string won;
    std::string seat;
    std::string pfr;
    std::string stack;  // without blanks and commas
    std::string attToSteal;
    std::string foldSbToSteal;
    std::string foldBbToSteal;
    std::string contiBetFlop;
    std::string threeBetCap;
    std::int32_t recordIndex = -1;  // position in the player-record list, for copies
    // The counters behind "hands" and "vpip" as a look-up summed them, so that
    // scoring a table needs no parsing; -1 for a record made from texts alone.
    std::int32_t handCount = -1;
    std::int32_t vpipHandCount = -1;
    // Other readings of the name where the lobby's font draws glyphs alike and
    // no tracker knew the name: the player may be any of them.
    std::vector<std::string> alike;

    bool operator==(const PlayerStats&) const = default;
};

}  // namespace kestrova
