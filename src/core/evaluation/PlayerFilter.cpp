#include "evaluation/PlayerFilter.h"

#include "common/NumberText.h"
#include "records/PlayerStats.h"
#include "settings/SettingFields.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

namespace {

bool outside(float value, const FilterRange& range) {
    return value < static_cast<float>(range.minimum) || value > static_cast<float>(range.maximum);
}

bool failsFigure(const Figure& figure, const FilterRange& range) {
    return range.on && outside(static_cast<float>(figure.value_or(0.0)), range);
}

}  // namespace

namespace {

using namespace setting_field;

const SettingField<PlayerFilterSettings> kPlayerFilterFields[] = {
    Flag<PlayerFilterSettings>{&keys::low_buddy, &PlayerFilterSettings::buddiesOnly, true},
    Flag<PlayerFilterSettings>{&keys::low_looser, &PlayerFilterSettings::losersOnly, true},
    Range<PlayerFilterSettings>{&keys::low_tfvpip, &keys::low_tfvpipmin, &keys::low_tfvpipmax,
                                &PlayerFilterSettings::vpip},
    Range<PlayerFilterSettings>{&keys::low_tfpfr, &keys::low_tfpfrmin, &keys::low_tfpfrmax,
                                &PlayerFilterSettings::pfr},
    Range<PlayerFilterSettings>{&keys::low_tfaf, &keys::low_tfafmin, &keys::low_tfafmax,
                                &PlayerFilterSettings::af},
    Range<PlayerFilterSettings>{&keys::low_tfstack, &keys::low_tfstackmin, &keys::low_tfstackmax,
                                &PlayerFilterSettings::stack},
};

}  // namespace

PlayerFilterSettings PlayerFilterSettings::fromSettings(const SettingsStore& settings) {
    PlayerFilterSettings result;
    readFields<PlayerFilterSettings>(kPlayerFilterFields, settings, result);
    return result;
}

void PlayerFilterSettings::save(SettingsSaver& out) const {
    saveFields<PlayerFilterSettings>(kPlayerFilterFields, out, *this);
}

bool playerFilterShows(const PlayerFilterRow& row, const PlayerFilterSettings& settings) {
    if (failsFigure(row.vpip, settings.vpip) || failsFigure(row.pfr, settings.pfr) ||
        failsFigure(row.af, settings.af)) {
        return false;
    }
    if (settings.stack.on && row.tableStakes) {
        if (const auto blind = bigBlindOf(*row.tableStakes)) {
            const float inBlinds =
                static_cast<float>(stackAmount(row.stack)) / static_cast<float>(*blind);
            if (outside(inBlinds, settings.stack)) {
                return false;
            }
        }
    }
    if (settings.losersOnly && row.won.value_or(0.0) >= 0) {
        return false;
    }
    if (settings.buddiesOnly && !row.buddyChecked) {
        return false;
    }
    return true;
}

bool PlayerFilter::match(const PlayerStats& record, bool buddy,
                         const std::optional<std::string>& tableStakes) const {
    PlayerFilterRow row;
    row.table = record.table;
    row.buddyChecked = buddy;
    row.stack = record.stack;
    row.won = record.won;
    row.vpip = record.vpip;
    row.pfr = record.pfr;
    row.af = record.af;
    row.tableStakes = tableStakes;
    return playerFilterShows(row, settings_);
}

}  // namespace kestrova
