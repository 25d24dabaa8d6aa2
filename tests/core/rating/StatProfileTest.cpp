#include "rating/StatProfile.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "rating/AutorateIcons.h"
#include "rating/ColourRanges.h"
#include "records/PlayerStats.h"
#include "settings/SettingsStore.h"

#include <set>

namespace kestrova {
namespace {

using test::bytes;
using test::le32;

const Rgb kGreen{0, 255, 0};
const Rgb kRed{255, 0, 0};

ProfileRange range(std::string minimum, std::string maximum, Rgb colour) {
    return ProfileRange{std::move(minimum), std::move(maximum), colour};
}

TEST(ColourLookup, FirstRangeInListOrderWinsBothEndsInclusive) {
    const StatProfile vpip({range("0", "20", kGreen), range("15", "30", kRed)});
    EXPECT_EQ(colourFor(20.0f, vpip), kGreen);
    EXPECT_EQ(colourFor(25.0f, vpip), kRed);
    EXPECT_EQ(colourFor(30.0f, vpip), kRed);
    EXPECT_EQ(colourFor(30.01f, vpip), Rgb::white());
    EXPECT_EQ(colourFor(2.25f, StatProfile({range("1.5", "2.25", kRed)})), kRed);

    ColourRanges ranges;
    ranges.profile(ProfileStat::Wtsd) = StatProfile({range("0", "100", Rgb::white())});
    EXPECT_FALSE(ranges.cellColour(ProfileStat::Wtsd, 40.0f)) << "white is no cell colour";
    ranges.profile(ProfileStat::FoldSbToSteal) = StatProfile({range("0", "0", kRed)});
    EXPECT_EQ(ranges.cellColour(ProfileStat::FoldSbToSteal, Figure{}), kRed);
    EXPECT_FALSE(ranges.cellColour(ProfileStat::FoldSbToSteal, Figure{5.0}));
}

TEST(ColourLookup, RowIsColouredOnlyAboveTheMinimumHands) {
    ColourRanges ranges;
    ranges.profile(ProfileStat::Vpip) = StatProfile({range("0", "100", kRed)});
    ranges.profile(ProfileStat::ContiBetFlop) = StatProfile({range("0", "100000", kGreen)});
    PlayerStats player;
    player.vpip = 35.0;
    player.contiBetFlop = 2.0;
    player.hands = 100;
    for (const auto& colour : ranges.rowColours(player, 100))
        EXPECT_FALSE(colour.has_value());
    player.hands = 101;
    const auto colours = ranges.rowColours(player, 100);
    EXPECT_EQ(colours[static_cast<std::size_t>(ProfileStat::Vpip)], kRed);
    EXPECT_EQ(colours[static_cast<std::size_t>(ProfileStat::ContiBetFlop)], kGreen);
    EXPECT_FALSE(colours[static_cast<std::size_t>(ProfileStat::Pfr)].has_value());
}

// --- profile files -----------------------------------------------------------------

TEST(ProfileFile, ExactBytesThroughTheDirectory) {
    const StatProfile profile(
        {range("40", "100", Rgb{255, 0, 0}), range("12.5", "7", Rgb{1, 2, 3})});
    test::TempDir dir;
    ASSERT_TRUE(StatProfile::save(dir.path(), ProfileStat::Wtsd, profile));
    EXPECT_EQ(test::readBytes(dir / "WTSD"), le32({2, 2}) + "40" + le32({3}) + "100" +
                                                 le32({255, 0, 0, 4}) + "12.5" + le32({1}) + "7" +
                                                 le32({1, 2, 3}));
    const ColourRanges all = ColourRanges::load(dir.path());
    EXPECT_EQ(all.profile(ProfileStat::Wtsd), profile);
    EXPECT_TRUE(all.profile(ProfileStat::Vpip).empty());
}

TEST(ProfileFile, DamageKeepsTheRowsBeforeItAndChannelsAreClamped) {
    const std::string row = le32({1}) + "1" + le32({1}) + "2";
    // Count 2 billion with one good row, then a length of 1 GB.
    const StatProfile cut =
        StatProfile::fromBytes(le32({0x7f000000}) + row + le32({5, 6, 7, 0x40000000}) + "xx");
    ASSERT_EQ(cut.ranges().size(), 1u);
    EXPECT_EQ(cut.ranges()[0].colour, (Rgb{5, 6, 7}));
    EXPECT_TRUE(StatProfile::fromBytes(bytes("\xff\xff\xff\xff")).empty());
    EXPECT_TRUE(StatProfile::fromBytes(le32({1}) + row + le32({5})).empty());
    const StatProfile clamped = StatProfile::fromBytes(le32({1}) + row + le32({256, -1, 16}));
    ASSERT_EQ(clamped.ranges().size(), 1u);
    EXPECT_EQ(clamped.ranges()[0].colour, (Rgb{255, 0, 16}));
}

// Icons 2 to 15 take their labels from the settings when set; numbers outside
// the sixteen shipped pictures show icon 0.
TEST(AutorateIcons, LabelsFromTheSettingsAndTheShippedPictures) {
    test::TempDir dir;
    SettingsStore settings(dir / "Velloran.ini");
    ASSERT_TRUE(settings.writeText("FishIcon", "Fish"));
    ASSERT_TRUE(settings.writeText("MoneyIcon", ""));  // empty keeps the built-in label
    const AutorateIcons icons = AutorateIcons::fromSettings(settings);
    EXPECT_EQ(icons.label(2), "Fish");
    EXPECT_EQ(icons.label(16), icons.label(0));
    EXPECT_EQ(AutorateIcons::fileName(16), "");
    // The tooltip: the key of the user's own label; a code's letter groups.
    EXPECT_EQ(icons.explain(2).labelKey, "FishIcon");
    EXPECT_TRUE(icons.explain(2).traits.empty()) << "\"Fish\" is no code";
    EXPECT_EQ(icons.explain(12).icon, "Calling station");
    EXPECT_EQ(icons.explain(12).traits.size(), 3u) << "SL, P, P";
    EXPECT_EQ(icons.explain(15).traits.size(), 2u) << "T, A";
    EXPECT_TRUE(icons.explain(-1).icon.empty() && icons.explain(11).traits.empty());

    std::set<std::string> pictures;
    for (int i = 0; i < AutorateIcons::kCount; ++i) {
        const std::string png =
            test::readBytes(std::filesystem::path(KESTROVA_DATA_DIR) / AutorateIcons::fileName(i));
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << i;
        EXPECT_EQ(png.substr(16, 8), bytes("\x00\x00\x00\x10\x00\x00\x00\x10")) << "16 x 16";
        pictures.insert(png);
    }
    EXPECT_EQ(pictures.size(), 16u) << "no two alike";
}

}  // namespace
}  // namespace kestrova
