#include "evaluation/TableScore.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include <boost/math/distributions/beta.hpp>

#include "common/NumberText.h"
#include "records/PlayerStats.h"
#include "settings/SettingFields.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

namespace {

// By default Boost works a float out in double and a double in long double.
// Single precision is plenty for figures shown with two decimals, and
// without the promotion the beta tail takes a fifteenth of a default double's time.
using Policy = boost::math::policies::policy<boost::math::policies::promote_float<false>>;
using Posterior = boost::math::beta_distribution<float, Policy>;

Posterior posteriorOf(VpipCounts counts, const ScoreSettings& valid) {
    const double mean = valid.priorVpipPercent / 100.0;
    const double priorHands = valid.priorHands;
    return Posterior(
        static_cast<float>(mean * priorHands + counts.vpipHands),
        static_cast<float>((1.0 - mean) * priorHands + (counts.hands - counts.vpipHands)));
}

double weaknessOf(const Posterior& posterior, const ScoreSettings& valid) {
    return boost::math::cdf(
        boost::math::complement(posterior, static_cast<float>(valid.weakVpipPercent / 100.0)));
}

double weaknessOf(VpipCounts counts, const ScoreSettings& valid) {
    return weaknessOf(posteriorOf(counts, valid), valid);
}

// Weaknesses a scorer keeps: several scans' players.
constexpr std::size_t kMaxRemembered = 1 << 16;

template <typename Weakness>
TableScore scorePlayers(const std::vector<std::shared_ptr<PlayerStats>>& players,
                        Weakness weakness) {
    TableScore result;
    result.players.reserve(players.size());
    for (const std::shared_ptr<PlayerStats>& player : players) {
        const VpipCounts counts = vpipCountsOf(player.get());
        ScoreContribution contribution;
        contribution.name = player ? player->name : std::string();
        contribution.unknown = counts.hands == 0;
        contribution.weakness = weakness(counts);
        result.score += contribution.weakness;
        result.players.push_back(std::move(contribution));
    }
    return result;
}

VpipCounts sane(VpipCounts counts) {
    counts.hands = std::max(counts.hands, 0);
    counts.vpipHands = std::clamp(counts.vpipHands, 0, counts.hands);
    return counts;
}

}  // namespace

namespace {

using namespace setting_field;

const SettingField<ScoreSettings> kScoreFields[] = {
    Number<ScoreSettings>{&keys::weakvpip, &ScoreSettings::weakVpipPercent},
    Number<ScoreSettings>{&keys::priorvpip, &ScoreSettings::priorVpipPercent},
    Number<ScoreSettings>{&keys::priorhands, &ScoreSettings::priorHands},
    Decimal<ScoreSettings>{&keys::goodscore, &ScoreSettings::goodScore},
};

}  // namespace

ScoreSettings ScoreSettings::fromSettings(const SettingsStore& settings) {
    ScoreSettings result;
    readFields<ScoreSettings>(kScoreFields, settings, result);
    return result.validated();
}

void ScoreSettings::save(SettingsSaver& out) const {
    saveFields<ScoreSettings>(kScoreFields, out, *this);
}

ScoreSettings ScoreSettings::validated() const {
    const ScoreSettings defaults;
    const auto percent = [](int value, int fallback) {
        return value >= 1 && value <= 99 ? value : fallback;
    };
    ScoreSettings result = *this;
    result.weakVpipPercent = percent(weakVpipPercent, defaults.weakVpipPercent);
    result.priorVpipPercent = percent(priorVpipPercent, defaults.priorVpipPercent);
    if (priorHands < 1) {
        result.priorHands = defaults.priorHands;
    }
    if (!(std::isfinite(goodScore) && goodScore >= 0)) {
        result.goodScore = defaults.goodScore;
    }
    return result;
}

VpipCounts vpipCountsOf(const PlayerStats* player) {
    if (player == nullptr || player->hands <= 0) {
        return {};
    }
    return {player->hands, std::clamp(player->vpipHands, 0, player->hands)};
}

PlayerWeakness playerWeakness(VpipCounts counts, const ScoreSettings& settings) {
    const ScoreSettings valid = settings.validated();
    counts = sane(counts);
    const Posterior posterior = posteriorOf(counts, valid);
    PlayerWeakness result;
    result.weakness = weaknessOf(posterior, valid);
    result.vpipPercent = counts.hands > 0 ? 100.0 * counts.vpipHands / counts.hands
                                          : static_cast<double>(valid.priorVpipPercent);
    result.lowPercent = 100.0 * boost::math::quantile(posterior, 0.025f);
    result.highPercent = 100.0 * boost::math::quantile(posterior, 0.975f);
    return result;
}

TableScore scoreTable(const std::vector<std::shared_ptr<PlayerStats>>& players,
                      const ScoreSettings& settings) {
    const ScoreSettings valid = settings.validated();
    return scorePlayers(players, [&valid](VpipCounts counts) { return weaknessOf(counts, valid); });
}

TableScore TableScorer::score(const std::vector<std::shared_ptr<PlayerStats>>& players) {
    return scorePlayers(players, [this](VpipCounts counts) {
        const std::uint64_t key = std::uint64_t{static_cast<std::uint32_t>(counts.hands)} << 32 |
                                  static_cast<std::uint32_t>(counts.vpipHands);
        if (const auto known = weaknesses_.find(key); known != weaknesses_.end()) {
            return known->second;
        }
        // A tracker of many thousand players must not grow it without end.
        if (weaknesses_.size() >= kMaxRemembered) {
            weaknesses_.clear();
        }
        return weaknesses_.emplace(key, weaknessOf(counts, settings_)).first->second;
    });
}

std::string scoreTooltip(const TableScore& score, std::string_view unknownWord) {
    std::vector<const ScoreContribution*> known;
    int unknownCount = 0;
    double unknownSum = 0;
    for (const ScoreContribution& player : score.players) {
        if (player.unknown) {
            ++unknownCount;
            unknownSum += player.weakness;
        } else {
            known.push_back(&player);
        }
    }
    std::stable_sort(known.begin(), known.end(),
                     [](const auto* a, const auto* b) { return a->weakness > b->weakness; });
    std::string text;
    const auto add = [&text](const std::string& label, double weakness) {
        text += (text.empty() ? "" : ", ") + label + ' ' + twoDecimals(weakness);
    };
    for (const ScoreContribution* player : known) {
        add(player->name, player->weakness);
    }
    if (unknownCount > 0) {
        add(std::to_string(unknownCount) + ' ' + std::string(unknownWord), unknownSum);
    }
    return text;
}

}  // namespace kestrova
