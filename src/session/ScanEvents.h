#pragma once

#include "client/LobbyEntry.h"
#include "common/MessageSink.h"
#include "common/Rect.h"
#include "records/PlayerStats.h"
#include "scan/PassEnd.h"
#include "scan/ScannedTable.h"

#include <cstddef>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kestrova {

// The passes the scan controller runs on its worker thread.
enum class PassKind {
    TableList,     // "Get Table List"
    ScanSelected,  // "Scan Selected Table"
    ScanAll,       // "Scan All Tables" (also the interval scan and the opener's scan)
    OpenTable,     // "Open" and a double click
};

// What a pass reports, delivered on the front end's thread in the order it happened.
namespace scan_event {

struct Started {
    PassKind pass;
    std::string table;  // ScanSelected, OpenTable
};
struct LobbyFound {
    Rect lobbyRect;
};
struct TableRead {
    LobbyEntry entry;
};
// "Get Table List" ended: the tables it lists, in lobby order.
struct TableListRead {
    std::vector<LobbyEntry> tables;
};
struct PlayerFound {
    std::shared_ptr<PlayerStats> record;
};
struct TableScanned {
    ScannedTable table;
};
using Message = ::kestrova::Message;
// The glyph tables could not read the lobby; this installed font, found in
// their place, reads it and is kept in the user's glyph table.
struct FontFound {
    std::string description;
};
// A tracking database a scan left out after telling why; the others answered.
struct LeftOutDatabase {
    std::string database;
    std::string reason;
};
struct Finished {
    PassKind pass;
    PassEnd end;
    // The statistics cache as the pass left it, for the known-player line.
    std::size_t knownRecords = 0;
    std::size_t records = 0;
    std::vector<LeftOutDatabase> leftOut;
};

}  // namespace scan_event

using ScanEvent =
    std::variant<scan_event::Started, scan_event::LobbyFound, scan_event::TableRead,
                 scan_event::TableListRead, scan_event::PlayerFound, scan_event::TableScanned,
                 scan_event::Message, scan_event::FontFound, scan_event::Finished>;

}  // namespace kestrova
