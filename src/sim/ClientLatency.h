#pragma once

#include "sim/LobbyState.h"

#include <optional>
#include <vector>

namespace kestrova::sim {

// How slowly the simulated client draws what a key changed.
struct ClientLatency {
    int rowDelayMs = 0;    // the highlight moves this long after the key
    int seatDelayMs = 0;   // the new table's seat list appears this long after the highlight
    int chipsDelayMs = 0;  // its chip counts appear this long after its names
    // When above 0, the seat list is first drawn without its last seated player,
    // looking complete, and redrawn whole this long after its chips.
    int redrawDelayMs = 0;

    bool any() const {
        return rowDelayMs > 0 || seatDelayMs > 0 || chipsDelayMs > 0 || redrawDelayMs > 0;
    }
};

// What the lobby shows at one moment: the highlighted row (with the scroll
// position that came with it) and the table whose seat list is drawn.
struct LobbyView {
    int highlightedRow = -1;
    int topRow = 0;
    int seatRow = -1;
    bool chipsShown = true;
    bool lastSeatShown = true;

    bool operator==(const LobbyView&) const = default;
    // Everything drawn as the state says.
    static LobbyView settled(const LobbyState& state);
};

// The lobby as a slow client draws it: every change of the selection reaches
// the screen in three steps (highlight, seat names, chips), and a redraw when
// asked for, each after its delay; until then the screen keeps the previous
// picture. Times are in ms of any monotonic clock.
class DelayedLobbyView final {
public:
    DelayedLobbyView(ClientLatency latency, const LobbyState& initial);

    // Call after every input that may have moved the selection.
    void update(const LobbyState& state, long long nowMs);
    LobbyView at(long long nowMs) const;
    // When the picture changes next after nowMs; nothing once it is settled.
    std::optional<long long> nextChange(long long nowMs) const;

    const ClientLatency& latency() const { return latency_; }

private:
    struct Change {
        long long atMs;
        int row;
        int topRow;
    };
    long long highlightAt(const Change& c) const { return c.atMs + latency_.rowDelayMs; }
    long long seatsAt(const Change& c) const { return highlightAt(c) + latency_.seatDelayMs; }
    long long chipsAt(const Change& c) const { return seatsAt(c) + latency_.chipsDelayMs; }
    long long redrawAt(const Change& c) const { return chipsAt(c) + latency_.redrawDelayMs; }

    ClientLatency latency_;
    // Oldest first; the first one is fully drawn.
    std::vector<Change> changes_;
};

}  // namespace kestrova::sim
