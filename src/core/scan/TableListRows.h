#pragma once

#include "scan/LobbyEntryList.h"
#include "scan/LobbyFilter.h"

#include <vector>

namespace kestrova {

// The tables "Get Table List" shows: one per lobby entry that passes the
// filter, in lobby order, each name once.
std::vector<LobbyEntry> tableListEntries(const LobbyEntryList& entries, const LobbyFilter& filter);

}  // namespace kestrova
