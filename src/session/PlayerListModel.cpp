#include "PlayerListModel.h"

#include <algorithm>

namespace kestrova {

void PlayerListModel::changed(std::optional<std::size_t> row) {
    if (onChanged)
        onChanged(row);
}

void PlayerListModel::clear() {
    rows_.clear();
    changed(std::nullopt);
}

bool PlayerListModel::add(const std::shared_ptr<PlayerStats>& record) {
    const auto known = std::find_if(rows_.begin(), rows_.end(), [&](const PlayerRow& row) {
        return row.record->name == record->name && row.record->table == record->table;
    });
    if (known != rows_.end()) {
        // A player who took a seat from the waiting list, or left it for the list.
        if (known->record->waiting != record->waiting) {
            known->record = record;
            changed(static_cast<std::size_t>(known - rows_.begin()));
        }
        return false;
    }
    rows_.push_back(PlayerRow{record});
    changed(rows_.size() - 1);
    return true;
}

void PlayerListModel::assign(const std::vector<std::shared_ptr<PlayerStats>>& records) {
    rows_.clear();
    for (const std::shared_ptr<PlayerStats>& record : records)
        rows_.push_back(PlayerRow{record});
    changed(std::nullopt);
}

void PlayerListModel::applyFilter(const std::function<bool(const PlayerStats&)>& shown) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool hidden = !shown(*rows_[i].record);
        if (hidden != rows_[i].hidden) {
            rows_[i].hidden = hidden;
            changed(i);
        }
    }
}

std::vector<std::shared_ptr<PlayerStats>> PlayerListModel::records() const {
    std::vector<std::shared_ptr<PlayerStats>> out;
    out.reserve(rows_.size());
    for (const PlayerRow& row : rows_)
        out.push_back(row.record);
    return out;
}

}  // namespace kestrova
