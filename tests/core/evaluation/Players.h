#pragma once

#include <memory>
#include <string>
#include <vector>

#include "records/PlayerStats.h"

namespace kestrova::test {

struct SeatedPlayer {
    std::string name;
    std::string hands;
    std::string vpip;
    std::string pfr = "10.00";
    std::string af = "2.00";
    std::string wtsd = "25.00";
    std::string won = "0.00";
    std::string stack = "100";
};

inline std::shared_ptr<PlayerStats> makePlayer(const SeatedPlayer& p) {
    // clang-format off
    return std::make_shared<PlayerStats>(PlayerStats{.name = p.name, .vpip = p.vpip, .af = p.af,
        .hands = p.hands, .wtsd = p.wtsd, .won = p.won, .pfr = p.pfr, .stack = p.stack});
    // clang-format on
}

inline std::vector<std::shared_ptr<PlayerStats>> makePlayers(
    const std::vector<SeatedPlayer>& seatedPlayers) {
    std::vector<std::shared_ptr<PlayerStats>> players;
    for (const SeatedPlayer& seated : seatedPlayers) {
        players.push_back(makePlayer(seated));
    }
    return players;
}

}  // namespace kestrova::test
