#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The statement texts the look-ups and the aggregator send. `quotedPattern` is
// a LIKE pattern already escaped by the connection for use between single
// quotes; the texts around it are the trackers' as their schemas need them.
// The look-ups are single queries, each answered in one round trip.
namespace trackerStatements {

inline constexpr std::string_view kBegin = "BEGIN";
inline constexpr std::string_view kFetchAll = "FETCH ALL in myportal";
inline constexpr std::string_view kClose = "CLOSE myportal";
inline constexpr std::string_view kEnd = "END";

// Holdem Manager's monthly summary tables, probed at connect time.
inline constexpr std::string_view kHoldemManagerMonthlyProbe =
    "DECLARE myportal CURSOR FOR Select * from compiledresults_month limit 1";

std::string pokerTracker2PlayerSearch(std::string_view quotedPattern);
// ids: the player ids the search returned, each already a decimal integer or
// an escaped, quoted literal (see playerIdLiteral).
std::string pokerTracker2Statistics(const std::vector<std::string>& idLiterals);
// PokerTracker 3 per hand: planned for the very pattern, since how many
// players it matches decides between an index and a scan of the hands.
std::string pokerTracker3Statistics(std::string_view quotedPattern);
// PokerTracker 3 through the aggregator table: the LIKE pattern is parameter $1.
// Prepared once per connection; the trigram index serves every pattern, so its
// plan does not depend on the value.
extern const std::string_view kPokerTracker3Aggregated;
std::string elephantStatistics(std::string_view quotedPattern);
std::string holdemManagerSummary(bool monthlyTables, std::string_view quotedPattern);
std::string holdemManagerStreets(bool monthlyTables, std::string_view quotedPattern);

// The aggregator table's statements.
inline constexpr std::string_view kAggregatorDrop = "DROP table hhps";
extern const std::string_view kAggregatorCreate;
inline constexpr std::string_view kAggregatorBegin = "BEGIN work";
extern const std::string_view kAggregatorDeclare;
// The whole table filled inside the server; kAggregatorDeclare and the inserts
// below name the rows one by one when it fails.
extern const std::string_view kAggregatorInsertSelect;
// The rows come in batches: one round trip per batch instead of per player.
inline constexpr std::string_view kAggregatorFetch = "FETCH forward 1000 in mycur";
inline constexpr std::string_view kAggregatorClose = "CLOSE mycur";
inline constexpr std::string_view kAggregatorEnd = "END work";
// values: the escaped altered name and the thirteen sums as SQL literals.
std::string aggregatorInsert(std::string_view quotedName,
                             const std::vector<std::string>& sumLiterals);
// One row's "('name',sum,...)" for aggregatorInsertRows.
std::string aggregatorValues(std::string_view quotedName,
                             const std::vector<std::string>& sumLiterals);
// One insert of many rows, each as aggregatorValues gives it.
std::string aggregatorInsertRows(const std::vector<std::string>& valueRows);

}  // namespace trackerStatements

}  // namespace kestrova
