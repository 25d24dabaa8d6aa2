#include "TableListModel.h"

#include "evaluation/TableFilter.h"

#include <unordered_map>

namespace kestrova {

void TableListModel::changed(std::optional<std::size_t> row) {
    if (onChanged)
        onChanged(row);
}

void TableListModel::beginRefresh() {
    readThisPass_.clear();
    for (TableRow& row : rows_)
        row.refreshing = true;
    changed(std::nullopt);
}

void TableListModel::endRefresh(bool reachedTheEnd) {
    std::unordered_map<std::string_view, std::size_t> rowOf;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rowOf.emplace(rows_[i].name, i);
    std::vector<bool> taken(rows_.size(), false);
    std::vector<std::size_t> order;
    order.reserve(rows_.size());
    for (const std::string& name : readThisPass_) {
        const auto found = rowOf.find(name);
        if (found != rowOf.end() && !taken[found->second] && !rows_[found->second].refreshing) {
            taken[found->second] = true;
            order.push_back(found->second);
        }
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        TableRow& row = rows_[i];
        if (taken[i] || (row.refreshing && (reachedTheEnd || !row.scanned())))
            continue;
        row.stale = row.stale || row.refreshing;
        row.refreshing = false;
        order.push_back(i);
    }
    std::vector<TableRow> kept;
    kept.reserve(order.size());
    for (const std::size_t i : order)
        kept.push_back(std::move(rows_[i]));
    rows_ = std::move(kept);
    readThisPass_.clear();
    changed(std::nullopt);
}

void TableListModel::addListed(const LobbyEntry& entry) {
    readThisPass_.push_back(entry.name);
    if (const std::optional<std::size_t> known = indexOf(entry.name)) {
        TableRow& row = rows_[*known];
        row.refreshing = false;
        if (row.scanned()) {
            row.stale = true;
        } else {
            row.stakes = entry.stakes;
            row.players = entry.players;
            row.averagePot = entry.averagePot;
            row.waiting = entry.waiting;
        }
        changed(*known);
        return;
    }
    TableRow row;
    row.name = entry.name;
    row.stakes = entry.stakes;
    row.players = entry.players;
    row.averagePot = entry.averagePot;
    row.waiting = entry.waiting;
    rows_.push_back(std::move(row));
    changed(rows_.size() - 1);
}

std::size_t TableListModel::putScanned(const ScannedTable& table, const Evaluate& evaluate) {
    std::size_t index = rows_.size();
    if (const std::optional<std::size_t> known = indexOf(table.name))
        index = *known;
    else
        rows_.emplace_back();
    TableRow& row = rows_[index];
    row.name = table.name;
    row.stakes = table.stakes;
    row.players = table.playersCounted;
    row.averagePot = table.averagePot;
    row.seated = table.players;
    row.waiting = table.waitingCount;
    row.waitingPlayers = table.waiting;
    row.waitingListCut = table.waitingListCut;
    row.evaluation = evaluate(row.seated);
    row.scannedAt = std::chrono::system_clock::now();
    row.stale = false;
    row.refreshing = false;
    readThisPass_.push_back(table.name);
    row.alert.clear();
    changed(index);
    return index;
}

void TableListModel::markAlert(const std::string& name, const std::string& text) {
    const std::optional<std::size_t> index = indexOf(name);
    if (!index)
        return;
    std::string& alert = rows_[*index].alert;
    alert += (alert.empty() ? "" : "\n") + text;
    changed(*index);
}

void TableListModel::reevaluate(const Evaluate& evaluate) {
    for (TableRow& row : rows_) {
        if (row.scanned())
            row.evaluation = evaluate(row.seated);
    }
    // Every row: what the rows are coloured by changed too.
    changed(std::nullopt);
}

void TableListModel::applyFilter(const TableFilter& filter) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        TableRow& row = rows_[i];
        const bool hidden = !filter.match(TableFilterRow{
            row.stakes, row.seated, row.evaluation ? &*row.evaluation : nullptr, row.waiting});
        if (hidden != row.hidden) {
            row.hidden = hidden;
            changed(i);
        }
    }
}

std::optional<std::size_t> TableListModel::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].name == name)
            return i;
    }
    return std::nullopt;
}

const TableRow* TableListModel::find(std::string_view name) const {
    const std::optional<std::size_t> i = indexOf(name);
    return i ? &rows_[*i] : nullptr;
}

}  // namespace kestrova
