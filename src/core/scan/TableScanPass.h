#pragma once

#include "scan/ClientWaits.h"
#include "scan/LobbyFilter.h"
#include "scan/PassContext.h"
#include "scan/PassEnd.h"
#include "scan/ScanState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kestrova {

class EndOfListDetector;
class LobbyScreen;
class PlayerLookup;
struct EverestLobby;

// "Scan Selected Table" and "Scan All Tables": walk the lobby, read the seats of
// the tables that pass the filter, look every seated player up (the statistics
// cache first) and report each table and player to the observer.
class TableScanPass final {
public:
    static constexpr int kSeatsShownMs = 1300;
    static constexpr int kSelectedScanSettleMs = 800;
    static constexpr int kSeatRetryMs = 400;
    static constexpr int kSeatTries = 10;
    static constexpr int kAfterDownMs = 100;
    static constexpr int kAfterOpenClickMs = 2000;
    static constexpr int kAfterRestoreMs = 500;

    TableScanPass(PassContext& context, PlayerLookup& lookup, ScanState& state,
                  const LobbyFilter& filter);

    // Walks down to the wanted table and scans it.
    PassEnd scanSelected(const std::string& wantedName);

    // Scans every table that passes the filter. While the opener runs (a maximum
    // is given) it opens those tables instead, until that many table windows are open.
    PassEnd scanAll(std::optional<int> openerMaximum);

private:
    // What a pass does at each row of the walk, once the row is read: the row
    // as it stands on screen, with the end of the list that Down is to find.
    struct Row {
        LobbyScreen& screen;
        ClientWaits& waits;
        const EverestLobby& lobby;
        bool& atEnd;  // a visitor that ends the opener's work sets it
    };
    // How the walk waits after Down and what it does at each row; the visit
    // ends the walk by returning how the pass ended.
    struct Visitor {
        int quietAfterDownMs = 0;
        bool waitAfterLastDown = false;
        std::function<std::optional<PassEnd>(Row& row)> visit;
    };

    // The one walk down the lobby both scans take, from Home to the end of the list.
    PassEnd walk(const Visitor& visitor);
    // The lobby, or why the pass cannot start; with adaptive waits also the
    // list as it was before Home.
    PassEnd start(std::optional<EverestLobby>& lobby, ClientWaits::HomeStart& home);
    // Scan All's visit: the seats of a row the filter takes, scanned or opened.
    std::optional<PassEnd> visitForScanAll(Row& row, std::optional<int> openerMaximum);
    // Reads the highlighted row into the lobby entries; false when the lobby
    // could not be captured or its text read, or the client stopped answering
    // (the user has been told). atEnd tells the end of the
    // list, lastRow that no Down is to be pressed after this row.
    bool readSelectedRow(LobbyScreen& screen, ClientWaits& waits, EndOfListDetector& endOfList,
                         bool& atEnd, bool& lastRow);
    void readSeatsOnce(LobbyScreen& screen);
    // False when the user cancelled during the waits: nothing read then belongs to the table.
    bool readSeatsSlowly(LobbyScreen& screen);
    // Looks up the seats last read and reports the table.
    void scanTable();
    // The record of the player at a seat-area slot, looked up or from the
    // cache, as seen at this table; null when the look-up gave none.
    std::shared_ptr<PlayerStats> playerAt(int slot, const std::string& table,
                                          const std::string& seat, bool waiting);
    // False when the opener has reached its maximum.
    bool openSelectedTable(const EverestLobby& lobby, int openerMaximum);

    PassContext& context_;
    PlayerLookup& lookup_;
    ScanState& state_;
    const LobbyFilter& filter_;
    bool clientStopped_ = false;
};

}  // namespace kestrova
