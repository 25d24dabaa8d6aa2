#pragma once

#include <string>

namespace kestrova {

// A table the table list has a row for. Its seated players arrive with the scans.
struct ScannedTable {
    std::string name;
    std::string stakes;
    bool ownSeat = false;
};

}  // namespace kestrova
