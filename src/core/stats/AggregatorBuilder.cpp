#include "stats/AggregatorBuilder.h"

#include <string>
#include <vector>

#include "common/MessageSink.h"
#include "stats/PostgresConnection.h"
#include "stats/TrackerNamePattern.h"
#include "stats/TrackerStatements.h"
#include "stats/TrackerValues.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;

constexpr int kSumColumns = 13;

void fail(PostgresConnection& connection, std::string_view text, MessageSink& messages) {
    messages.showMessage("Error", std::string(text) + connection.errorMessage());
}

// A sum as an SQL literal: numbers as returned, NULL as 0, anything else quoted.
std::string sumLiteral(PostgresConnection& connection, std::string_view value) {
    if (value.empty())
        return "0";
    if (trackerValues::isDecimalNumber(value))
        return std::string(value);
    const auto escaped = connection.escapeString(value);
    return escaped ? "'" + *escaped + "'" : "0";
}

void addTrigramIndex(PostgresConnection& connection) {
    // Outside the filling transaction: a server without the extension, or a
    // user who may not add it, keeps a working table without the index.
    connection.execute("CREATE EXTENSION IF NOT EXISTS pg_trgm");
    connection.execute(
        "CREATE INDEX hhps_player_name_trgm ON hhps USING gin (player_name gin_trgm_ops)");
    connection.execute("ANALYZE hhps");
}

}  // namespace

bool buildAggregatorTable(PostgresConnection& connection, MessageSink& messages) {
    connection.execute(std::string(sql::kAggregatorDrop));
    if (!connection.execute(std::string(sql::kAggregatorCreate)).commandOk()) {
        fail(connection, "Error 3: ", messages);
        return false;
    }
    if (!connection.execute(std::string(sql::kAggregatorBegin)).commandOk()) {
        fail(connection, "BEGIN command failed: ", messages);
        return false;
    }
    if (!connection.execute(std::string(sql::kAggregatorDeclare)).commandOk()) {
        fail(connection, "Error 4: ", messages);
        return false;
    }
    const std::string fetch(sql::kAggregatorFetch);
    std::vector<std::string> sums;
    sums.reserve(kSumColumns);
    while (true) {
        PostgresResult row = connection.execute(fetch);
        if (!row.tuplesOk()) {
            // The fetch itself failed (connection lost): what was inserted so
            // far is rolled back with the transaction.
            fail(connection, "Error 5: ", messages);
            return false;
        }
        if (row.rows() < 1)
            break;
        const auto name = connection.escapeString(alteredTrackerName(row.value(0, 0)));
        if (!name) {
            fail(connection, "Error 7: ", messages);
            continue;
        }
        sums.clear();
        for (int column = 1; column <= kSumColumns; ++column)
            sums.push_back(sumLiteral(connection, row.value(0, column)));
        if (!connection.execute(sql::aggregatorInsert(*name, sums)).commandOk())
            fail(connection, "Error 7: ", messages);
    }
    connection.execute(std::string(sql::kAggregatorClose));
    connection.execute(std::string(sql::kAggregatorEnd));
    addTrigramIndex(connection);
    return true;
}

}  // namespace kestrova
