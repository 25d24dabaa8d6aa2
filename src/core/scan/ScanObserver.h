#pragma once

#include "common/MessageSink.h"
#include "common/Rect.h"

#include <memory>

namespace kestrova {

struct LobbyEntry;
struct PlayerStats;
struct ScannedTable;

// What a pass reports to whoever drives it (the scan controller, the command
// line, tests). The pass asks cancelled() between rows and after every wait.
class ScanObserver : public MessageSink {
public:
    virtual bool cancelled() const = 0;

    // The lobby was brought up; the progress display moves to its top-left corner.
    virtual void lobbyFound(const Rect& lobbyRect) { (void)lobbyRect; }
    // The highlighted lobby row was read.
    virtual void tableRead(const LobbyEntry& entry) { (void)entry; }
    // A seated player was found at the table being scanned.
    virtual void playerFound(const std::shared_ptr<PlayerStats>& record) { (void)record; }
    // A table was scanned: its players are in place.
    virtual void tableScanned(const ScannedTable& table) { (void)table; }
    // The glyph tables could not read the lobby; this installed font reads it.
    virtual void fontFound(const std::string& description) { (void)description; }
};

}  // namespace kestrova
