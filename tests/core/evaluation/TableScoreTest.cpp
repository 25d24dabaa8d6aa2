#include "evaluation/TableScore.h"

#include <gtest/gtest.h>

#include "Players.h"
#include "TempDir.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

// Expected figures from mpmath's regularised incomplete beta function.
TEST(TableScore, PlayerFiguresMatchTheBetaPosterior) {
    const PlayerWeakness unknown = playerWeakness({0, 0}, {});  // Beta(7.5, 22.5)
    EXPECT_NEAR(unknown.weakness, 0.1076035, 1e-6);
    EXPECT_NEAR(unknown.lowPercent, 11.50092, 1e-4);
    EXPECT_NEAR(unknown.highPercent, 41.64793, 1e-4);
    EXPECT_EQ(unknown.vpipPercent, 25);
    const PlayerWeakness loose = playerWeakness({220, 99}, {});  // Beta(106.5, 143.5)
    EXPECT_NEAR(loose.weakness, 0.9933385, 1e-6);
    EXPECT_NEAR(loose.lowPercent, 36.54400, 1e-4);
    EXPECT_NEAR(loose.highPercent, 48.76817, 1e-4);
    EXPECT_EQ(loose.vpipPercent, 45);
    EXPECT_LT(playerWeakness({2000, 360}, {}).weakness, 1e-30);
}

TEST(TableScore, SumsThePlayersAndGroupsUnknownOnesInTheTooltip) {
    auto players = test::makePlayers({{"Rounder3", "100", "38.00"},
                                      {"Ice_Man", "220", "45.00"},
                                      {"NewGuy", "0", ""},
                                      {"Rock", "2000", "18.00"}});
    players.push_back(nullptr);
    TableScorer scorer{ScoreSettings{}};
    scorer.score(test::makePlayers({{"Earlier", "100", "45.00"}}));  // remembered apart
    const TableScore score = scorer.score(players);
    ASSERT_EQ(score.players.size(), 5u);
    EXPECT_TRUE(score.players[2].unknown && score.players[4].unknown);
    EXPECT_NEAR(score.score, 0.9933385 + 0.4926557 + 2 * 0.1076035, 1e-6);
    EXPECT_DOUBLE_EQ(scoreTable(players, {}).score, score.score);
    EXPECT_EQ(scoreTooltip(score), "Ice_Man 0.99, Rounder3 0.49, Rock 0.00, 2 unknown 0.22");
    EXPECT_EQ(scoreTooltip(score, "unbekannt").substr(40), "2 unbekannt 0.22");
}

TEST(TableScore, SettingsRoundTripAndNonsenseReadsAsDefaults) {
    const test::TempDir dir;
    SettingsStore store(dir / "Velloran.ini");
    EXPECT_EQ(ScoreSettings::fromSettings(store), ScoreSettings{});
    SettingsSaver saver(store, dir.path());
    ScoreSettings{40, 20, 50, 2.5}.save(saver);
    EXPECT_EQ(ScoreSettings::fromSettings(store), (ScoreSettings{40, 20, 50, 2.5}));
    ScoreSettings{0, 100, 0, -1}.save(saver);
    EXPECT_EQ(ScoreSettings::fromSettings(store), ScoreSettings{});
    store.writeText("goodscore", "2,5");  // a decimal comma is no number here
    EXPECT_EQ(ScoreSettings::fromSettings(store).goodScore, 2.0);
    EXPECT_EQ(playerWeakness({0, 0}, {.priorHands = 0}).weakness,
              playerWeakness({0, 0}, {}).weakness);
}

}  // namespace
}  // namespace kestrova
