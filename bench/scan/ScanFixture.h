#pragma once

#include "sim/Lobby.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova::test {

class PostgresServer;

// A PokerTracker 3 database for the players of a lobby, with counters chosen
// per player (boundary hands 0, 100 and 101, no calls, no flops, no showdowns,
// losses, wins and break-even), some seated players left out of the database,
// and look-alike names that the look-up's LIKE pattern also matches, so that a
// screen name's figures are the sum over several database players.
class ScanFixture final {
public:
    struct DatabasePlayer {
        std::string name;
        // Split over hand rows: flag counts and raise counts kept apart.
        std::int32_t hands = 0;
        std::int32_t vpip = 0;
        std::int32_t pfr = 0;
        std::int32_t flopBetFlags = 0, flopRaises = 0, flopCalls = 0;
        std::int32_t turnBetFlags = 0, turnRaises = 0, turnCalls = 0;
        std::int32_t riverBetFlags = 0, riverRaises = 0, riverCalls = 0;
        std::int32_t showdowns = 0, showdownsWon = 0, flopsSeen = 0;
        std::int64_t wonCents = 0;
    };

    explicit ScanFixture(const sim::Lobby& lobby);

    // Schema, players and hand rows; run as the database's owner.
    std::string sql() const;
    // Creates the database (dropping an old one) and loads sql() into it as
    // the tracker's user.
    void load(PostgresServer& server, const std::string& database) const;

    const std::vector<DatabasePlayer>& players() const { return players_; }

    // "%" + the name, every character after the first that is an apostrophe,
    // not an ASCII letter or digit, "l" or "I" turned into "_".
    static std::string namePattern(const std::string& screenName);

private:
    std::vector<DatabasePlayer> players_;
};

}  // namespace kestrova::test
