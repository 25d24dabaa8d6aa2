#pragma once

#include "settings/CloseConf.h"
#include "settings/DirConf.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

class SettingsSaver;
class SettingsStore;

// The pages of the options dialog as values: what each page shows and what its
// "OK" writes. Numbers typed into a line edit are kept as typed, so that "OK"
// writes back even a hand-edited value the page cannot show as a number.

// The General tab, with its hidden Party/Empire groups.
struct GeneralOptions {
    DirConf scanResult;  // "dir.conf"
    std::string suffix = "txt";
    bool dbcache = true;
    std::string cacheSeconds = "1200";     // typed
    std::string playerListWaitMs = "500";  // scan, typed
    bool observed = false;
    bool add6max = false;
    std::string delayMs = "1000";  // typed
    bool realtime = false;
    bool currentLimitOnly = false;  // curLim
    bool hudFilter = true;          // hudLim
    bool adaptiveWaits = false;     // adaptivewait

    // How long looked-up records stay in the statistics cache, in seconds: the
    // typed lifetime while caching is on, else -1 (never emptied).
    int cacheLifetimeSeconds() const;

    static GeneralOptions fromSettings(const SettingsStore& settings,
                                       const std::filesystem::path& directory);
    void save(SettingsSaver& out) const;

    bool operator==(const GeneralOptions&) const = default;
};

// The hidden Open page of the table opener.
struct OpenOptions {
    bool open = true;
    bool sixMaxOnly = true;  // sixmax
    bool both = false;
    bool excludeJackpot = false;    // exc
    std::int32_t tablesToOpen = 4;  // "c.conf"
    int minimumPlayers = 5;         // minplayer

    static OpenOptions fromSettings(const SettingsStore& settings,
                                    const std::filesystem::path& directory);
    void save(SettingsSaver& out) const;

    bool operator==(const OpenOptions&) const = default;
};

// The hidden Close page.
struct CloseOptions {
    bool close = true;
    int minimumPlayers = 4;  // mincloseplayer
    // "Close.conf"; without the file the page shows empty bounds and "OK" writes zeros.
    std::optional<CloseConf> potRule;
    bool closeByHands = false;              // closeHands
    int closeByHandsPlayers = 4;            // closeHandsNumPlayer
    std::string closeByHandsCount = "500";  // typed

    static CloseOptions fromSettings(const SettingsStore& settings,
                                     const std::filesystem::path& directory);
    void save(SettingsSaver& out) const;

    bool operator==(const CloseOptions&) const = default;
};

// The Profile tab's own settings (the profiles are a file of their own).
struct ProfileOptions {
    std::string minimumHands = "100";  // profilhands, typed
    std::string ownName;               // profilme
    bool excludeMe = false;

    static ProfileOptions fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool operator==(const ProfileOptions&) const = default;
};

// How long the scan history keeps what the passes read, and where it lives.
struct HistoryOptions {
    int days = 90;         // historydays; 0 keeps no history
    std::string database;  // historydb: a shared store's server, empty for the local file

    static HistoryOptions fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool operator==(const HistoryOptions&) const = default;
};

}  // namespace kestrova
