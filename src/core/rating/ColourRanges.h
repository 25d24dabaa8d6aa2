#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "rating/Rgb.h"
#include "rating/StatProfile.h"

namespace kestrova {

struct PlayerStats;

// The ten statistic profiles the main window loads at start-up and the lists
// and the table evaluation colour with.
class ColourRanges final {
public:
    // Each of the ten files in `directory`; a missing file leaves that list empty.
    static ColourRanges load(const std::filesystem::path& directory);

    const StatProfile& profile(ProfileStat stat) const {
        return profiles_[static_cast<std::size_t>(stat)];
    }
    StatProfile& profile(ProfileStat stat) { return profiles_[static_cast<std::size_t>(stat)]; }

    // The cell colour for a value; nullopt when the lookup gives white (no colour).
    std::optional<Rgb> cellColour(ProfileStat stat, float value) const;
    // The same for a record's figure; one shown as "N/A" counts as 0.
    std::optional<Rgb> cellColour(ProfileStat stat, const Figure& figure) const;

    // The colours of a player row's ten profiled cells, in ProfileStat order.
    // All empty unless the record's hands are more than minimumHands.
    using RowColours = std::array<std::optional<Rgb>, kProfileStatCount>;
    RowColours rowColours(const PlayerStats& player, int minimumHands) const;

private:
    std::array<StatProfile, kProfileStatCount> profiles_;
};

}  // namespace kestrova
