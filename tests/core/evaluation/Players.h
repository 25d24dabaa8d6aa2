#pragma once

#include <memory>
#include <string>
#include <vector>

#include "stats/PlayerStats.h"

namespace kestrova::test {

struct PlayerSpec {
    std::string name;
    std::string hands;
    std::string vpip;
    std::string pfr = "10.00";
    std::string af = "2.00";
    std::string wtsd = "25.00";
    std::string won = "0.00";
    std::string stack = "100";
};

inline std::shared_ptr<PlayerStats> makePlayer(const PlayerSpec& spec) {
    auto player = std::make_shared<PlayerStats>();
    player->name = spec.name;
    player->hands = spec.hands;
    player->vpip = spec.vpip;
    player->pfr = spec.pfr;
    player->af = spec.af;
    player->wtsd = spec.wtsd;
    player->won = spec.won;
    player->stack = spec.stack;
    return player;
}

inline std::vector<std::shared_ptr<PlayerStats>> makePlayers(const std::vector<PlayerSpec>& specs) {
    std::vector<std::shared_ptr<PlayerStats>> players;
    for (const PlayerSpec& spec : specs) {
        players.push_back(makePlayer(spec));
    }
    return players;
}

}  // namespace kestrova::test
