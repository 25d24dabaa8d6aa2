#pragma once

#include "TableListModel.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// The table a scan rated best, as the tray names it.
struct BestTable {
    std::string name;
    std::string stakes;
    int players = 0;
    double score = 0;
};

// The highest score among the scanned rows the filters show, leaving out rows
// an earlier pass read; the first of equal scores. Nothing when no row qualifies.
std::optional<BestTable> bestTable(const std::vector<TableRow>& rows);

}  // namespace kestrova
