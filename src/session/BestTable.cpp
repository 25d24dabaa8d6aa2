#include "BestTable.h"

namespace kestrova {

std::optional<BestTable> bestTable(const std::vector<TableRow>& rows) {
    const TableRow* best = nullptr;
    for (const TableRow& row : rows) {
        if (!row.scanned() || row.hidden || row.stale)
            continue;
        if (!best || row.evaluation->score.score > best->evaluation->score.score)
            best = &row;
    }
    if (!best)
        return std::nullopt;
    return BestTable{best->name, best->stakes, best->players, best->evaluation->score.score};
}

}  // namespace kestrova
