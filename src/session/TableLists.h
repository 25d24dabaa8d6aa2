#pragma once

#include "PlayerListModel.h"
#include "ScanHistory.h"
#include "TableListModel.h"
#include "evaluation/KnownPlayerLine.h"
#include "evaluation/TableScore.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// What the passes fill and the front ends show: the table list, every player
// the scans found, the players of the table the user picked, the line of
// known players, and the alerts of the last pass.
class TableLists final {
public:
    TableLists();

    TableListModel& tables() { return tables_; }
    const TableListModel& tables() const { return tables_; }
    PlayerListModel& players() { return players_; }
    PlayerListModel& tablePlayers() { return tablePlayers_; }
    const std::string& knownPlayerLine() const { return knownPlayerLine_; }

    // The table list's current row, as the front end tells it: "Open" acts on
    // it, "Scan Selected Table" only while the user has the row selected.
    void setSelection(std::optional<std::string> current, bool selected);
    const std::string* currentTable() const { return current_ ? &*current_ : nullptr; }
    const std::string* selectedTable() const { return selected_ ? currentTable() : nullptr; }
    // The picked table's players go to tablePlayers(); null when no such row.
    const TableRow* showTable(const std::string& tableName);

    // How likely a player is weak, and his VPIP's credible interval.
    PlayerWeakness weakness(const PlayerStats& record) const;
    // The players a scan read on a row's waiting list, each with how likely he
    // is weak ("Weakling 0.87, Shark 0.02"), the likeliest first; only those
    // more likely weak than not when `weakOnly`. Empty when none.
    std::string waitingPlayersText(const TableRow& row, bool weakOnly) const;
    // The alerts the watch list raised since the last pass started.
    const std::vector<HistoryAlert>& passAlerts() const { return passAlerts_; }

    // The session's side: what the passes and the settings change.
    void setScoreSettings(const ScoreSettings& settings) { score_ = settings; }
    void setKnownPlayerLine(std::string line) { knownPlayerLine_ = std::move(line); }
    void passStarted() { passAlerts_.clear(); }
    // Marks the alerts' rows; those to tell are kept as the pass's and returned.
    std::vector<HistoryAlert> alertsRaised(const std::vector<HistoryAlert>& alerts);

private:
    TableListModel tables_;
    PlayerListModel players_;
    PlayerListModel tablePlayers_;
    std::string knownPlayerLine_;
    std::optional<std::string> current_;
    bool selected_ = false;
    ScoreSettings score_;
    std::vector<HistoryAlert> passAlerts_;
};

}  // namespace kestrova
