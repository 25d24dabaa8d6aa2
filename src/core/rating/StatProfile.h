#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rating/Rgb.h"
#include "records/PlayerStats.h"

namespace kestrova {

// The ten statistics that have a colour profile, in the order of the profile
// editor's choice list. Each profile lives in a file named like the statistic.
enum class ProfileStat {
    Vpip,
    Pfr,
    Af,
    Hands,
    Wtsd,
    AttToSteal,
    FoldSbToSteal,
    FoldBbToSteal,
    ThreeBetCap,
    ContiBetFlop,
};

inline constexpr std::size_t kProfileStatCount = 10;

inline constexpr std::array<ProfileStat, kProfileStatCount> kProfileStats = {
    ProfileStat::Vpip,          ProfileStat::Pfr,           ProfileStat::Af,
    ProfileStat::Hands,         ProfileStat::Wtsd,          ProfileStat::AttToSteal,
    ProfileStat::FoldSbToSteal, ProfileStat::FoldBbToSteal, ProfileStat::ThreeBetCap,
    ProfileStat::ContiBetFlop,
};

// "VPIP", "PFR", ... "Contibet_flop": the choice text and the file name.
std::string_view profileFileName(ProfileStat stat);

// The record's figure that the statistic's profile colours.
Figure profileStatFigure(const PlayerStats& player, ProfileStat stat);

// One row of a profile. The bounds are kept as typed, because the file stores
// them that way, and as the floats the lookup compares.
struct ProfileRange {
    std::string minimumText;
    std::string maximumText;
    Rgb colour;

    float minimum() const;
    float maximum() const;

    bool operator==(const ProfileRange&) const = default;
};

// The ordered colour ranges of one statistic. First match wins; ranges may overlap.
//
// File (little-endian): int32 row count, then per row the minimum and the
// maximum as counted texts and the colour as three int32 (red, green, blue).
class StatProfile final {
public:
    // Bound texts are short numbers; a longer length marks a damaged file.
    static constexpr std::size_t kMaxBoundTextBytes = 64;

    StatProfile() = default;
    explicit StatProfile(std::vector<ProfileRange> ranges) : ranges_(std::move(ranges)) {}

    const std::vector<ProfileRange>& ranges() const { return ranges_; }
    std::vector<ProfileRange>& ranges() { return ranges_; }
    bool empty() const { return ranges_.empty(); }

    // The colour of the first range with minimum <= value <= maximum; white
    // (no colour) when no range matches.
    Rgb colourFor(float value) const;

    // A damaged file gives the rows before the damage; colour channels are
    // clamped to 0..255.
    static StatProfile fromBytes(std::string_view bytes);
    static std::optional<std::string> toBytes(const StatProfile& profile);

    // The profile in `directory`; empty when the file is missing.
    static StatProfile load(const std::filesystem::path& directory, ProfileStat stat);
    // Rewrites the file whole and atomically; false when it could not be written.
    static bool save(const std::filesystem::path& directory, ProfileStat stat,
                     const StatProfile& profile);

    bool operator==(const StatProfile&) const = default;

private:
    std::vector<ProfileRange> ranges_;
};

// The colour lookup over a range list: white when the list is empty or nothing matches.
inline Rgb colourFor(float value, const StatProfile& profile) {
    return profile.colourFor(value);
}

}  // namespace kestrova
