#pragma once

#include <string>

namespace kestrova {

class MessageSink;
class PostgresConnection;

// Rebuilds the aggregator table hhps of one PokerTracker 3 database: one row
// per player name with the thirteen sums the look-up reads, the name stored in
// the look-up pattern's altered form (first character kept) so that the
// pattern of the unaltered name finds it. An empty sum is stored as 0. Where
// the server offers pg_trgm, a trigram index makes the look-up's leading "%"
// pattern fast; without it the table works as well, only slower.
//
// The server fills the table with one INSERT ... SELECT; only when it refuses
// are the rows fetched and inserted from here in batches, so that a row that
// cannot be stored is named: it shows "Error 7: " and the build goes on with
// the next. Failed after a message titled "Error" when the table could not be
// created or filled ("Error 3: ", "BEGIN command failed: ", "Error 4: ",
// "Error 5: " followed by the server's message); the caller then closes the
// connection.
enum class AggregatorBuild { Built, BuiltWithoutTrigramIndex, Failed };
AggregatorBuild buildAggregatorTable(PostgresConnection& connection, MessageSink& messages);

// "The update of the database is now complete", and when a database got no trigram
// index, one sentence that says so.
std::string aggregatorCompletionText(bool withoutTrigramIndex);

}  // namespace kestrova
