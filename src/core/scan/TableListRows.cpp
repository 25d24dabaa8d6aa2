#include "scan/TableListRows.h"

#include <set>

namespace kestrova {

std::vector<LobbyEntry> tableListEntries(const LobbyEntryList& entries, const LobbyFilter& filter) {
    std::vector<LobbyEntry> rows;
    std::set<std::string, std::less<>> named;
    for (const LobbyEntry& e : entries.entries()) {
        if (filter.accepts(e) && named.insert(e.name).second)
            rows.push_back(e);
    }
    return rows;
}

}  // namespace kestrova
