#pragma once

#include "trackers/SqlTrackerSource.h"

namespace kestrova {

// PokerTracker 2 in an Access file, over ODBC: the player ids by the name
// (apostrophes, l and I blurred), then the sums of their games. The database
// field is the .mdb file, or a whole ODBC connection string ("Driver=..." or
// "DSN=...") for a file served by another driver.
//
// Drivers that cannot run the sums (MDBTools knows neither SUM nor IIF nor
// aliases) refuse the statement; the games' plain rows are then read and
// summed here. Values go to drivers that cannot take parameters as quoted
// literals (see the ODBC connection). A file that cannot be opened or read
// contributes nothing: the user is told once, and the file is left out for
// the rest of the pass.
class AccessTrackerSource final : public SqlTrackerSource {
public:
    enum class Sums {
        ByDriver,   // the driver's sums, the program's when the driver refuses them
        ByProgram,  // always the program's
    };

    static constexpr std::string_view kPlayerSearch =
        "select player_id, treeview_icon from players where screen_name LIKE ?";
    static constexpr std::string_view kNameList = "select screen_name from players";

    explicit AccessTrackerSource(DatabaseEntry entry, Sums sums = Sums::ByDriver)
        : SqlTrackerSource(std::move(entry)), sums_(sums) {}
    DatabaseKind kind() const override { return DatabaseKind::PokerTracker2Access; }
    bool addCounters(const TrackerName& name, TrackerCounters& counters,
                     MessageSink& messages) override;

    // The search pattern: the name trimmed, every apostrophe, "l" and "I" a
    // "_" (any one character).
    static std::string namePattern(std::string_view name);
    // The driver's statement for the ids: "player_id=" each, joined by " or ";
    // ids that are not decimal integers are bound to "?" and added to `bound`.
    static std::string statisticsStatement(const std::vector<std::string>& ids,
                                           std::vector<std::string>& bound);

protected:
    std::unique_ptr<SqlConnection> open(std::string& error) override;
    std::string_view nameListStatement() const override { return kNameList; }

private:
    void fail(const std::string& reason, MessageSink& messages);
    bool sumInProgram(SqlConnection& connection, const std::vector<std::string>& ids,
                      TrackerCounters& counters, MessageSink& messages);

    Sums sums_;
};

}  // namespace kestrova
