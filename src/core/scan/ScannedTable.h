#pragma once

#include "common/TextMap.h"
#include "records/PlayerStats.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// A table a scan read, with the players seen at its last scan. The records are
// shared with the statistics cache: clearing the cache never frees a record a
// table still shows.
struct ScannedTable {
    std::string name;
    std::string stakes = "-";       // the lobby's stakes text, "-" when the lobby had no entry
    std::string averagePot = "$0";  // the lobby's average pot
    int playersCounted = 0;         // seat lines read up to the waiting list
    std::vector<std::shared_ptr<PlayerStats>> players;  // in seat order; unknown seats left out
    // The waiting list: the lobby's count (or the names read, when more), and
    // the names read below "Waiting:" in order, never counted as seated.
    int waitingCount = 0;
    std::vector<std::shared_ptr<PlayerStats>> waiting;
    // The seat area ran out of lines: the list may be longer than what was read.
    bool waitingListCut = false;
};

// The tables a pass has scanned, found by name. Tables live at fixed
// addresses until the list is cleared; a table's name is its key and must not
// change.
class ScannedTableList final {
public:
    ScannedTable* find(std::string_view name);
    const ScannedTable* find(std::string_view name) const;
    ScannedTable& findOrCreate(std::string_view name);
    void clear() {
        tables_.clear();
        byName_.clear();
    }
    std::size_t size() const { return tables_.size(); }
    const std::vector<std::unique_ptr<ScannedTable>>& tables() const { return tables_; }

private:
    std::vector<std::unique_ptr<ScannedTable>> tables_;
    TextMap<ScannedTable*> byName_;
};

}  // namespace kestrova
