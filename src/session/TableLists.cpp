#include "TableLists.h"

#include "PlayerColumns.h"
#include "evaluation/KnownPlayerLine.h"

#include <algorithm>
#include <utility>

namespace kestrova {

TableLists::TableLists() : knownPlayerLine_(kInitialKnownPlayerLine) {}

void TableLists::setSelection(std::optional<std::string> current, bool selected) {
    selected_ = current && selected;
    current_ = std::move(current);
}

const TableRow* TableLists::showTable(const std::string& tableName) {
    const TableRow* row = tables_.find(tableName);
    // The waiting list below the seated players.
    std::vector<std::shared_ptr<PlayerStats>> players;
    if (row) {
        players = row->seated;
        players.insert(players.end(), row->waitingPlayers.begin(), row->waitingPlayers.end());
    }
    tablePlayers_.assign(players);
    return row;
}

PlayerWeakness TableLists::weakness(const PlayerStats& record) const {
    return playerWeakness(vpipCountsOf(&record), score_);
}

std::string TableLists::waitingPlayersText(const TableRow& row, bool weakOnly) const {
    std::vector<std::pair<double, const std::string*>> waiting;
    for (const std::shared_ptr<PlayerStats>& record : row.waitingPlayers) {
        const double weak = weakness(*record).weakness;
        if (!weakOnly || weak > 0.5)
            waiting.emplace_back(weak, &record->name);
    }
    std::stable_sort(waiting.begin(), waiting.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::string text;
    for (const auto& [weak, name] : waiting)
        text += (text.empty() ? "" : ", ") + *name + ' ' + weaknessText(weak);
    return text;
}

std::vector<HistoryAlert> TableLists::alertsRaised(const std::vector<HistoryAlert>& alerts) {
    // Every pass marks what it met; only what was not told lately is told.
    std::vector<HistoryAlert> told;
    for (const HistoryAlert& alert : alerts) {
        tables_.markAlert(alert.table, alert.text);
        if (alert.notify)
            told.push_back(alert);
    }
    passAlerts_.insert(passAlerts_.end(), told.begin(), told.end());
    return told;
}

}  // namespace kestrova
