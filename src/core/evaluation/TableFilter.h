#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "settings/FilterRange.h"

namespace kestrova {

class SettingsSaver;
class SettingsStore;
struct PlayerStats;

// The table filter: a player-count test over a table's players, an overall
// test over its table-list row and a limit on its waiting list. A table row is
// hidden when any test says so.
struct TableFilterSettings {
    // Player-count test (group "Advanced table filter").
    bool playerCountActive = false;  // tfact
    int requiredPlayers = 2;         // tfnum
    FilterRange vpip{false, 0, 100};
    FilterRange pfr{false, 0, 10};
    FilterRange af{false, 0, 10};
    FilterRange stack{false, 0, 200};  // in big blinds
    bool loser = false;                // tfloser

    // Overall test (group "Overall table filter").
    bool overallActive = false;  // ofact
    FilterRange overallVpip{false, 0, 100};
    FilterRange overallPfr{false, 0, 10};
    bool minimumReadsActive = false;  // ofreads
    int minimumReads = 3;             // ofnum

    // Waiting-list test: hide a table where more players wait than this.
    bool waitingLimited = false;  // tfwait
    int maximumWaiting = 2;       // tfwaitmax

    // The table-filter keys; a flag is on only when it reads 1.
    static TableFilterSettings fromSettings(const SettingsStore& settings);
    void save(SettingsSaver& out) const;

    bool operator==(const TableFilterSettings&) const = default;
};

// True (show) unless the test is on and fewer than requiredPlayers of the
// players with more than minimumHands pass every active criterion. The count
// is checked after each such player, so with requiredPlayers 0 the first one
// shows the table whether or not he passes.
bool playerCountTestShows(const std::vector<std::shared_ptr<PlayerStats>>& players,
                          std::string_view stakes, int minimumHands,
                          const TableFilterSettings& settings);

// True (show) unless the test is on and the row's averages as the list shows
// them (two decimals, 0 without reads), truncated, or its read count fail an
// active criterion.
bool overallTestShows(std::optional<double> averageVpip, std::optional<double> averagePfr,
                      int reads, const TableFilterSettings& settings);

struct TableEvaluation;

// One row of the table list as the filter sees it.
struct TableFilterRow {
    std::string_view stakes;
    const std::vector<std::shared_ptr<PlayerStats>>& players;
    const TableEvaluation* evaluation = nullptr;  // null until a scan filled the row
    int waiting = 0;                              // players on its waiting list
};

// The table filter as one predicate: a row is shown when every test shows it.
class TableFilter final {
public:
    TableFilter(const TableFilterSettings& settings, int minimumHands)
        : settings_(settings), minimumHands_(minimumHands) {}

    bool match(const TableFilterRow& row) const;

private:
    TableFilterSettings settings_;
    int minimumHands_;
};

}  // namespace kestrova
