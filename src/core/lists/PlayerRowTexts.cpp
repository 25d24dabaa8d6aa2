#include "lists/PlayerRowTexts.h"

#include <algorithm>

namespace kestrova {

PlayerRowTexts playerRowTexts(const PlayerStats& r, const std::string& autorateLabel) {
    return {r.seat,
            r.name,
            autorateLabel,
            "",
            r.stack,
            r.hands,
            r.won,
            "",
            r.vpip,
            r.pfr,
            r.af,
            r.wtsd,
            r.wonSd,
            r.flopAf,
            r.turnAf,
            r.riverAf,
            r.attToSteal,
            r.foldSbToSteal,
            r.foldBbToSteal,
            r.contiBetFlop};
}

WholePlayerRowTexts wholePlayerRowTexts(const PlayerStats& r, const std::string& autorateLabel) {
    const PlayerRowTexts row = playerRowTexts(r, autorateLabel);
    WholePlayerRowTexts whole;
    whole[0] = r.table;
    std::copy(row.begin(), row.end(), whole.begin() + 1);
    return whole;
}

}  // namespace kestrova
