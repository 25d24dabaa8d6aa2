#include "evaluation/PlayerFilter.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

PlayerFilterRow row() {
    return {"Aconcagua", false, "1250.50", -5.0, 25.0, 8.0, 2.0, "$1/$2"};
}

// VPIP, PFR and AF bounds are compared untruncated.
TEST(PlayerFilter, FigureBounds) {
    PlayerFilterSettings settings;
    EXPECT_TRUE(playerFilterShows(row(), settings)) << "nothing active shows every row";
    settings.vpip = {true, 20, 30};
    PlayerFilterRow r = row();
    r.vpip = 30.5;
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.vpip = 30.0;
    EXPECT_TRUE(playerFilterShows(r, settings));
    settings.pfr = {true, 0, 7};
    EXPECT_FALSE(playerFilterShows(r, settings));
    settings.pfr = {true, 0, 10};
    settings.af = {true, 3, 10};
    EXPECT_FALSE(playerFilterShows(r, settings));
}

TEST(PlayerFilter, StackLoserAndBuddyCriteria) {
    PlayerFilterSettings settings;
    settings.stack = {true, 600, 700};  // 1250.50 at $1/$2 is 625.25 big blinds
    PlayerFilterRow r = row();
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.stack = "$150";
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.tableStakes.reset();  // no table row: passes
    EXPECT_TRUE(playerFilterShows(r, settings));

    settings = PlayerFilterSettings{};
    settings.losersOnly = true;
    r = row();
    EXPECT_TRUE(playerFilterShows(r, settings));
    r.won = 0.0;
    EXPECT_FALSE(playerFilterShows(r, settings));

    settings = PlayerFilterSettings{};
    settings.buddiesOnly = true;
    EXPECT_FALSE(playerFilterShows(r, settings));
    r.buddyChecked = true;
    EXPECT_TRUE(playerFilterShows(r, settings));
}

}  // namespace
}  // namespace kestrova
