#pragma once

#include "common/TranslatableText.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

struct PlayerStats;

// The line above the lists: "Knownplayer :42.86 %\nTables: 12", the share of
// player records with more than the minimum hands and the table-list rows.
// With no records the share is 0.00.
std::string knownPlayerLine(std::size_t knownRecords, std::size_t records, std::size_t tableRows);
std::string knownPlayerLine(const std::vector<std::shared_ptr<PlayerStats>>& records,
                            int minimumHands, std::size_t tableRows);

// The line's label, which the window shows in the user's language.
inline constexpr const char* kKnownPlayerLabel = KESTROVA_TEXT("Messages", "Knownplayer :");

// The text the label shows before any scan.
inline constexpr const char* kInitialKnownPlayerLine = "Knownplayer : 0 %";

}  // namespace kestrova
