#include "scan/LobbyFilter.h"

#include "settings/SettingFields.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

namespace kestrova {

namespace {

using namespace setting_field;

const SettingField<LobbyFilter> kLobbyFilterFields[] = {
    Flag<LobbyFilter>{&keys::c_fullring, &LobbyFilter::fullRing, true},
    Flag<LobbyFilter>{&keys::c_sixmax, &LobbyFilter::sixMax, true},
    Flag<LobbyFilter>{&keys::c_headsup, &LobbyFilter::headsUp, true},
    Flag<LobbyFilter>{&keys::Lim, &LobbyFilter::limit, true},
    Flag<LobbyFilter>{&keys::NLim, &LobbyFilter::noLimit, true},
    Number<LobbyFilter>{&keys::PLim, &LobbyFilter::potLimit},
};

}  // namespace

LobbyFilter LobbyFilter::fromSettings(const SettingsStore& settings) {
    LobbyFilter f;
    readFields<LobbyFilter>(kLobbyFilterFields, settings, f);
    return f;
}

void LobbyFilter::save(SettingsSaver& out) const {
    saveFields<LobbyFilter>(kLobbyFilterFields, out, *this);
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
