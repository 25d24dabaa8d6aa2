#pragma once

#include "common/MessageSink.h"
#include "common/Rect.h"

#include <array>
#include <memory>
#include <string>

namespace kestrova {

struct PlayerStats;
struct ScannedTable;
inline constexpr int kTableListColumns = 13;
using TableRowTexts = std::array<std::string, kTableListColumns>;

// What a pass reports to whoever drives it (the main window, the command line,
// tests). The pass checks cancelled() between rows; cancelling ends the walk
// after the current row.
class ScanObserver : public MessageSink {
public:
    // The lobby was brought up; the progress display moves to its top-left corner.
    virtual void lobbyFound(const Rect& lobbyRect) { (void)lobbyRect; }
    // Between rows: keep the window responsive.
    virtual void processEvents() {}
    virtual bool cancelled() const = 0;
    virtual void cancel() = 0;

    // A seated player was found at the table being scanned (a row of the whole
    // player list).
    virtual void playerFound(const std::shared_ptr<PlayerStats>& record) { (void)record; }
    // A table was scanned: its players are in place and row holds its first columns.
    virtual void tableScanned(const ScannedTable& table, const TableRowTexts& row) {
        (void)table;
        (void)row;
    }
};

}  // namespace kestrova
