#pragma once

#include "records/PlayerStats.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// One seated player of a player list; the record says where he sits.
struct PlayerRow {
    std::shared_ptr<PlayerStats> record;
    bool hidden = false;
};

// A player list: the list of every player the scans found (one row per player
// and table), or the players of the table the user picked.
class PlayerListModel final {
public:
    // Told after every change: a row index, or nothing when every row changed.
    std::function<void(std::optional<std::size_t> row)> onChanged;

    void clear();
    // False (nothing added) when the list already shows this player at this table.
    bool add(const std::shared_ptr<PlayerStats>& record);
    // Shows exactly these players, in this order.
    void assign(const std::vector<std::shared_ptr<PlayerStats>>& records);
    // Hides the rows the predicate turns down.
    void applyFilter(const std::function<bool(const PlayerStats&)>& shown);
    // Every row shows its player again (buddies or profiles changed).
    void refresh() { changed(std::nullopt); }

    const std::vector<PlayerRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    std::vector<std::shared_ptr<PlayerStats>> records() const;

private:
    void changed(std::optional<std::size_t> row);

    std::vector<PlayerRow> rows_;
};

}  // namespace kestrova
