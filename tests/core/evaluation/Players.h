#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "common/NumberText.h"
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

// The figures written as the lists show them; "" or "N/A" is no figure, and
// the VPIP hands are those the percentage stands for.
inline std::shared_ptr<PlayerStats> makePlayer(const SeatedPlayer& p) {
    auto player = std::make_shared<PlayerStats>();
    player->name = p.name;
    player->stack = p.stack;
    player->hands = integerOrZero(p.hands);
    player->vpip = parseNumber(p.vpip);
    player->vpipHands =
        static_cast<int>(std::lround(player->vpip.value_or(0) * player->hands / 100));
    player->pfr = parseNumber(p.pfr);
    player->af = parseNumber(p.af);
    player->wtsd = parseNumber(p.wtsd);
    player->won = parseNumber(p.won);
    return player;
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
