#pragma once

#include "PlayerColumns.h"
#include "TableColumns.h"
#include "evaluation/PlayerFilter.h"
#include "evaluation/TableEvaluation.h"
#include "evaluation/TableFilter.h"
#include "rating/AutorateIcons.h"
#include "scan/LobbyFilter.h"
#include "settings/DirConf.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrova {

class SettingsStore;

// Which columns and panels the lists show (the Display keys).
struct DisplaySettings {
    std::array<bool, kTableColumnCount> tableColumns{};    // by table-list column
    std::array<bool, kPlayerColumnCount> playerColumns{};  // by player-list column
    bool wholePlayerList = false;                          // cbPlayerList
    bool doubleClickOpens = true;                          // tdblclickopen

    bool operator==(const DisplaySettings&) const = default;
};

// Everything the application reads from the settings file and its companion
// files, read in one go. The session holds one snapshot; every front end reads
// it from there instead of from the files, and every change goes through
// Session::apply.
struct AppSettings {
    int clientKind = 5;
    LobbyFilter lobbyFilter;
    TableFilterSettings tableFilter;
    PlayerFilterSettings playerFilter;
    EvaluationSettings evaluation;
    AutorateIcons autorate;
    DisplaySettings display;
    int cacheLifetimeSeconds = -1;
    int scanIntervalMinutes = 0;     // scanint: the interval the user chose
    bool checkUpdate = false;
    bool useAggregator = false;
    bool adaptiveWaits = false;      // adaptivewait: the passes watch the client
    DirConf scanResult;              // whether and where "Scan All Tables" saves its result
    int tablesToOpen = 4;            // c.conf
    std::vector<std::string> selectedStakes;  // the stakes file of the client kind

    static AppSettings load(const SettingsStore& settings,
                            const std::filesystem::path& workingDir);
};

}  // namespace kestrova
