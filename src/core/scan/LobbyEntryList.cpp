#include "scan/LobbyEntryList.h"

#include <utility>

namespace kestrova {

LobbyEntryList::Merge LobbyEntryList::merge(const LobbyEntry& reading) {
    const auto known = positions_.find(reading.name);
    if (known == positions_.end()) {
        positions_.emplace(reading.name, entries_.size());
        entries_.push_back(reading);
        return Merge::Appended;
    }
    const std::size_t at = known->second;
    LobbyEntry moved = std::move(entries_[at]);
    moved.stakes = reading.stakes;
    moved.seats = reading.seats;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    entries_.push_back(std::move(moved));
    reindexFrom(at);
    return Merge::AlreadyKnown;
}

void LobbyEntryList::refresh(const LobbyEntry& reading) {
    if (const auto known = positions_.find(reading.name); known != positions_.end()) {
        entries_[known->second] = reading;
        return;
    }
    positions_.emplace(reading.name, entries_.size());
    entries_.push_back(reading);
}

const LobbyEntry* LobbyEntryList::find(std::string_view name) const {
    const auto known = positions_.find(name);
    return known == positions_.end() ? nullptr : &entries_[known->second];
}

void LobbyEntryList::reindexFrom(std::size_t first) {
    for (std::size_t i = first; i < entries_.size(); ++i)
        positions_[entries_[i].name] = i;
}

}  // namespace kestrova
