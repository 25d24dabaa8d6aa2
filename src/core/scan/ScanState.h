#pragma once

#include "client/ocr/SeatReader.h"
#include "records/PlayerRecordList.h"
#include "scan/LobbyEntryList.h"
#include "scan/ScannedTable.h"

#include <string>

namespace kestrova {

// What the passes over the lobby keep between them; owned by whoever drives
// them (the main window, the command line).
struct ScanState {
    LobbyEntryList lobbyEntries;
    ScannedTableList tables;
    PlayerRecordList records;  // the statistics cache
    SeatReading seats;
    std::string selectedRowName;
};

}  // namespace kestrova
