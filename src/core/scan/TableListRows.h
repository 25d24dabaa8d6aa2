#pragma once

#include "scan/LobbyEntryList.h"
#include "scan/LobbyFilter.h"
#include "scan/ScanObserver.h"

#include <array>
#include <string>
#include <vector>

namespace kestrova {

// The rows "Get Table List" adds: one per lobby entry that passes the filter, in
// lobby order, with the name, stakes, "0", the lobby's player count and the average pot.
std::vector<TableRowTexts> tableListRows(const LobbyEntryList& entries, const LobbyFilter& filter);

}  // namespace kestrova
