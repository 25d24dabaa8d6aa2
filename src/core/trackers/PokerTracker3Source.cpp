#include "trackers/PokerTracker3Source.h"

#include "trackers/TrackerStatements.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;
using trackerValues::toMoney;

constexpr std::string_view kBeginFailed =
    "Your database is probably not configured correct with Kestrova\n.BEGIN command failed: ";
constexpr std::string_view kFetchFailed =
    "Your database is probably not configured correct with Kestrova\n.FETCH ALL failed: ";
// The aggregator look-up's name among the connection's prepared statements.
const std::string kAggregatorLookup = "kestrova_hhps_lookup";

}  // namespace

bool PokerTracker3Source::addCounters(const TrackerName& name, TrackerCounters& counters,
                                      MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::PostgresFamily);
    // The aggregator's pattern goes apart from its statement, but the check
    // that the connection can take it holds for both paths.
    std::string quoted;
    if (!quotePattern(name.pattern, quoted, messages))
        return true;
    const bool useAggregator = options_ != nullptr && options_->useAggregator;
    const CursorTexts texts{kBeginFailed, {}, kFetchFailed};
    PostgresResult rows;
    const bool fetched = useAggregator
                             ? runPrepared(kAggregatorLookup,
                                           std::string(trackerStatements::kPokerTracker3Aggregated),
                                           {name.pattern}, texts, rows, messages)
                             : runQuery(trackerStatements::pokerTracker3Statistics(quoted),
                                        DeclareCheck::Ignore, texts, rows, messages);
    if (!fetched)
        return false;
    // PokerTracker 3's amounts are already net of what was put in: its rows
    // leave the total bet alone, whatever other databases added to it.
    for (int row = 0; row < rows.rows(); ++row) {
        const auto at = [&](int column) { return toCounter(rows.value(row, column)); };
        add(counters.hands, at(0));
        counters.won += toMoney(rows.value(row, 1));
        add(counters.vpip, at(2));
        add(counters.pfr, at(3));
        add(counters.flopBets, at(4));
        add(counters.turnBets, at(5));
        add(counters.riverBets, at(6));
        add(counters.flopCalls, at(7));
        add(counters.turnCalls, at(8));
        add(counters.riverCalls, at(9));
        add(counters.showdowns, at(10));
        add(counters.showdownsWon, at(11));
        add(counters.flopsSeen, at(12));
    }
    return true;
}

}  // namespace kestrova
