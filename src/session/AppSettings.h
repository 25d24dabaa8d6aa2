#pragma once

#include "PlayerColumns.h"
#include "TableColumns.h"
#include "evaluation/PlayerFilter.h"
#include "evaluation/TableEvaluation.h"
#include "evaluation/TableFilter.h"
#include "evaluation/TableScore.h"
#include "rating/AutorateIcons.h"
#include "scan/LobbyFilter.h"
#include "settings/FilterRange.h"
#include "settings/LimitsFile.h"
#include "settings/OptionPages.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

class SettingsSaver;
class SettingsStore;

// Which columns and panels the lists show, and what a double click does (the
// Display tab).
struct DisplaySettings {
    std::array<bool, kTableColumnCount> tableColumns{};    // by table-list column
    std::array<bool, kPlayerColumnCount> playerColumns{};  // by player-list column
    bool wholePlayerList = false;                          // cbPlayerList
    bool doubleClickJoins = false;                         // tdblclick
    bool doubleClickOpens = true;                          // tdblclickopen
    ScoreSettings score;                                   // what makes a player weak

    static DisplaySettings fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool operator==(const DisplaySettings&) const = default;
};

// The flag of `display` that a Display key stands for; null for another key.
bool* displayFlag(DisplaySettings& display, const IntKey& key);
const bool* displayFlag(const DisplaySettings& display, const IntKey& key);

// What the "Scanfilter" dialog edits: the lobby's kinds of table, the table
// filter, and two choices that are kept but applied by no pass.
struct ScanFilterSettings {
    LobbyFilter lobby;
    TableFilterSettings table;
    FilterRange playerCount{false, 0, 10};  // fpc, fpcmin, fpcmax
    bool stakesFilterOn = true;             // tf_stakes
    // The stakes file of the client kind; saving none keeps the file's.
    std::vector<std::string> stakes;

    static ScanFilterSettings fromSettings(const SettingsStore& settings,
                                           const std::filesystem::path& directory,
                                           ClientKind clientKind);
    void save(SettingsSaver& out, ClientKind clientKind) const;
};

// Everything the application reads from the settings file and its companion
// files, read in one go at start-up. The session holds one snapshot; every
// front end reads it from there, edits a copy and hands it back through
// Session::update, which saves the parts it names.
struct AppSettings {
    ClientKind clientKind = ClientKind::PokerStars;
    GeneralOptions general;
    OpenOptions open;
    CloseOptions close;
    ProfileOptions profile;
    HistoryOptions history;
    DisplaySettings display;
    ScanFilterSettings scanFilter;
    PlayerFilterSettings playerFilter;
    AutorateIcons autorate;
    std::vector<LimitRecord> limits;  // the hidden Limit page's choice for the client kind
    int scanIntervalMinutes = 0;      // scanint: the interval the user chose
    bool checkUpdate = false;
    bool useAggregator = false;
    int lookupTimeoutSeconds = 10;  // lookuptimeout: a look-up statement's time limit
    std::string updateServer;  // a base address in place of the program's site, or empty

    EvaluationSettings evaluation() const { return EvaluationSettings::fromProfile(profile); }

    static AppSettings load(const SettingsStore& settings, const std::filesystem::path& workingDir);
};

// The parts of the settings a front end edits, each saved whole.
enum class SettingsPart {
    Options,        // the options dialog's pages: General (with the history's), Open, Close,
                    // Profile, Display
    ScanFilter,     // the "Scanfilter" dialog
    PlayerFilter,   // the "Playerfilter" dialog
    ScanInterval,   // the interval box, kept when the window closes
    CheckUpdate,    // "Check for Updates on Startup"
    UseAggregator,  // "Use Aggregator Database"
    LookupTimeout,  // the look-ups' time limit, taken at the next pass
    Limits,         // the hidden Limit page, written at every change
};

// `base` with the named parts taken from `edited`: what the settings hold once
// saveSettings() wrote them.
AppSettings withParts(const AppSettings& base, const AppSettings& edited,
                      std::initializer_list<SettingsPart> parts);

// Writes the named parts of `settings`; the first failure, or empty.
std::string saveSettings(const AppSettings& settings, std::initializer_list<SettingsPart> parts,
                         SettingsStore& store, const std::filesystem::path& workingDir);

}  // namespace kestrova
