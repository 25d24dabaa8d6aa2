#pragma once

#include <string>

namespace kestrova {

// One row of the client's table list as recognised on the screen.
// The name is the table's identity.
struct LobbyEntry {
    std::string name;
    std::string game;        // the column after the name; kept, not used
    std::string stakes;      // copied into the table list's "Limit" column
    std::string extra;       // the column after the seats: the limit type ("FL", "NL", "PL")
    std::string averagePot;  // copied into the "Avg. Pot" column
    std::string limitKind;   // "Limit", "No Limit", "Pot Limit", or empty when unknown
    int players = 0;         // seated players as shown
    int seats = 0;           // table size: 2 heads-up, 6 six-max, more than 6 full ring
    int waiting = 0;         // players on the waiting list, the "Wait" column

    bool operator==(const LobbyEntry&) const = default;
};

}  // namespace kestrova
