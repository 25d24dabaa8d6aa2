#pragma once

#include "records/PlayerStats.h"

#include <array>
#include <string>

namespace kestrova {

inline constexpr int kPlayerListColumns = 20;
inline constexpr int kWholePlayerListColumns = 21;
inline constexpr int kBuddyColumn = 3;  // in the player list; one more in the whole list
using PlayerRowTexts = std::array<std::string, kPlayerListColumns>;
using WholePlayerRowTexts = std::array<std::string, kWholePlayerListColumns>;

// The texts of a player-list row: seat, name, autorate label, (buddy box), stack,
// hands, won, (BB/100, never filled), and the figures as the record holds them.
PlayerRowTexts playerRowTexts(const PlayerStats& record, const std::string& autorateLabel);
// The same after the table's name, for the whole player list.
WholePlayerRowTexts wholePlayerRowTexts(const PlayerStats& record,
                                        const std::string& autorateLabel);

}  // namespace kestrova
