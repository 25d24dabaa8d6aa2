#include "trackers/HoldemManagerSource.h"

#include <utility>

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
constexpr std::string_view kMonthlyBeginFailed =
    "Your database is probably not configured correct with Quorrin\n.BEGIN command failed: ";
constexpr std::string_view kMonthlyFetchFailed =
    "Your database is probably not configured correct with Quorrin\n.FETCH ALL failed: ";
constexpr std::string_view kSummaryDeclareFailed = "ERROR: ";

}  // namespace

HoldemManagerSource::HoldemManagerSource(DatabaseEntry entry, TraceLog trace)
    : PostgresTrackerSource(std::move(entry)),
      trace_(std::move(trace)),
      monthly_(this->entry().kind ==
               static_cast<std::int32_t>(DatabaseKind::HoldemManagerMonthly)) {}

void HoldemManagerSource::afterConnect() {
    PostgresConnection& db = connection();
    trace_.append("HEM\n");
    PostgresResult result = db.execute(std::string(sql::kBegin));
    if (result.commandOk()) {
        result.clear();
        trace_.append("Version\n");
        result = db.execute(std::string(sql::kHoldemManagerMonthlyProbe));
        if (!result.commandOk()) {
            trace_.append("FAIL\n");
        } else {
            result = db.execute(std::string(sql::kFetchAll));
            if (result.tuplesOk() && result.rows() >= 1) {
                monthly_ = true;
                trace_.append("HEM_10509\n");
            }
        }
    }
    trace_.append("Clear\n");
    result.clear();
    db.execute(std::string(sql::kClose));
    db.execute(std::string(sql::kEnd));
    trace_.append("Done\n");
}

bool HoldemManagerSource::addCounters(const TrackerName& name, TrackerCounters& counters,
                                      MessageSink& messages) {
    counters.dataShape = markFamily(counters.dataShape, DataShape::PostgresFamily);
    std::string quoted;
    if (!quotePattern(name.pattern, quoted, messages))
        return true;
    const CursorTexts texts =
        monthly_ ? CursorTexts{kMonthlyBeginFailed, kSummaryDeclareFailed, kMonthlyFetchFailed}
                 : CursorTexts{kBeginFailed, {}, kFetchFailed};
    PostgresResult rows;
    if (!runQuery(sql::holdemManagerSummary(monthly_, quoted),
                  monthly_ ? DeclareCheck::MustSucceed : DeclareCheck::Ignore, texts, rows,
                  messages))
        return false;
    if (rows.rows() > 0) {
        const auto at = [&](int column) { return toCounter(rows.value(0, column)); };
        add(counters.hands, at(0));
        counters.won += toMoney(rows.value(0, 1));
        add(counters.vpip, at(2));
        add(counters.pfr, at(3));
        add(counters.showdowns, at(4));
        add(counters.flopsSeen, at(5));
        add(counters.showdownsWon, at(6));
        add(counters.bbStealAttempts, at(7));
        add(counters.sbStealAttempts, at(9));
        add(counters.bbFoldCount, static_cast<std::int64_t>(at(7)) - at(8));
        add(counters.sbFoldCount, static_cast<std::int64_t>(at(9)) - at(10));
    }
    if (!runQuery(sql::holdemManagerStreets(monthly_, quoted), DeclareCheck::Ignore,
                  {texts.beginFailure, {}, texts.fetchFailure}, rows, messages))
        return false;
    for (int row = 0; row < rows.rows(); ++row) {
        const std::int32_t bets = toCounter(rows.value(row, 1));
        const std::int32_t calls = toCounter(rows.value(row, 2));
        switch (toCounter(rows.value(row, 0))) {
            case 1:
                add(counters.flopBets, bets);
                add(counters.flopCalls, calls);
                break;
            case 2:
                add(counters.turnBets, bets);
                add(counters.turnCalls, calls);
                break;
            case 3:
                add(counters.riverBets, bets);
                add(counters.riverCalls, calls);
                break;
            default:
                break;
        }
    }
    return true;
}

}  // namespace kestrova
