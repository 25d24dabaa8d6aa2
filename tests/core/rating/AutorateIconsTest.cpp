#include "rating/AutorateIcons.h"

#include <gtest/gtest.h>

#include <set>

#include "TempDir.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

TEST(AutorateIcons, BuiltInLabelsInIconOrder) {
    const AutorateIcons icons;
    const char* expected[] = {"No",  "Default", "LPP", "TAA",      "SLAA", "SLAP", "TAP", "SLPA",
                              "LAP", "TPA",     "LAA", "Not Sure", "SLPP", "TPP",  "LPA", "TA"};
    for (int i = 0; i < AutorateIcons::kCount; ++i) {
        EXPECT_EQ(icons.label(i), expected[i]) << i;
    }
    EXPECT_EQ(AutorateIcons::fileName(0), "icons/0.png");
    EXPECT_EQ(AutorateIcons::fileName(15), "icons/15.png");
}

TEST(AutorateIcons, NumberOutsideTheIconsShowsIconZero) {
    const AutorateIcons icons;
    EXPECT_EQ(icons.label(16), "No");
    EXPECT_EQ(icons.label(-1), "No");
    EXPECT_EQ(AutorateIcons::clampedIndex(99), 0);
    EXPECT_EQ(AutorateIcons::fileName(16), "");
}

TEST(AutorateIcons, SettingsKeysRelabelIconsTwoToFifteen) {
    test::TempDir dir;
    SettingsStore settings(dir / "Velloran.ini");
    ASSERT_TRUE(settings.writeText("FishIcon", "Fish"));
    ASSERT_TRUE(settings.writeText("EagleIcon", "Eagle"));
    ASSERT_TRUE(settings.writeText("MoneyIcon", ""));  // empty keeps the built-in label
    const AutorateIcons icons = AutorateIcons::fromSettings(settings);
    EXPECT_EQ(icons.label(2), "Fish");
    EXPECT_EQ(icons.label(15), "Eagle");
    EXPECT_EQ(icons.label(3), "TAA");
    EXPECT_EQ(icons.label(0), "No");
    EXPECT_EQ(AutorateIcons::labelKeyName(2), "FishIcon");
    EXPECT_EQ(AutorateIcons::labelKeyName(13), "MouseIcon");
    EXPECT_EQ(AutorateIcons::labelKeyName(1), "");
}

TEST(AutorateIcons, WithoutSettingsFileTheBuiltInLabelsStay) {
    test::TempDir dir;
    const AutorateIcons icons = AutorateIcons::fromSettings(SettingsStore(dir / "none.ini"));
    EXPECT_EQ(icons.label(11), "Not Sure");
}

// The shipped pictures: sixteen 16 x 16 PNG files, no two alike.
TEST(AutorateIcons, ShippedPicturesAreSixteenDistinctSmallPngs) {
    const std::filesystem::path dataDir = KESTROVA_DATA_DIR;
    std::set<std::string> contents;
    for (int i = 0; i < AutorateIcons::kCount; ++i) {
        const std::string png = test::readBytes(dataDir / AutorateIcons::fileName(i));
        ASSERT_GT(png.size(), 33u) << i;
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << i;
        EXPECT_EQ(png.substr(12, 4), "IHDR") << i;
        EXPECT_EQ(png.substr(16, 8), test::bytes("\x00\x00\x00\x10\x00\x00\x00\x10")) << i;
        contents.insert(png);
    }
    EXPECT_EQ(contents.size(), 16u);
}

}  // namespace
}  // namespace kestrova
