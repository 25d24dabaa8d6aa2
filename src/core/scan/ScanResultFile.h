#pragma once

#include "stats/PlayerStats.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

// Where the results of "Scan All Tables" go. The saved path comes from a
// directory chooser: an existing directory gets "scanresult.txt" inside it.
std::filesystem::path scanResultFile(const std::string& savedPath);

// One line per whole-player-list row: table, screen name, stack, hands, won,
// VPIP, PFR, AF, WTSD and won at showdown, each followed by ";". The file is
// replaced whole; false when it could not be written.
bool writeScanResult(const std::filesystem::path& file,
                     const std::vector<std::shared_ptr<PlayerStats>>& rows);

}  // namespace kestrova
