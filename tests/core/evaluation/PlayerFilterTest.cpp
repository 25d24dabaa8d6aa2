#include "evaluation/PlayerFilter.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

PlayerFilterRow row() {
    PlayerFilterRow r;
    r.table = "Aconcagua";
    r.stack = "1250.50";
    r.won = "-5.00";
    r.vpip = "25.00";
    r.pfr = "8.00";
    r.af = "2.00";
    r.tableStakes = "$1/$2";
    return r;
}

TEST(PlayerFilter, NothingActiveShowsEveryRow) {
    EXPECT_TRUE(playerFilterShows(row(), PlayerFilterSettings{}));
}

TEST(PlayerFilter, VpipIsNotTruncated) {
    PlayerFilterSettings settings;
    settings.vpip = {true, 20, 30};
    PlayerFilterRow r = row();
    r.vpip = "30.5";
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.vpip = "30.00";
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.vpip = "19.99";
    EXPECT_FALSE(playerFilterShows(r, settings));
}

TEST(PlayerFilter, PfrAndAfBounds) {
    PlayerFilterSettings settings;
    settings.pfr = {true, 0, 7};
    EXPECT_FALSE(playerFilterShows(row(), settings));
    settings.pfr = {true, 0, 10};
    settings.af = {true, 3, 10};
    EXPECT_FALSE(playerFilterShows(row(), settings));
}

TEST(PlayerFilter, StackWithoutTableRowPasses) {
    PlayerFilterSettings settings;
    settings.stack = {true, 0, 1};
    PlayerFilterRow r = row();
    r.tableStakes.reset();
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.tableStakes = "-";  // no big blind in the stakes
    EXPECT_TRUE(playerFilterShows(r, settings));
}

TEST(PlayerFilter, StackKeepsADigitThatIsNoCurrencySign) {
    PlayerFilterSettings settings;
    settings.stack = {true, 600, 700};  // 1250.50 at $1/$2 is 625.25 big blinds
    PlayerFilterRow r = row();
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.stack = "$1250.50";
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.stack = "$150";
    EXPECT_FALSE(playerFilterShows(r, settings));
}

TEST(PlayerFilter, LoserCriterionHidesWonOfExactlyZero) {
    PlayerFilterSettings settings;
    settings.losersOnly = true;
    PlayerFilterRow r = row();
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.won = "0.00";
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.won = "12.00";
    EXPECT_FALSE(playerFilterShows(r, settings));
}

TEST(PlayerFilter, BuddyCriterionFollowsTheCheckBox) {
    PlayerFilterSettings settings;
    settings.buddiesOnly = true;
    PlayerFilterRow r = row();
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.buddyChecked = true;
    EXPECT_TRUE(playerFilterShows(r, settings));
}

TEST(PlayerFilterSettings, DefaultsAndKeys) {
    test::TempDir dir;
    SettingsStore store(dir / "Velloran.ini");
    EXPECT_EQ(PlayerFilterSettings::fromSettings(store), PlayerFilterSettings{});
    store.writeText("low_buddy", "1");
    store.writeText("low_looser", "0");
    store.writeText("low_tfstack", "1");
    store.writeText("low_tfstackmax", "250");
    const PlayerFilterSettings read = PlayerFilterSettings::fromSettings(store);
    EXPECT_TRUE(read.buddiesOnly);
    EXPECT_FALSE(read.losersOnly);
    EXPECT_EQ(read.stack, (FilterRange{true, 0, 250}));
}

}  // namespace
}  // namespace kestrova
