#include "stats/PokerTracker3Source.h"

#include "stats/TrackerStatements.h"
#include "stats/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;
using trackerValues::toMoney;

constexpr std::string_view kBeginFailed =
    "Your database is probably not configured correct with Kestrova\n.BEGIN command failed: ";
constexpr std::string_view kFetchFailed =
    "Your database is probably not configured correct with Kestrova\n.FETCH ALL failed: ";

}  // namespace

bool PokerTracker3Source::addCounters(const TrackerName& name, TrackerCounters& counters,
                                      MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::PostgresFamily);
    std::string quoted;
    if (!quotePattern(name.pattern, quoted, messages))
        return true;
    const bool useAggregator = options_ != nullptr && options_->useAggregator;
    PostgresResult rows;
    if (!runCursor(trackerStatements::pokerTracker3Statistics(useAggregator, quoted),
                   DeclareCheck::Ignore, {kBeginFailed, {}, kFetchFailed}, rows, messages))
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
