#include "stats/TrackerNameSource.h"

#include "common/MessageSink.h"
#include "stats/DatabaseEntry.h"
#include "stats/ImportProgress.h"
#include "stats/PostgresConnection.h"
#include "stats/TrackerLookup.h"
#include "stats/TrackerStatements.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;

constexpr const char* kErrorTitle = "Error";
constexpr const char* kBeginFailed = "BEGIN command failed: ";
constexpr const char* kFetchFailed = "FETCH ALL failed: ";

PlayerNameSource::Result fail(PostgresConnection& connection, const std::string& text,
                              MessageSink& messages) {
    messages.showMessage(kErrorTitle, text + connection.errorMessage());
    connection.close();
    return PlayerNameSource::Result::Failed;
}

}  // namespace

PlayerNameSource::Result TrackerNameSource::collectNames(const DatabaseEntry& entry,
                                                         std::vector<std::string>& names,
                                                         ImportProgress& progress,
                                                         MessageSink& messages) {
    if (entry.kind != static_cast<std::int32_t>(DatabaseKind::PokerTracker2Postgres)) {
        return Result::Done;
    }
    PostgresConnection connection;
    if (!connection.open(PostgresConnection::connectionText(entry.host, entry.port, entry.database,
                                                            entry.user, entry.password))) {
        messages.showMessage(
            kErrorTitle, TrackerLookup::connectionFailureText(connection.errorMessage(), entry.user,
                                                              entry.password));
        connection.close();
        return Result::Failed;
    }
    connection.setClientEncoding("UTF8");

    PostgresResult result = connection.execute(std::string(sql::kBegin));
    if (!result.commandOk()) {
        return fail(connection, kBeginFailed, messages);
    }
    result = connection.execute(kPlayerListCursor);
    result.clear();
    PostgresResult rows = connection.execute(std::string(sql::kFetchAll));
    if (!rows.tuplesOk()) {
        rows.clear();
        return fail(connection, kFetchFailed, messages);
    }
    Result outcome = Result::Done;
    const int count = rows.rows();
    progress.setMaximum(count);
    for (int row = 0; row < count; ++row) {
        if (progress.cancelled()) {
            outcome = Result::Cancelled;
            break;
        }
        progress.setValue(row);
        names.emplace_back(rows.value(row, 0));
    }
    rows.clear();
    connection.execute(std::string(sql::kClose));
    connection.execute(std::string(sql::kEnd));
    connection.close();
    return outcome;
}

}  // namespace kestrova
