#pragma once

#include "records/PlayerStats.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kestrova {

// What writing the scan result did.
struct ScanResultWrite {
    bool written = false;
    std::string path;    // the file written, or the saved path that was refused
    std::string reason;  // why not, when not written

    // "Unable to write the scan result to PATH: reason".
    std::string message() const;
};

// The file "scanresult.txt" is written only into the folder the saved path
// names (it comes from a folder chooser). A saved path that is empty, missing
// or names anything but a folder is refused and nothing is touched: an
// existing file there may be anything the user keeps, and truncating it
// loses it.
inline constexpr const char* kScanResultFileName = "scanresult.txt";

// One line per whole-player-list row: table, screen name, stack, hands, won,
// VPIP, PFR, AF, WTSD and won at showdown, each followed by ";". The file is
// replaced whole and atomically.
ScanResultWrite writeScanResult(const std::string& savedPath,
                                const std::vector<std::shared_ptr<PlayerStats>>& rows);

}  // namespace kestrova
