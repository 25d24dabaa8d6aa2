#pragma once

#include <string>
#include <vector>

namespace kestrova::sim {

struct SeatedPlayer {
    std::string name;
    std::string stack;  // as the client shows it: "1,250", "$12.50", "3.400,75"
};

// One table of the simulated lobby, with the texts its list row and seat list show.
struct LobbyTable {
    std::string name;
    std::string game;
    std::string stakes;
    int seated = 0;
    int seats = 10;
    std::string extra;
    std::string averagePot;
    int waiting = 0;
    std::vector<SeatedPlayer> players;
    std::vector<std::string> waitlist;
};

}  // namespace kestrova::sim
