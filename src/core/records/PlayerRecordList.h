#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "common/TextMap.h"
#include "records/PlayerStats.h"

namespace kestrova {

// The statistics cache: every player record looked up since the cache was last
// emptied, in the order they were built, searched by exact name before any
// database look-up. The session's scan state holds the one list.
//
// Ownership: records are shared. The list holds one reference to each record;
// a scanned table and a player-list row hold their own references to the
// records they show. Emptying the list (when the cache expires) only drops the
// list's references, so a table or row still showing a record keeps it alive
// until that table or row goes away, and no reference anywhere can ever reach
// a freed record, whatever order the main window clears things in.
class PlayerRecordList final {
public:
    using Record = std::shared_ptr<PlayerStats>;

    // The first record whose name equals `name` exactly (case-sensitive, whole
    // string), or null. Later records of the same name are never returned. A
    // record's name is its key here: it must not change once appended.
    Record findCachedPlayer(std::string_view name) const;

    // Appends the record, stores its position in record->recordIndex and
    // returns that position; a null record is not stored and gives -1.
    std::int32_t append(Record record);

    // Drops the list's references to every record.
    void clear() {
        records_.clear();
        firstByName_.clear();
    }

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const Record& at(std::size_t index) const { return records_.at(index); }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

private:
    std::vector<Record> records_;
    TextMap<std::size_t> firstByName_;  // positions in records_
};

}  // namespace kestrova
