#include "records/PlayerStats.h"

#include "common/NumberText.h"

namespace kestrova {

std::string figureText(const Figure& figure) {
    return figure ? twoDecimals(*figure) : "N/A";
}

std::string handsText(const PlayerStats& player) {
    return std::to_string(player.hands);
}

std::string wonSdText(const PlayerStats& player) {
    return player.wonSd ? twoDecimals(*player.wonSd) : "0";
}

}  // namespace kestrova
