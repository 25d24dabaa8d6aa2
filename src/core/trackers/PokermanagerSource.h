#pragma once

#include "trackers/SqlTrackerSource.h"

namespace kestrova {

// Pokermanager on Firebird: the player's id by name (letter case ignored as
// the name column's character set does it), then one row per hand. The
// database field is the file (embedded engine) or "host:path" on a server; the
// login is the server's SYSDBA account, whatever the entry says. A failing
// step shows "PROBLEM ON :" and the step's label once, and leaves the database
// out for the rest of the pass; one in the statistics also ends the look-up.
// A name longer than the name column is simply not found.
class PokermanagerSource final : public SqlTrackerSource {
public:
    static constexpr std::string_view kIdSearch =
        "SELECT PLAYER_ID FROM PLAYERS WHERE LOWER(PLAYER_NAME) = LOWER(CAST(? AS TYPE OF COLUMN "
        "PLAYERS.PLAYER_NAME))";
    static constexpr std::string_view kStatistics =
        "SELECT VOL_PUT_IN, PRE_FLOP_RAISE, BET_RAISE_AF, CALL_AF, LAST_ROUND, WON  FROM "
        "GAME_PLAYERS WHERE PLAYER_ID = ?";
    static constexpr std::string_view kNameList = "SELECT PLAYER_NAME FROM PLAYERS";

    using SqlTrackerSource::SqlTrackerSource;
    DatabaseKind kind() const override { return DatabaseKind::PokermanagerFirebird; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;

protected:
    std::unique_ptr<SqlConnection> open(std::string& error) override;
    std::string_view nameListStatement() const override { return kNameList; }
    void reportOpenFailure(const std::string& error, MessageSink& messages) override;
    void reportFailure(const SqlConnection& connection, MessageSink& messages) override;

private:
    void fail(const std::string& stepAndReason, MessageSink& messages);
};

}  // namespace kestrova
