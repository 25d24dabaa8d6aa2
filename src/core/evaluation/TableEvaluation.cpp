#include "evaluation/TableEvaluation.h"

#include <algorithm>

#include "common/NumberText.h"
#include "common/Text.h"
#include "rating/BuddyList.h"
#include "rating/ColourRanges.h"
#include "records/PlayerStats.h"
#include "settings/OptionPages.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

namespace kestrova {

EvaluationSettings EvaluationSettings::fromProfile(const ProfileOptions& profile) {
    EvaluationSettings result;
    result.minimumHands =
        SettingsStore::parseInt(profile.minimumHands, keys::profilhands.defaultValue);
    result.ownName = profile.ownName.substr(0, keys::profilme.bufferBytes - 1);
    result.excludeMe = profile.excludeMe;
    return result;
}

bool isOwnName(const std::string& name, const std::string& ownName) {
    if (ownName.empty()) {
        return false;
    }
    return equalIgnoringAsciiCase(name, ownName);
}

TableEvaluation evaluateTable(const std::vector<std::shared_ptr<PlayerStats>>& players,
                              const EvaluationSettings& settings, const BuddyList& buddies,
                              const ColourRanges* colours) {
    TableEvaluation result;
    // Sums in single precision, as the figures are shown with two decimals.
    float vpipSum = 0;
    float pfrSum = 0;
    float afSum = 0;
    float wtsdSum = 0;
    for (const std::shared_ptr<PlayerStats>& record : players) {
        if (!record) {
            continue;
        }
        const PlayerStats& player = *record;
        const int hands = player.hands;
        if (hands >= 1) {
            const bool read = hands > settings.minimumHands;
            if (player.vpip) {
                ++result.known;
                if (read) {
                    ++result.reads;
                    vpipSum += static_cast<float>(*player.vpip);
                }
            }
            if (read) {
                // A figure shown as "N/A" adds nothing, yet the divisor stays R.
                pfrSum += static_cast<float>(player.pfr.value_or(0.0));
                afSum += static_cast<float>(player.af.value_or(0.0));
                wtsdSum += static_cast<float>(player.wtsd.value_or(0.0));
            }
            if (player.won.value_or(0.0) < 0) {
                ++result.losers;
            }
        }
        result.stackSum += stackAmount(player.stack);
        if (buddies.contains(player.name)) {
            ++result.buddies;
        }
        if (isOwnName(player.name, settings.ownName)) {
            result.ownSeat = true;
        }
    }

    if (result.reads > 0) {
        const double divisor = result.reads;
        const double vpip = static_cast<double>(vpipSum) / divisor;
        const double pfr = static_cast<double>(pfrSum) / divisor;
        const double wtsd = static_cast<double>(wtsdSum) / divisor;
        result.averageAf = static_cast<double>(afSum) / divisor;
        result.averageWtsd = wtsd;
        result.averageVpip = vpip;
        result.averagePfr = pfr;
        if (colours != nullptr) {
            result.averageVpipColour =
                colours->cellColour(ProfileStat::Vpip, static_cast<float>(vpip));
            result.averagePfrColour =
                colours->cellColour(ProfileStat::Pfr, static_cast<float>(pfr));
            result.averageWtsdColour =
                colours->cellColour(ProfileStat::Wtsd, static_cast<float>(wtsd));
        }
    }
    return result;
}

}  // namespace kestrova
