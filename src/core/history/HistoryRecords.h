#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

using HistoryTime = std::chrono::sys_seconds;

// One player at a table as a pass read him: seated, or on its waiting list.
struct PlayerSighting {
    std::string name;
    int seat = 0;       // 1-based position in seat order, or on the waiting list
    std::string chips;  // as read, without blanks and commas
    int hands = 0;
    std::string vpip;  // the figures as the lists show them
    std::string pfr;
    std::string af;
    std::string wtsd;
    double weak = 0;  // how likely his true VPIP is above the weak mark
    bool waiting = false;  // on the waiting list, not seated

    bool operator==(const PlayerSighting&) const = default;
};

// One table as a pass read it.
struct TableVisit {
    HistoryTime at{};
    std::string table;
    std::string stakes;
    int seated = 0;  // players read at the table
    int seats = 0;   // the table's size as the lobby lists it, 0 when unknown
    std::string averagePot;
    std::string averageVpip;  // the table list's figures as shown
    std::string averagePfr;
    std::string averageAf;
    std::string averageWtsd;
    std::string reads;
    std::string buddies;
    std::string losers;
    std::string totalStacks;
    double score = 0;
    int waiting = 0;                      // players on its waiting list
    std::vector<PlayerSighting> players;  // in seat order, then the waiting list;
                                          // empty when read back alone

    bool operator==(const TableVisit&) const = default;
};

// A table over a period: how often it was read and how it looked last.
struct TableSummary {
    std::string table;
    std::string stakes;  // at the last visit
    int visits = 0;
    HistoryTime firstSeen{};
    HistoryTime lastSeen{};
    double averageSeated = 0;
    double averageScore = 0;
    double lastScore = 0;
};

// Where and when a player was seen.
struct PlayerVisit {
    HistoryTime at{};
    std::string table;
    std::string stakes;
    PlayerSighting sighting;
};

struct WatchedPlayer {
    std::string name;
    std::string note;
    HistoryTime added{};
};

struct StoredRule {
    int id = 0;
    std::string rule;  // as WatchRule::text() writes it
    std::string note;
};

// A waiting player is stored as a sighting at the negative of his place on
// the list, so that the seated and the waiting players of a visit never share
// a key and a store that predates waiting lists keeps them.
int storedSeat(const PlayerSighting& player);
void readStoredSeat(PlayerSighting& player, int stored);

// The lobby's amount text ("$1,234.50", "€12") as a number; nullopt without digits.
std::optional<double> amountOf(const std::string& text);

// "2026-12-07T21:04:00Z", and back (a date alone is its midnight, UTC).
std::string isoTime(HistoryTime at);
std::optional<HistoryTime> parseIsoTime(const std::string& text);

}  // namespace kestrova
