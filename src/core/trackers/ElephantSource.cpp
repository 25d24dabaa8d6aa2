#include "trackers/ElephantSource.h"

#include "trackers/TrackerStatements.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

using trackerValues::add;
using trackerValues::toCounter;

constexpr std::string_view kBeginFailed =
    "Your database is probably not configured correct with Quorrin\n.BEGIN command failed: ";
constexpr std::string_view kFetchFailed =
    "Your database is probably not configured correct with Quorrin\n.FETCH ALL failed: ";

}  // namespace

bool ElephantSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                 MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::PostgresFamily);
    std::string quoted;
    if (!quotePattern(name.pattern, quoted, messages))
        return true;
    PostgresResult rows;
    if (!runQuery(trackerStatements::elephantStatistics(quoted), DeclareCheck::Ignore,
                  {kBeginFailed, {}, kFetchFailed}, rows, messages))
        return false;
    for (int row = 0; row < rows.rows(); ++row) {
        const auto at = [&](int column) { return toCounter(rows.value(row, column)); };
        add(counters.hands, at(0));
        add(counters.vpip, at(1));
        add(counters.pfr, at(2));
        add(counters.flopBets, at(3));
        add(counters.turnBets, at(4));
        add(counters.riverBets, at(5));
        add(counters.flopCalls, at(6));
        add(counters.turnCalls, at(7));
        add(counters.riverCalls, at(8));
        add(counters.flopsSeen, at(9));
        add(counters.showdowns, at(10));
        add(counters.showdownsWon, at(11));
    }
    return true;
}

}  // namespace kestrova
