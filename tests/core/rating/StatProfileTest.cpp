#include "rating/StatProfile.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "rating/ColourRanges.h"
#include "stats/PlayerStats.h"

namespace kestrova {
namespace {

using test::bytes;

const Rgb kGreen{0, 255, 0};
const Rgb kRed{255, 0, 0};

ProfileRange range(std::string minimum, std::string maximum, Rgb colour) {
    return ProfileRange{std::move(minimum), std::move(maximum), colour};
}

// --- the colour lookup ---------------------------------------------------------

TEST(ColourLookup, FirstRangeInListOrderWinsAndBothEndsAreInclusive) {
    const StatProfile vpip({range("0", "20", kGreen), range("15", "30", kRed)});
    EXPECT_EQ(colourFor(18.0f, vpip), kGreen);
    EXPECT_EQ(colourFor(25.0f, vpip), kRed);
    EXPECT_EQ(colourFor(20.0f, vpip), kGreen);
    EXPECT_EQ(colourFor(0.0f, vpip), kGreen);
    EXPECT_EQ(colourFor(30.0f, vpip), kRed);
    EXPECT_EQ(colourFor(30.01f, vpip), Rgb::white());
}

TEST(ColourLookup, EmptyProfileGivesWhite) {
    EXPECT_TRUE(colourFor(12.0f, StatProfile{}).isWhite());
}

TEST(ColourLookup, BoundsTypedWithDecimalsCompareAsFloats) {
    const StatProfile af({range("1.5", "2.25", kRed)});
    EXPECT_EQ(colourFor(2.25f, af), kRed);
    EXPECT_TRUE(colourFor(1.49f, af).isWhite());
}

TEST(ColourLookup, WhiteRangeNeverShowsAsACellColour) {
    ColourRanges ranges;
    ranges.profile(ProfileStat::Vpip) = StatProfile({range("0", "100", Rgb::white())});
    EXPECT_FALSE(ranges.cellColour(ProfileStat::Vpip, 40.0f).has_value());
}

TEST(ColourLookup, TextThatIsNoNumberCountsAsZero) {
    ColourRanges ranges;
    ranges.profile(ProfileStat::FoldSbToSteal) = StatProfile({range("0", "0", kRed)});
    EXPECT_EQ(ranges.cellColour(ProfileStat::FoldSbToSteal, std::string_view("N/A")), kRed);
    EXPECT_EQ(ranges.cellColour(ProfileStat::FoldSbToSteal, std::string_view("")), kRed);
    EXPECT_FALSE(ranges.cellColour(ProfileStat::FoldSbToSteal, std::string_view("5.00")));
}

TEST(ColourLookup, RowIsColouredOnlyAboveTheMinimumHands) {
    ColourRanges ranges;
    ranges.profile(ProfileStat::Vpip) = StatProfile({range("0", "100", kRed)});
    ranges.profile(ProfileStat::Hands) = StatProfile({range("0", "100000", kGreen)});
    PlayerStats player;
    player.vpip = "35.00";
    player.hands = "100";
    for (const auto& colour : ranges.rowColours(player, 100)) {
        EXPECT_FALSE(colour.has_value());
    }
    player.hands = "101";
    const auto colours = ranges.rowColours(player, 100);
    EXPECT_EQ(colours[static_cast<std::size_t>(ProfileStat::Vpip)], kRed);
    EXPECT_EQ(colours[static_cast<std::size_t>(ProfileStat::Hands)], kGreen);
    EXPECT_FALSE(colours[static_cast<std::size_t>(ProfileStat::Pfr)].has_value());
}

TEST(ColourLookup, EachStatisticColoursItsOwnField) {
    PlayerStats player;
    player.threeBetCap = "3bet";
    player.contiBetFlop = "cbet";
    player.foldBbToSteal = "bb";
    EXPECT_EQ(profileStatText(player, ProfileStat::ThreeBetCap), "3bet");
    EXPECT_EQ(profileStatText(player, ProfileStat::ContiBetFlop), "cbet");
    EXPECT_EQ(profileStatText(player, ProfileStat::FoldBbToSteal), "bb");
}

// --- profile files -----------------------------------------------------------------

TEST(ProfileFile, NamesAreTheStatisticNames) {
    const char* expected[] = {"VPIP",
                              "PFR",
                              "AF",
                              "HANDS",
                              "WTSD",
                              "Att_to_Steal",
                              "Fold_SB_to_Steal",
                              "Fold_BB_to_Steal",
                              "3Bet_Cap",
                              "Contibet_flop"};
    for (std::size_t i = 0; i < kProfileStatCount; ++i) {
        EXPECT_EQ(profileFileName(kProfileStats[i]), expected[i]);
    }
}

TEST(ProfileFile, WritesTheExactBytes) {
    const StatProfile profile(
        {range("40", "100", Rgb{255, 0, 0}), range("12.5", "7", Rgb{1, 2, 3})});
    const auto written = StatProfile::toBytes(profile);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, bytes("\x02\x00\x00\x00"
                              "\x02\x00\x00\x00"
                              "40"
                              "\x03\x00\x00\x00"
                              "100"
                              "\xff\x00\x00\x00"
                              "\x00\x00\x00\x00"
                              "\x00\x00\x00\x00"
                              "\x04\x00\x00\x00"
                              "12.5"
                              "\x01\x00\x00\x00"
                              "7"
                              "\x01\x00\x00\x00"
                              "\x02\x00\x00\x00"
                              "\x03\x00\x00\x00"));
    EXPECT_EQ(StatProfile::fromBytes(*written), profile);
}

TEST(ProfileFile, SaveAndLoadThroughTheDirectory) {
    test::TempDir dir;
    const StatProfile profile({range("0", "20", kGreen)});
    ASSERT_TRUE(StatProfile::save(dir.path(), ProfileStat::Wtsd, profile));
    EXPECT_EQ(test::readBytes(dir / "WTSD"), *StatProfile::toBytes(profile));
    EXPECT_EQ(StatProfile::load(dir.path(), ProfileStat::Wtsd), profile);
    const ColourRanges all = ColourRanges::load(dir.path());
    EXPECT_EQ(all.profile(ProfileStat::Wtsd), profile);
    EXPECT_TRUE(all.profile(ProfileStat::Vpip).empty());
}

TEST(ProfileFile, MissingFileIsAnEmptyProfile) {
    test::TempDir dir;
    EXPECT_TRUE(StatProfile::load(dir.path(), ProfileStat::Vpip).empty());
}

TEST(ProfileFile, HostileCountAndLengthsKeepTheRowsBeforeTheDamage) {
    // Count 2 billion with one good row, then a length of 1 GB.
    const std::string file = bytes(
        "\x00\x00\x00\x7f"
        "\x01\x00\x00\x00"
        "1"
        "\x01\x00\x00\x00"
        "2"
        "\x05\x00\x00\x00"
        "\x06\x00\x00\x00"
        "\x07\x00\x00\x00"
        "\x00\x00\x00\x40"
        "xx");
    const StatProfile profile = StatProfile::fromBytes(file);
    ASSERT_EQ(profile.ranges().size(), 1u);
    EXPECT_EQ(profile.ranges()[0].colour, (Rgb{5, 6, 7}));
}

TEST(ProfileFile, NegativeCountShortRowAndOddChannels) {
    EXPECT_TRUE(StatProfile::fromBytes(bytes("\xff\xff\xff\xff")).empty());
    EXPECT_TRUE(StatProfile::fromBytes(bytes("\x01\x00")).empty());
    // A row cut inside its colour is dropped.
    EXPECT_TRUE(StatProfile::fromBytes(bytes("\x01\x00\x00\x00"
                                             "\x01\x00\x00\x00"
                                             "1"
                                             "\x01\x00\x00\x00"
                                             "2"
                                             "\x05\x00\x00\x00"))
                    .empty());
    // Channels outside 0..255 are clamped.
    const StatProfile clamped =
        StatProfile::fromBytes(bytes("\x01\x00\x00\x00"
                                     "\x01\x00\x00\x00"
                                     "1"
                                     "\x01\x00\x00\x00"
                                     "2"
                                     "\x00\x01\x00\x00"
                                     "\xff\xff\xff\xff"
                                     "\x10\x00\x00\x00"));
    ASSERT_EQ(clamped.ranges().size(), 1u);
    EXPECT_EQ(clamped.ranges()[0].colour, (Rgb{255, 0, 16}));
}

}  // namespace
}  // namespace kestrova
