#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrova {

class SettingsSaver;
class SettingsStore;
struct PlayerStats;

// How a table is scored: the expected number of weak players at it. A
// player's true VPIP is taken as Beta distributed, starting from a prior of
// priorVpipPercent worth priorHands hands and updated with his own hands; he
// counts with the probability that it exceeds weakVpipPercent.
struct ScoreSettings {
    int weakVpipPercent = 35;   // weakvpip
    int priorVpipPercent = 25;  // priorvpip
    int priorHands = 30;        // priorhands
    double goodScore = 2.0;     // goodscore: a table row is tinted from this score on

    // The score keys; a value out of range (percentages outside 1..99, fewer
    // than 1 prior hand, a good score that is no number or below 0) reads as
    // its default.
    static ScoreSettings fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;
    // The same rule for settings in hand; the scoring functions apply it too.
    ScoreSettings validated() const;

    bool operator==(const ScoreSettings&) const = default;
};

// What a player record says about his VPIP, as counts.
struct VpipCounts {
    int hands = 0;      // 0: unknown, scored with the prior alone
    int vpipHands = 0;  // 0..hands
};

// The counts behind a record; {0, 0} for a null record or one without hands
// or VPIP figure.
VpipCounts vpipCountsOf(const PlayerStats* player);

struct PlayerWeakness {
    double weakness = 0;     // probability that his true VPIP exceeds the weak mark
    double vpipPercent = 0;  // observed VPIP, or the prior's mean without hands
    double lowPercent = 0;   // 95 % credible interval of his true VPIP
    double highPercent = 0;
};

PlayerWeakness playerWeakness(VpipCounts counts, const ScoreSettings& settings);

struct ScoreContribution {
    std::string name;  // empty for an empty record
    double weakness = 0;
    bool unknown = false;  // without hands: the prior alone
};

struct TableScore {
    double score = 0;                        // sum of the players' weaknesses
    std::vector<ScoreContribution> players;  // in seat order
};

// Scores a table from its players in seat order; a null record counts as an
// unknown player.
TableScore scoreTable(const std::vector<std::shared_ptr<PlayerStats>>& players,
                      const ScoreSettings& settings);

// The same for table after table under one set of settings. A player's
// weakness costs about a quarter of a microsecond, a table's nine two thirds
// of what evaluating the table costs, and a rescan meets the same hands and
// VPIP hands again: the scorer remembers each pair's weakness. One scorer per
// thread; make a new one when the settings change.
class TableScorer final {
public:
    explicit TableScorer(const ScoreSettings& settings) : settings_(settings.validated()) {}

    TableScore score(const std::vector<std::shared_ptr<PlayerStats>>& players);
    const ScoreSettings& settings() const { return settings_; }

private:
    ScoreSettings settings_;
    std::unordered_map<std::uint64_t, double> weaknesses_;  // by hands << 32 | VPIP hands
};

// Who makes the score, for a tooltip: known players by weakness, highest
// first, then the unknown ones as one entry with their sum, two decimals each:
// "Ice_Man 0.97, Rounder3 0.62, 3 unknown 0.32". Empty without players.
// `unknownWord` names that entry in the reader's language.
std::string scoreTooltip(const TableScore& score, std::string_view unknownWord = "unknown");

}  // namespace kestrova
