#include "trackers/PokerTracker2Source.h"

#include "common/MessageSink.h"
#include "records/ImportProgress.h"
#include "trackers/TrackerNamePattern.h"
#include "trackers/TrackerStatements.h"
#include "trackers/TrackerValues.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;
using trackerValues::add;
using trackerValues::toCounter;
using trackerValues::toMoney;

constexpr std::string_view kBeginFailed = "BEGIN command failed: ";
constexpr std::string_view kFetchFailed = "FETCH ALL failed: ";
constexpr std::string_view kSearchDeclareFailed = "3 failed: ";

}  // namespace

bool PokerTracker2Source::addCounters(const TrackerName& name, TrackerCounters& counters,
                                      MessageSink& messages) {
    // PokerTracker 2's search keeps every character but l and I, so a name
    // with an apostrophe is not searched at all.
    if (name.name.find('\'') != std::string::npos)
        return true;
    counters.dataShape = markFamily(counters.dataShape, DataShape::PostgresFamily);
    std::string quoted;
    if (!quotePattern(pokerTracker2NamePattern(name.name), quoted, messages))
        return true;
    PostgresResult rows;
    if (!runQuery(sql::pokerTracker2PlayerSearch(quoted), DeclareCheck::MustSucceed,
                  {kBeginFailed, kSearchDeclareFailed, kFetchFailed}, rows, messages))
        return false;
    std::vector<std::string> ids;
    std::int32_t icon = 0;
    for (int row = 0; row < rows.rows(); ++row) {
        const std::string_view id = rows.value(row, 0);
        if (trackerValues::isDecimalInteger(id)) {
            ids.emplace_back(id);
        } else if (auto escaped = connection().escapeString(id)) {
            ids.push_back("'" + *escaped + "'");
        }
        icon = toCounter(rows.value(row, 1));
    }
    if (icon != 0)
        counters.icon = icon;
    if (ids.empty())
        return true;
    if (!runQuery(sql::pokerTracker2Statistics(ids), DeclareCheck::Ignore,
                  {kBeginFailed, {}, kFetchFailed}, rows, messages))
        return false;
    for (int row = 0; row < rows.rows(); ++row) {
        const auto at = [&](int column) { return toCounter(rows.value(row, column)); };
        add(counters.flopBets, at(0));
        add(counters.flopRaises, at(1));
        add(counters.flopCalls, at(2));
        add(counters.turnBets, at(3));
        add(counters.turnRaises, at(4));
        add(counters.turnCalls, at(5));
        add(counters.riverBets, at(6));
        add(counters.riverRaises, at(7));
        add(counters.riverCalls, at(8));
        add(counters.pfr, at(12));
        add(counters.vpip, at(13));
        add(counters.showdowns, at(14));
        add(counters.flopsSeen, at(15));
        add(counters.showdownsWon, at(16));
        counters.totalBet += toMoney(rows.value(row, 17));
        counters.won += toMoney(rows.value(row, 18));
        add(counters.hands, at(19));
    }
    return true;
}

PlayerNameSource::Result PokerTracker2Source::collectNames(std::vector<std::string>& names,
                                                           ImportProgress& progress,
                                                           MessageSink& messages) {
    PokerTracker2Source own(entry());
    if (!own.connect(messages))
        return Result::Failed;
    PostgresResult rows;
    if (!own.runCursor(kPlayerListCursor, DeclareCheck::Ignore, {kBeginFailed, {}, kFetchFailed},
                       rows, messages))
        return Result::Failed;
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
    own.disconnect();
    return outcome;
}

}  // namespace kestrova
