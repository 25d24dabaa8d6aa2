#pragma once

#include "evaluation/TableEvaluation.h"
#include "records/PlayerStats.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

// One row of the table list: a table "Get Table List" listed, or one a scan
// filled (then with its players and its evaluation).
struct TableRow {
    std::string name;
    std::string stakes;
    int players = 0;  // the lobby's count, or the seats a scan read
    std::string averagePot;
    std::vector<std::shared_ptr<PlayerStats>> seated;  // in seat order, scanned rows only
    // The waiting list: the lobby's count, and the players a scan read on it
    // (never among the seated); cut: the seat area may not have shown them all.
    int waiting = 0;
    std::vector<std::shared_ptr<PlayerStats>> waitingPlayers;
    bool waitingListCut = false;
    std::optional<TableEvaluation> evaluation;         // scanned rows only
    bool hidden = false;
    std::chrono::system_clock::time_point scannedAt{};  // scanned rows only
    // Read by an earlier pass, not by the last one.
    bool stale = false;
    // Kept from the last result while the running pass reads the lobby again.
    bool refreshing = false;
    // Why the watch list marks the row, one line per alert; empty when it does not.
    std::string alert;

    bool scanned() const { return evaluation.has_value(); }
    bool ownSeat() const { return evaluation && evaluation->ownSeat; }
};

}  // namespace kestrova
