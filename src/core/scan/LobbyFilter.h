#pragma once

#include "client/LobbyEntry.h"

namespace kestrova {

class SettingsSaver;
class SettingsStore;

// Which lobby tables a pass looks at: by player count, limit kind and table size.
struct LobbyFilter {
    bool limit = true;     // key Lim = 1
    bool noLimit = true;   // key NLim = 1
    int potLimit = 1;      // key PLim, raw: only 0 excludes pot-limit tables
    bool fullRing = true;  // key c_fullring = 1
    bool sixMax = true;    // key c_sixmax = 1
    bool headsUp = true;   // key c_headsup = 1

    // The keys as the main window reads them at start-up and after the filter dialog.
    static LobbyFilter fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool accepts(const LobbyEntry& entry) const;
};

}  // namespace kestrova
