#include "trackers/AggregatorBuilder.h"

#include <string>
#include <vector>

#include "common/MessageSink.h"
#include "common/TranslatableText.h"
#include "trackers/TrackerNamePattern.h"
#include "trackers/TrackerStatements.h"
#include "trackers/TrackerValues.h"
#include "sql/postgres/PostgresConnection.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;

constexpr int kSumColumns = 13;

void fail(PostgresConnection& connection, std::string_view text, MessageSink& messages) {
    messages.showError(MessageKind::Failure, std::string(text) + connection.errorMessage());
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

// Outside the filling transaction: a server without the extension, or a user
// who may not add it, keeps a working table without the index. False then.
bool addTrigramIndex(PostgresConnection& connection) {
    connection.execute("CREATE EXTENSION IF NOT EXISTS pg_trgm");
    const bool indexed =
        connection
            .execute(
                "CREATE INDEX hhps_player_name_trgm ON hhps USING gin (player_name "
                "gin_trgm_ops)")
            .commandOk();
    // The look-up filters on the name alone; the other columns need no statistics.
    connection.execute("ANALYZE hhps (player_name)");
    return indexed;
}

// Each insert in a savepoint of its own, in the same round trip: a failed insert
// then spoils only its own rows, and the transaction goes on with the next.
constexpr std::string_view kRowSavepoint = "SAVEPOINT hhps_row; ";
constexpr std::string_view kRowRelease = " RELEASE SAVEPOINT hhps_row";
constexpr std::string_view kRowRollback =
    "ROLLBACK TO SAVEPOINT hhps_row; RELEASE SAVEPOINT hhps_row";

struct Row {
    std::string quotedName;
    std::vector<std::string> sums;
};

// The whole batch in one insert. A batch the server refuses is redone row by
// row, each in its own savepoint, so that the rows that fail are named one by
// one ("Error 7") and the others are kept.
void insertBatch(PostgresConnection& connection, const std::vector<Row>& batch,
                 MessageSink& messages) {
    if (batch.empty())
        return;
    std::vector<std::string> values;
    values.reserve(batch.size());
    for (const Row& row : batch)
        values.push_back(sql::aggregatorValues(row.quotedName, row.sums));
    const std::string insert =
        std::string(kRowSavepoint) + sql::aggregatorInsertRows(values) + std::string(kRowRelease);
    if (connection.execute(insert).commandOk())
        return;
    connection.execute(std::string(kRowRollback));
    for (const Row& row : batch) {
        const std::string one = std::string(kRowSavepoint) +
                                sql::aggregatorInsert(row.quotedName, row.sums) +
                                std::string(kRowRelease);
        if (!connection.execute(one).commandOk()) {
            fail(connection, "Error 7: ", messages);
            connection.execute(std::string(kRowRollback));
        }
    }
}

// The sums inserted inside the server, in a savepoint of their own: a
// refusal (a row the table cannot take) leaves the transaction usable for the
// row-by-row fill. Not on a server that stores names as bytes of no declared
// encoding: it would alter a multi-byte character byte by byte, while names
// read through the client are altered by character.
bool fillInServer(PostgresConnection& connection) {
    if (connection.serverSetting("server_encoding") == "SQL_ASCII")
        return false;
    const std::string fill = "SAVEPOINT hhps_fill; " + std::string(sql::kAggregatorInsertSelect) +
                             "; RELEASE SAVEPOINT hhps_fill";
    if (connection.execute(fill).commandOk())
        return true;
    connection.execute("ROLLBACK TO SAVEPOINT hhps_fill; RELEASE SAVEPOINT hhps_fill");
    return false;
}

// The rows fetched through a cursor and inserted in batches, each row a failed
// batch holds named by "Error 7". False after a message when the cursor failed.
bool fillRowByRow(PostgresConnection& connection, MessageSink& messages) {
    // The cursor is read to its end: plan it for the whole result (one hash
    // aggregate) rather than for its first rows, which takes several times longer.
    connection.execute("SET LOCAL cursor_tuple_fraction = 1.0");
    if (!connection.execute(std::string(sql::kAggregatorDeclare)).commandOk()) {
        fail(connection, "Error 4: ", messages);
        return false;
    }
    const std::string fetch(sql::kAggregatorFetch);
    std::vector<std::string> sums;
    sums.reserve(kSumColumns);
    std::vector<Row> batch;
    while (true) {
        PostgresResult rows = connection.execute(fetch);
        if (!rows.tuplesOk()) {
            // The fetch itself failed (connection lost): what was inserted so
            // far is rolled back with the transaction.
            fail(connection, "Error 5: ", messages);
            return false;
        }
        if (rows.rows() < 1)
            break;
        batch.clear();
        for (int r = 0; r < rows.rows(); ++r) {
            const auto name = connection.escapeString(alteredTrackerName(rows.value(r, 0)));
            if (!name) {
                fail(connection, "Error 7: ", messages);
                continue;
            }
            sums.clear();
            for (int column = 1; column <= kSumColumns; ++column)
                sums.push_back(sumLiteral(connection, rows.value(r, column)));
            batch.push_back({*name, sums});
        }
        insertBatch(connection, batch, messages);
    }
    connection.execute(std::string(sql::kAggregatorClose));
    return true;
}

}  // namespace

std::string aggregatorCompletionText(bool withoutTrigramIndex) {
    // Each text whole, so that the window finds it among the translations.
    if (!withoutTrigramIndex)
        return KESTROVA_TEXT("Messages", "The update of the database is now complete");
    return KESTROVA_TEXT(
        "Messages",
        "The update of the database is now complete\n\nThe server could not add the trigram index "
        "(PostgreSQL extension pg_trgm), so look-ups through the aggregator database work without "
        "it and are slower.");
}

AggregatorBuild buildAggregatorTable(PostgresConnection& connection, MessageSink& messages) {
    connection.execute(std::string(sql::kAggregatorDrop));
    if (!connection.execute(std::string(sql::kAggregatorCreate)).commandOk()) {
        fail(connection, "Error 3: ", messages);
        return AggregatorBuild::Failed;
    }
    if (!connection.execute(std::string(sql::kAggregatorBegin)).commandOk()) {
        fail(connection, "BEGIN command failed: ", messages);
        return AggregatorBuild::Failed;
    }
    if (!fillInServer(connection) && !fillRowByRow(connection, messages))
        return AggregatorBuild::Failed;
    connection.execute(std::string(sql::kAggregatorEnd));
    return addTrigramIndex(connection) ? AggregatorBuild::Built
                                       : AggregatorBuild::BuiltWithoutTrigramIndex;
}

}  // namespace kestrova
