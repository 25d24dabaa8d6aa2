#include "sim/ClientLatency.h"

#include <algorithm>
#include <limits>

namespace kestrova::sim {

namespace {
// Long enough before any clock's zero that the initial picture counts as drawn.
constexpr long long kLongAgo = std::numeric_limits<long long>::min() / 4;
}  // namespace

LobbyView LobbyView::settled(const LobbyState& state) {
    return {state.selectedRow(), state.topRow(), state.selectedRow(), true};
}

DelayedLobbyView::DelayedLobbyView(ClientLatency latency, const LobbyState& initial)
    : latency_(latency) {
    latency_.rowDelayMs = std::max(latency_.rowDelayMs, 0);
    latency_.seatDelayMs = std::max(latency_.seatDelayMs, 0);
    latency_.chipsDelayMs = std::max(latency_.chipsDelayMs, 0);
    latency_.redrawDelayMs = std::max(latency_.redrawDelayMs, 0);
    changes_.push_back({kLongAgo, initial.selectedRow(), initial.topRow()});
}

void DelayedLobbyView::update(const LobbyState& state, long long nowMs) {
    // A key that leaves the selection where it was (Down on the last row) redraws nothing.
    if (state.selectedRow() != changes_.back().row)
        changes_.push_back({nowMs, state.selectedRow(), state.topRow()});
    while (changes_.size() > 1 && redrawAt(changes_[1]) <= nowMs)
        changes_.erase(changes_.begin());
}

LobbyView DelayedLobbyView::at(long long nowMs) const {
    LobbyView view;
    for (const Change& c : changes_) {
        if (highlightAt(c) <= nowMs) {
            view.highlightedRow = c.row;
            view.topRow = c.topRow;
        }
        if (seatsAt(c) <= nowMs) {
            view.seatRow = c.row;
            view.chipsShown = chipsAt(c) <= nowMs;
            view.lastSeatShown = latency_.redrawDelayMs == 0 || redrawAt(c) <= nowMs;
        }
    }
    return view;
}

std::optional<long long> DelayedLobbyView::nextChange(long long nowMs) const {
    std::optional<long long> next;
    for (const Change& c : changes_) {
        for (const long long t : {highlightAt(c), seatsAt(c), chipsAt(c), redrawAt(c)}) {
            if (t > nowMs && (!next || t < *next))
                next = t;
        }
    }
    return next;
}

}  // namespace kestrova::sim
