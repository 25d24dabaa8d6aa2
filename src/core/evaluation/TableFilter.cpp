#include "evaluation/TableFilter.h"

#include "common/NumberText.h"
#include "evaluation/TableEvaluation.h"
#include "records/PlayerStats.h"
#include "settings/SettingFields.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

namespace {

bool within(int value, const FilterRange& range) {
    return range.minimum <= value && value <= range.maximum;
}

bool passesCriteria(const PlayerStats& player, std::string_view stakes,
                    const TableFilterSettings& settings) {
    if (settings.vpip.on && !within(truncatedInt(player.vpip.value_or(0.0)), settings.vpip)) {
        return false;
    }
    if (settings.pfr.on && !within(truncatedInt(player.pfr.value_or(0.0)), settings.pfr)) {
        return false;
    }
    if (settings.af.on && !within(truncatedInt(player.af.value_or(0.0)), settings.af)) {
        return false;
    }
    if (settings.stack.on) {
        // Stakes without a usable big blind cannot fail the test.
        if (const auto blind = bigBlindOf(stakes)) {
            const float inBlinds =
                static_cast<float>(stackAmount(player.stack)) / static_cast<float>(*blind);
            if (inBlinds < static_cast<float>(settings.stack.minimum) ||
                inBlinds > static_cast<float>(settings.stack.maximum)) {
                return false;
            }
        }
    }
    if (settings.loser && !(player.won.value_or(0.0) < 0)) {
        return false;
    }
    return true;
}

}  // namespace

namespace {

using namespace setting_field;

const SettingField<TableFilterSettings> kTableFilterFields[] = {
    Flag<TableFilterSettings>{&keys::tfact, &TableFilterSettings::playerCountActive, true},
    Number<TableFilterSettings>{&keys::tfnum, &TableFilterSettings::requiredPlayers},
    Range<TableFilterSettings>{&keys::tfvpip, &keys::tfvpipmin, &keys::tfvpipmax,
                               &TableFilterSettings::vpip},
    Range<TableFilterSettings>{&keys::tfpfr, &keys::tfpfrmin, &keys::tfpfrmax,
                               &TableFilterSettings::pfr},
    Range<TableFilterSettings>{&keys::tfaf, &keys::tfafmin, &keys::tfafmax,
                               &TableFilterSettings::af},
    Range<TableFilterSettings>{&keys::tfstack, &keys::tfstackmin, &keys::tfstackmax,
                               &TableFilterSettings::stack},
    Flag<TableFilterSettings>{&keys::tfloser, &TableFilterSettings::loser, true},
    Flag<TableFilterSettings>{&keys::ofact, &TableFilterSettings::overallActive, true},
    Range<TableFilterSettings>{&keys::ofvpip, &keys::ofvpipmin, &keys::ofvpipmax,
                               &TableFilterSettings::overallVpip},
    Range<TableFilterSettings>{&keys::ofpfr, &keys::ofpfrmin, &keys::ofpfrmax,
                               &TableFilterSettings::overallPfr},
    Flag<TableFilterSettings>{&keys::ofreads, &TableFilterSettings::minimumReadsActive, true},
    Number<TableFilterSettings>{&keys::ofnum, &TableFilterSettings::minimumReads},
    Flag<TableFilterSettings>{&keys::tfwait, &TableFilterSettings::waitingLimited, true},
    Number<TableFilterSettings>{&keys::tfwaitmax, &TableFilterSettings::maximumWaiting},
};

}  // namespace

TableFilterSettings TableFilterSettings::fromSettings(const SettingsStore& settings) {
    TableFilterSettings result;
    readFields<TableFilterSettings>(kTableFilterFields, settings, result);
    return result;
}

void TableFilterSettings::save(SettingsSaver& out) const {
    saveFields<TableFilterSettings>(kTableFilterFields, out, *this);
}

bool playerCountTestShows(const std::vector<std::shared_ptr<PlayerStats>>& players,
                          std::string_view stakes, int minimumHands,
                          const TableFilterSettings& settings) {
    if (!settings.playerCountActive) {
        return true;
    }
    int passing = 0;
    for (const std::shared_ptr<PlayerStats>& player : players) {
        if (!player || player->hands <= minimumHands) {
            continue;
        }
        if (passesCriteria(*player, stakes, settings)) {
            ++passing;
        }
        if (passing >= settings.requiredPlayers) {
            return true;
        }
    }
    return false;
}

bool overallTestShows(std::optional<double> averageVpip, std::optional<double> averagePfr,
                      int reads, const TableFilterSettings& settings) {
    if (!settings.overallActive) {
        return true;
    }
    // As the list shows them: "30.996" reads 31.00 there, and so here.
    const auto shown = [](std::optional<double> average) {
        return average ? truncatedInt(numberOrZero(twoDecimals(*average))) : 0;
    };
    const int vpip = shown(averageVpip);
    const int pfr = shown(averagePfr);
    if (settings.overallVpip.on && !within(vpip, settings.overallVpip)) {
        return false;
    }
    if (settings.overallPfr.on && !within(pfr, settings.overallPfr)) {
        return false;
    }
    if (settings.minimumReadsActive && reads < settings.minimumReads) {
        return false;
    }
    return true;
}

bool TableFilter::match(const TableFilterRow& row) const {
    const TableEvaluation* e = row.evaluation;
    if (settings_.waitingLimited && row.waiting > settings_.maximumWaiting)
        return false;
    return playerCountTestShows(row.players, row.stakes, minimumHands_, settings_) &&
           overallTestShows(e ? e->averageVpip : std::nullopt, e ? e->averagePfr : std::nullopt,
                            e ? e->reads : 0, settings_);
}

}  // namespace kestrova
