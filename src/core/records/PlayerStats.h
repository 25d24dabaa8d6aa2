#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// A figure to the cent, the very number its two-decimal text shows, so that a
// filter, a sum or a colour judges what the user sees; nullopt where the
// lists show "N/A".
using Figure = std::optional<double>;

// What is known about one seated player: built once by a look-up from counters
// summed over every active database, then shared by the statistics cache, the
// scanned tables and the list rows. The figures are numbers; the lists, the
// files and the command line format them where they show them.
struct PlayerStats {
    std::string name;              // exactly as looked up
    std::int32_t buddyIndex = -1;  // position in the buddy list, -1 when no buddy
    std::int32_t icon = 0;         // automatic-rating icon 0..15
    // Where the player was seen, as the screen shows it: the table's name, the
    // seat, and the stack without blanks and commas (its currency sign kept).
    std::string table;
    std::string seat;
    std::string stack;
    bool waiting = false;  // on the table's waiting list, not seated
    // His hands in the databases and those he put money in voluntarily.
    std::int32_t hands = 0;
    std::int32_t vpipHands = 0;
    Figure vpip;
    Figure pfr;
    Figure af;
    Figure flopAf;
    Figure turnAf;
    Figure riverAf;
    Figure wtsd;
    Figure wonSd;  // nullopt before his first showdown
    Figure won;
    Figure attToSteal;
    Figure foldSbToSteal;
    Figure foldBbToSteal;
    Figure contiBetFlop;
    Figure threeBetCap;
    std::int32_t recordIndex = -1;  // position in the player-record list, for copies
    // Other readings of the name where the lobby's font draws glyphs alike and
    // no tracker knew the name: the player may be any of them.
    std::vector<std::string> alike;

    bool operator==(const PlayerStats&) const = default;
};

// The texts the lists, the scan-result file and the command line show.
std::string figureText(const Figure& figure);  // "23.50", or "N/A"
std::string handsText(const PlayerStats& player);
std::string wonSdText(const PlayerStats& player);  // "0" before his first showdown

}  // namespace kestrova
