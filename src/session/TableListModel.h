#pragma once

#include "TableColumns.h"
#include "TableRow.h"
#include "client/LobbyEntry.h"
#include "evaluation/TableEvaluation.h"
#include "scan/ScannedTable.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

class TableFilter;

// The table list's rows in the order they were added. Rows are found by
// table name, which is the table's identity.
class TableListModel final {
public:
    using Evaluate =
        std::function<TableEvaluation(const std::vector<std::shared_ptr<PlayerStats>>&)>;

    // Told after every change: a row index, or nothing when every row changed.
    std::function<void(std::optional<std::size_t> row)> onChanged;

    // A pass that reads the whole lobby again starts: every row stays on
    // screen, marked refreshing, until the pass reads its table again.
    void beginRefresh();
    // The pass ended: the rows it read, in the order it read them; then, when
    // it ended early, the scanned rows it did not reach, stale. Any other
    // row it did not find is gone.
    void endRefresh(bool reachedTheEnd);
    // A table "Get Table List" read: a new row, or the lobby's figures of the
    // row of its name; a scanned row keeps its scan, now from an earlier pass.
    void addListed(const LobbyEntry& entry);
    // A scanned table fills the row of its name, or a new row; returns its index.
    std::size_t putScanned(const ScannedTable& table, const Evaluate& evaluate);
    // Marks the row of that name with an alert's text.
    void markAlert(const std::string& name, const std::string& text);
    // Rates every scanned row again (buddies or profiles changed).
    void reevaluate(const Evaluate& evaluate);
    void applyFilter(const TableFilter& filter);

    const std::vector<TableRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    std::optional<std::size_t> indexOf(std::string_view name) const;
    const TableRow* find(std::string_view name) const;

private:
    void changed(std::optional<std::size_t> row);

    std::vector<TableRow> rows_;
    // The tables the refreshing pass has read so far, in its order.
    std::vector<std::string> readThisPass_;
};

}  // namespace kestrova
