#include "scan/LobbyEntryList.h"

#include <algorithm>

namespace kestrova {

LobbyEntryList::Merge LobbyEntryList::merge(const LobbyEntry& reading) {
    auto known = std::find_if(entries_.begin(), entries_.end(),
                              [&](const LobbyEntry& e) { return e.name == reading.name; });
    if (known == entries_.end()) {
        entries_.push_back(reading);
        return Merge::Appended;
    }
    LobbyEntry moved = *known;
    moved.stakes = reading.stakes;
    moved.seats = reading.seats;
    entries_.erase(known);
    entries_.push_back(std::move(moved));
    return Merge::AlreadyKnown;
}

void LobbyEntryList::refresh(const LobbyEntry& reading) {
    for (LobbyEntry& e : entries_) {
        if (e.name == reading.name) {
            e = reading;
            return;
        }
    }
    entries_.push_back(reading);
}

const LobbyEntry* LobbyEntryList::find(std::string_view name) const {
    for (const LobbyEntry& e : entries_) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

}  // namespace kestrova
