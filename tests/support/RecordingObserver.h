#pragma once

#include "client/LobbyEntry.h"
#include "records/PlayerStats.h"
#include "scan/ScanObserver.h"
#include "scan/ScannedTable.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kestrova::test {

// Keeps what a scan pass reports; cancels the pass while it reads table row
// number `cancelAfterRounds`.
class RecordingObserver final : public ScanObserver {
public:
    std::vector<std::string> messages;  // "title: text"
    std::vector<std::shared_ptr<PlayerStats>> players;
    // Name, stakes, "0", players counted and average pot of each scanned table.
    std::vector<std::array<std::string, 5>> rows;
    Rect lobbyRect;
    int rounds = 0;
    int cancelAfterRounds = -1;

    void showMessage(const Message& message) override {
        messages.push_back(message.title + ": " + message.text);
    }
    bool cancelled() const override { return cancelled_; }
    void lobbyFound(const Rect& r) override { lobbyRect = r; }
    void tableRead(const LobbyEntry&) override { cancelled_ |= ++rounds == cancelAfterRounds; }
    void playerFound(const std::shared_ptr<PlayerStats>& r) override { players.push_back(r); }
    void tableScanned(const ScannedTable& t) override {
        rows.push_back({t.name, t.stakes, "0", std::to_string(t.playersCounted), t.averagePot});
    }

private:
    bool cancelled_ = false;
};

}  // namespace kestrova::test
