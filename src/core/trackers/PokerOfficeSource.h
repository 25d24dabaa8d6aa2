#pragma once

#include "trackers/SqlTrackerSource.h"

namespace kestrova {

// PokerOffice on MySQL: the first player whose nickname matches the name
// pattern, then one action row per hand, counted letter by letter. A server
// that cannot be reached, and a failing statement, contribute nothing: the
// user is told once and the database is left out for the rest of the pass.
//
// The connection a look-up opens serves the following ones until
// disconnect() (the end of a scan): a server connect costs more than the
// look-up's two statements. A kept connection that fails its first statement
// (the server dropped it) is replaced once, inside the same look-up; one that
// gets no answer in time fails like any other statement.
class PokerOfficeSource final : public SqlTrackerSource {
public:
    static constexpr std::string_view kPlayerSearch =
        "select playerid from player where nickname like ?";
    static constexpr std::string_view kActions =
        "select showdown, raisedpreflop, action1, action2, action3, action4, won from action "
        "where playerid = ?";
    static constexpr std::string_view kNameList = "select nickname from player";

    using SqlTrackerSource::SqlTrackerSource;
    DatabaseKind kind() const override { return DatabaseKind::PokerOfficeMysql; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;
    void disconnect() override { connection_.reset(); }

    // The port to connect to: the one the user entered, or 0 (the client
    // library's default) when the field is empty, not a port or the
    // PostgreSQL default the dialog starts with.
    static unsigned serverPort(std::string_view port);

protected:
    std::unique_ptr<SqlConnection> open(std::string& error) override;
    std::string_view nameListStatement() const override { return kNameList; }

private:
    void fail(const std::string& reason, MessageSink& messages);

    std::unique_ptr<SqlConnection> connection_;
};

}  // namespace kestrova
