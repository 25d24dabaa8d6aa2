#pragma once

#include "sim/Lobby.h"

#include <string>
#include <vector>

namespace kestrova::test {

// A lobby of n tables "Table 01" ... with a mix of sizes and counts:
// every fifth table is six-max, every seventh is empty, table 12 shows 11 players.
inline sim::Lobby makeLobby(int n) {
    std::vector<sim::LobbyTable> tables;
    for (int i = 1; i <= n; ++i) {
        sim::LobbyTable t;
        t.name = (i < 10 ? "Table 0" : "Table ") + std::to_string(i);
        t.game = "Hold'em";
        t.stakes = "$" + std::to_string(i) + "/$" + std::to_string(2 * i);
        t.seats = i % 5 == 0 ? 6 : 10;
        t.seated = i % 7 == 0 ? 0 : (i == 12 ? 11 : 1 + i % t.seats);
        t.extra = "Fast";
        t.averagePot = "$" + std::to_string(10 * i) + ".50";
        for (int p = 0; p < t.seated && p < t.seats; ++p)
            t.players.push_back({"player" + std::to_string(i) + "_" + std::to_string(p), "1,250"});
        tables.push_back(std::move(t));
    }
    return sim::Lobby(std::move(tables));
}

}  // namespace kestrova::test
