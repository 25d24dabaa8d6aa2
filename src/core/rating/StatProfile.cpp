#include "rating/StatProfile.h"

#include <algorithm>
#include <limits>

#include "common/BinaryReader.h"
#include "common/BinaryWriter.h"
#include "common/NumberText.h"
#include "records/PlayerStats.h"
#include "settings/CompanionFile.h"

namespace kestrova {

namespace {

constexpr std::array<std::string_view, kProfileStatCount> kFileNames = {"VPIP",
                                                                        "PFR",
                                                                        "AF",
                                                                        "HANDS",
                                                                        "WTSD",
                                                                        "Att_to_Steal",
                                                                        "Fold_SB_to_Steal",
                                                                        "Fold_BB_to_Steal",
                                                                        "3Bet_Cap",
                                                                        "Contibet_flop"};

// Two length fields and three colour channels.
constexpr std::size_t kMinRowBytes = 4 + 4 + 3 * 4;

int channel(std::int32_t value) {
    return std::clamp(value, 0, 255);
}

}  // namespace

std::string_view profileFileName(ProfileStat stat) {
    return kFileNames[static_cast<std::size_t>(stat)];
}

Figure profileStatFigure(const PlayerStats& player, ProfileStat stat) {
    switch (stat) {
        case ProfileStat::Vpip:
            return player.vpip;
        case ProfileStat::Pfr:
            return player.pfr;
        case ProfileStat::Af:
            return player.af;
        case ProfileStat::Hands:
            return player.hands;
        case ProfileStat::Wtsd:
            return player.wtsd;
        case ProfileStat::AttToSteal:
            return player.attToSteal;
        case ProfileStat::FoldSbToSteal:
            return player.foldSbToSteal;
        case ProfileStat::FoldBbToSteal:
            return player.foldBbToSteal;
        case ProfileStat::ThreeBetCap:
            return player.threeBetCap;
        case ProfileStat::ContiBetFlop:
            break;
    }
    return player.contiBetFlop;
}

float ProfileRange::minimum() const {
    return static_cast<float>(numberOrZero(minimumText));
}

float ProfileRange::maximum() const {
    return static_cast<float>(numberOrZero(maximumText));
}

Rgb StatProfile::colourFor(float value) const {
    for (const ProfileRange& range : ranges_) {
        if (range.minimum() <= value && value <= range.maximum()) {
            return range.colour;
        }
    }
    return Rgb::white();
}

StatProfile StatProfile::fromBytes(std::string_view bytes) {
    StatProfile profile;
    BinaryReader reader(bytes);
    const auto count = reader.readCount(kMinRowBytes);
    if (!count) {
        return profile;
    }
    profile.ranges_.reserve(count->possible);
    for (std::size_t i = 0; i < count->stored; ++i) {
        auto minimum = reader.readCountedText(kMaxBoundTextBytes);
        if (!minimum) {
            break;
        }
        auto maximum = reader.readCountedText(kMaxBoundTextBytes);
        if (!maximum) {
            break;
        }
        const auto red = reader.readInt32();
        const auto green = reader.readInt32();
        const auto blue = reader.readInt32();
        if (!red || !green || !blue) {
            break;
        }
        profile.ranges_.push_back(
            ProfileRange{std::move(*minimum), std::move(*maximum),
                         Rgb{channel(*red), channel(*green), channel(*blue)}});
    }
    return profile;
}

std::optional<std::string> StatProfile::toBytes(const StatProfile& profile) {
    if (profile.ranges_.size() >
        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    BinaryWriter writer;
    writer.writeInt32(static_cast<std::int32_t>(profile.ranges_.size()));
    for (const ProfileRange& range : profile.ranges_) {
        if (range.minimumText.size() > kMaxBoundTextBytes ||
            range.maximumText.size() > kMaxBoundTextBytes) {
            return std::nullopt;
        }
        writer.writeCountedText(range.minimumText);
        writer.writeCountedText(range.maximumText);
        writer.writeInt32(channel(range.colour.red));
        writer.writeInt32(channel(range.colour.green));
        writer.writeInt32(channel(range.colour.blue));
    }
    return writer.bytes();
}

StatProfile StatProfile::load(const std::filesystem::path& directory, ProfileStat stat) {
    const auto bytes = readCompanionFile(directory, profileFileName(stat));
    return bytes ? fromBytes(*bytes) : StatProfile{};
}

bool StatProfile::save(const std::filesystem::path& directory, ProfileStat stat,
                       const StatProfile& profile) {
    const auto bytes = toBytes(profile);
    return bytes && writeCompanionFile(directory, profileFileName(stat), *bytes);
}

}  // namespace kestrova
