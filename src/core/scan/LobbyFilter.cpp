#include "scan/LobbyFilter.h"

#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

LobbyFilter LobbyFilter::fromSettings(const SettingsStore& settings) {
    LobbyFilter f;
    f.limit = settings.read(keys::Lim) == 1;
    f.noLimit = settings.read(keys::NLim) == 1;
    f.potLimit = settings.read(keys::PLim);
    f.fullRing = settings.read(keys::c_fullring) == 1;
    f.sixMax = settings.read(keys::c_sixmax) == 1;
    f.headsUp = settings.read(keys::c_headsup) == 1;
    return f;
}

void LobbyFilter::save(SettingsSaver& out) const {
    out.flag(keys::c_fullring, fullRing);
    out.flag(keys::c_sixmax, sixMax);
    out.flag(keys::c_headsup, headsUp);
    out.flag(keys::Lim, limit);
    out.flag(keys::NLim, noLimit);
    out.number(keys::PLim, potLimit);
}

bool LobbyFilter::accepts(const LobbyEntry& e) const {
    if (e.players < 1 || e.players > 10)
        return false;
    if (!limit && e.limitKind == "Limit")
        return false;
    if (!noLimit && e.limitKind == "No Limit")
        return false;
    if (potLimit == 0 && e.limitKind == "Pot Limit")
        return false;
    if (!fullRing && e.seats > 6)
        return false;
    if (!sixMax && e.seats == 6)
        return false;
    if (!headsUp && e.seats == 2)
        return false;
    return true;
}

}  // namespace kestrova
