#include "rating/ColourRanges.h"

#include "common/NumberText.h"
#include "records/PlayerStats.h"

namespace kestrova {

ColourRanges ColourRanges::load(const std::filesystem::path& directory) {
    ColourRanges ranges;
    for (ProfileStat stat : kProfileStats) {
        ranges.profile(stat) = StatProfile::load(directory, stat);
    }
    return ranges;
}

std::optional<Rgb> ColourRanges::cellColour(ProfileStat stat, float value) const {
    const Rgb colour = profile(stat).colourFor(value);
    if (colour.isWhite()) {
        return std::nullopt;
    }
    return colour;
}

std::optional<Rgb> ColourRanges::cellColour(ProfileStat stat, const Figure& figure) const {
    return cellColour(stat, static_cast<float>(figure.value_or(0.0)));
}

ColourRanges::RowColours ColourRanges::rowColours(const PlayerStats& player,
                                                  int minimumHands) const {
    RowColours colours;
    if (player.hands <= minimumHands) {
        return colours;
    }
    for (ProfileStat stat : kProfileStats) {
        colours[static_cast<std::size_t>(stat)] = cellColour(stat, profileStatFigure(player, stat));
    }
    return colours;
}

}  // namespace kestrova
