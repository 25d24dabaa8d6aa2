#include "scan/TableListRows.h"

#include <set>

namespace kestrova {

std::vector<TableRowTexts> tableListRows(const LobbyEntryList& entries, const LobbyFilter& filter) {
    std::vector<TableRowTexts> rows;
    std::set<std::string, std::less<>> named;
    for (const LobbyEntry& e : entries.entries()) {
        if (!filter.accepts(e) || !named.insert(e.name).second)
            continue;
        TableRowTexts row;
        row[0] = e.name;
        row[1] = e.stakes;
        row[2] = "0";
        row[3] = std::to_string(e.players);
        row[4] = e.averagePot;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace kestrova
