#pragma once

#include "client/LobbyEntry.h"
#include "common/TextMap.h"

#include <string_view>
#include <vector>

namespace kestrova {

// The lobby as last read, one entry per table name, in the order last seen.
class LobbyEntryList final {
public:
    enum class Merge { Appended, AlreadyKnown };

    // A known name moves to the end, keeping its fields but for the stakes and the
    // table size of the new reading; an unknown name is appended.
    Merge merge(const LobbyEntry& reading);
    // Replaces the entry of that name in place, or appends it.
    void refresh(const LobbyEntry& reading);

    const LobbyEntry* find(std::string_view name) const;
    const std::vector<LobbyEntry>& entries() const { return entries_; }
    void clear() {
        entries_.clear();
        positions_.clear();
    }
    bool empty() const { return entries_.empty(); }

private:
    // Positions in entries_ from `first` on, after they moved.
    void reindexFrom(std::size_t first);

    std::vector<LobbyEntry> entries_;
    TextMap<std::size_t> positions_;  // by table name
};

}  // namespace kestrova
