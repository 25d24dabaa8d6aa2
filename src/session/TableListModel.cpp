#include "TableListModel.h"

#include "evaluation/TableFilter.h"

namespace kestrova {

TableColumnTexts TableRow::columnTexts() const {
    TableColumnTexts texts;
    for (std::size_t c = 0; c < kTableColumnCount; ++c)
        texts[c] = tableColumns()[c].text(*this);
    return texts;
}

void TableListModel::changed(std::optional<std::size_t> row) {
    if (onChanged)
        onChanged(row);
}

void TableListModel::clear() {
    rows_.clear();
    changed(std::nullopt);
}

void TableListModel::addListed(const LobbyEntry& entry) {
    TableRow row;
    row.name = entry.name;
    row.stakes = entry.stakes;
    row.players = entry.players;
    row.averagePot = entry.averagePot;
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
    row.evaluation = evaluate(row.seated);
    row.scannedAt = std::chrono::system_clock::now();
    row.stale = false;
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

void TableListModel::putStale(TableRow row) {
    row.stale = true;
    if (const std::optional<std::size_t> known = indexOf(row.name)) {
        if (rows_[*known].scanned())
            return;
        rows_[*known] = std::move(row);
        changed(*known);
        return;
    }
    rows_.push_back(std::move(row));
    changed(rows_.size() - 1);
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
        const bool hidden = !filter.match(
            TableFilterRow{row.stakes, row.seated, row.evaluation ? &*row.evaluation : nullptr});
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
