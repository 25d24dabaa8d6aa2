#include "stats/TrackerLookup.h"

#include <utility>

#include "common/MessageSink.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "stats/AggregatorBuilder.h"
#include "stats/PlayerRecordList.h"
#include "stats/PlayerStatsBuilder.h"
#include "stats/TrackerNamePattern.h"
#include "stats/TrackerStatements.h"
#include "stats/TrackerValues.h"

namespace kestrova {

namespace {

namespace sql = trackerStatements;
using trackerValues::add;
using trackerValues::toCounter;
using trackerValues::toMoney;

constexpr std::string_view kErrorTitle = "Error";

constexpr std::string_view kBeginFailed = "BEGIN command failed: ";
constexpr std::string_view kFetchFailed = "FETCH ALL failed: ";
constexpr std::string_view kSearchDeclareFailed = "3 failed: ";
constexpr std::string_view kPokerTracker3BeginFailed =
    "Your database is probably not configured correct with Kestrova\n.BEGIN command failed: ";
constexpr std::string_view kPokerTracker3FetchFailed =
    "Your database is probably not configured correct with Kestrova\n.FETCH ALL failed: ";
constexpr std::string_view kElephantBeginFailed =
    "Your database is probably not configured correct with Quorrin\n.BEGIN command failed: ";
constexpr std::string_view kElephantFetchFailed =
    "Your database is probably not configured correct with Quorrin\n.FETCH ALL failed: ";
constexpr std::string_view kSummaryDeclareFailed = "ERROR: ";

constexpr auto kinds(DatabaseKind kind) {
    return static_cast<std::int32_t>(kind);
}

}  // namespace

TrackerOptions TrackerOptions::fromSettings(const SettingsStore& settings) {
    TrackerOptions o;
    o.useAggregator = settings.read(keys::useagg) == 1;
    o.excludeMe = settings.read(keys::excludeme) == 1;
    o.ownName = settings.readText(keys::profilme);
    return o;
}

TrackerLookup::TrackerLookup(std::vector<DatabaseEntry> entries, const SettingsStore& settings,
                             const BuddyIndex* buddies, PlayerRecordList& records, TraceLog trace)
    : options_(Options::fromSettings(settings)),
      buddies_(buddies),
      records_(records),
      trace_(std::move(trace)) {
    setDatabases(std::move(entries));
}

TrackerLookup::~TrackerLookup() {
    disconnectDatabases();
}

void TrackerLookup::setDatabases(std::vector<DatabaseEntry> entries) {
    disconnectDatabases();
    sources_.clear();
    sources_.reserve(entries.size());
    for (auto& entry : entries) {
        Source source;
        source.kind = entry.kind;
        source.entry = std::move(entry);
        sources_.push_back(std::move(source));
    }
}

std::int32_t TrackerLookup::effectiveKind(std::size_t index) const {
    return index < sources_.size() ? sources_[index].kind : -1;
}

std::string TrackerLookup::connectionFailureText(const std::string& libraryMessage,
                                                 std::string_view user, std::string_view password) {
    // The user may be reading this with someone watching: the password's
    // characters stay hidden, its length does not matter.
    return "Connection to database failed: " + libraryMessage + "\nUsername: " + std::string(user) +
           "\nPassword: " + std::string(password.size(), '*');
}

bool TrackerLookup::connectDatabases(MessageSink& messages) {
    if (connected_)
        return true;
    for (auto& source : sources_) {
        if (!source.entry.active || !isPostgresKind(source.kind))
            continue;
        if (!connectOne(source, messages)) {
            connected_ = false;
            return false;
        }
    }
    connected_ = true;
    return true;
}

bool TrackerLookup::connectOne(Source& source, MessageSink& messages) {
    const DatabaseEntry& entry = source.entry;
    const std::string text = PostgresConnection::connectionText(
        entry.host, entry.port, entry.database, entry.user, entry.password);
    if (!source.connection.open(text)) {
        messages.showMessage(
            std::string(kErrorTitle),
            connectionFailureText(source.connection.errorMessage(), entry.user, entry.password));
        source.connection.close();
        return false;
    }
    source.connection.setClientEncoding("UTF8");
    if (source.kind == kinds(DatabaseKind::HoldemManager))
        detectMonthlyTables(source);
    return true;
}

void TrackerLookup::detectMonthlyTables(Source& source) {
    PostgresConnection& connection = source.connection;
    trace_.append("HEM\n");
    PostgresResult result = connection.execute(std::string(sql::kBegin));
    if (result.commandOk()) {
        result.clear();
        trace_.append("Version\n");
        result = connection.execute(std::string(sql::kHoldemManagerMonthlyProbe));
        if (!result.commandOk()) {
            trace_.append("FAIL\n");
        } else {
            result = connection.execute(std::string(sql::kFetchAll));
            if (result.tuplesOk() && result.rows() >= 1) {
                source.kind = kinds(DatabaseKind::HoldemManagerMonthly);
                trace_.append("HEM_10509\n");
            }
        }
    }
    trace_.append("Clear\n");
    result.clear();
    connection.execute(std::string(sql::kClose));
    connection.execute(std::string(sql::kEnd));
    trace_.append("Done\n");
}

void TrackerLookup::disconnectDatabases() {
    for (auto& source : sources_)
        source.connection.close();
    connected_ = false;
}

void TrackerLookup::failBlock(Source& source, std::string_view message, MessageSink& messages) {
    messages.showMessage(std::string(kErrorTitle),
                         std::string(message) + source.connection.errorMessage());
    source.connection.close();
    connected_ = false;
}

bool TrackerLookup::runCursor(Source& source, const std::string& declaration, DeclareCheck check,
                              const CursorTexts& texts, PostgresResult& rows,
                              MessageSink& messages) {
    PostgresConnection& connection = source.connection;
    PostgresResult result = connection.execute(std::string(sql::kBegin));
    if (!result.commandOk()) {
        failBlock(source, texts.beginFailure, messages);
        return false;
    }
    result = connection.execute(declaration);
    if (check == DeclareCheck::MustSucceed && !result.commandOk()) {
        failBlock(source, texts.declareFailure, messages);
        return false;
    }
    result.clear();
    rows = connection.execute(std::string(sql::kFetchAll));
    if (!rows.tuplesOk()) {
        rows.clear();
        failBlock(source, texts.fetchFailure, messages);
        return false;
    }
    connection.execute(std::string(sql::kClose));
    connection.execute(std::string(sql::kEnd));
    return true;
}

bool TrackerLookup::quotePattern(Source& source, const std::string& pattern, std::string& quoted,
                                 MessageSink& messages) {
    auto escaped = source.connection.escapeString(pattern);
    if (!escaped) {
        // Only an invalid character can get here, and the pattern is built as
        // UTF-8; the name is then simply not looked up in this database.
        messages.showMessage(std::string(kErrorTitle),
                             "The name cannot be looked up in database \"" + source.entry.database +
                                 "\": " + source.connection.errorMessage());
        return false;
    }
    quoted = std::move(*escaped);
    return true;
}

std::shared_ptr<PlayerStats> TrackerLookup::lookupPlayer(const std::string& name,
                                                         const std::string& stack,
                                                         const std::string& seat,
                                                         MessageSink& messages) {
    TrackerCounters counters;
    const bool isMe = options_.excludeMe && name == options_.ownName;
    if (!isMe && !sumCounters(name, counters, messages))
        return nullptr;
    auto record =
        std::make_shared<PlayerStats>(buildPlayerStats(counters, name, stack, seat, buddies_));
    records_.append(record);
    return record;
}

bool TrackerLookup::sumCounters(const std::string& name, TrackerCounters& counters,
                                MessageSink& messages) {
    counters = TrackerCounters();
    // No tracker stores a NUL character in a name: such a name is found nowhere.
    if (name.find('\0') != std::string::npos)
        return true;
    for (const auto& source : sources_) {
        // A database lost earlier in this batch: no record until the next
        // batch has connected again (the user was told when it was lost).
        if (source.entry.active && isPostgresKind(source.kind) && !connected_)
            return false;
    }
    const std::string pattern = trackerNamePattern(name);
    for (auto& source : sources_) {
        if (!source.entry.active)
            continue;
        bool ok = true;
        switch (static_cast<DatabaseKind>(source.kind)) {
            case DatabaseKind::PokerTracker2Postgres:
                ok = pokerTracker2(source, name, counters, messages);
                break;
            case DatabaseKind::PokerTracker3:
                ok = pokerTracker3(source, pattern, counters, messages);
                break;
            case DatabaseKind::Elephant:
                ok = elephant(source, pattern, counters, messages);
                break;
            case DatabaseKind::HoldemManagerMonthly:
                ok = holdemManager(source, true, pattern, counters, messages);
                break;
            case DatabaseKind::HoldemManager:
                ok = holdemManager(source, false, pattern, counters, messages);
                break;
            case DatabaseKind::PokermanagerFirebird:
            case DatabaseKind::PokerOfficeMysql:
            case DatabaseKind::PokerTracker2Access:
                // Pokermanager (Firebird), PokerOffice (MySQL) and PokerTracker 2
                // in Access come after the PostgreSQL kinds, in this order.
                break;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool TrackerLookup::pokerTracker2(Source& source, const std::string& name,
                                  TrackerCounters& counters, MessageSink& messages) {
    // PokerTracker 2's search keeps every character but l and I, so a name
    // with an apostrophe is not searched at all.
    if (name.find('\'') != std::string::npos)
        return true;
    trackerValues::markPostgresFamily(counters);
    std::string quoted;
    if (!quotePattern(source, pokerTracker2NamePattern(name), quoted, messages))
        return true;
    PostgresResult rows;
    if (!runCursor(source, sql::pokerTracker2PlayerSearch(quoted), DeclareCheck::MustSucceed,
                   {kBeginFailed, kSearchDeclareFailed, kFetchFailed}, rows, messages))
        return false;
    std::vector<std::string> ids;
    std::int32_t icon = 0;
    for (int row = 0; row < rows.rows(); ++row) {
        const std::string_view id = rows.value(row, 0);
        if (trackerValues::isDecimalInteger(id)) {
            ids.emplace_back(id);
        } else if (auto escaped = source.connection.escapeString(id)) {
            ids.push_back("'" + *escaped + "'");
        }
        icon = toCounter(rows.value(row, 1));
    }
    if (icon != 0)
        counters.icon = icon;
    if (ids.empty())
        return true;
    if (!runCursor(source, sql::pokerTracker2Statistics(ids), DeclareCheck::Ignore,
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

bool TrackerLookup::pokerTracker3(Source& source, const std::string& pattern,
                                  TrackerCounters& counters, MessageSink& messages) {
    trackerValues::markPostgresFamily(counters);
    std::string quoted;
    if (!quotePattern(source, pattern, quoted, messages))
        return true;
    const bool useAggregator = options_.useAggregator;
    PostgresResult rows;
    if (!runCursor(source, sql::pokerTracker3Statistics(useAggregator, quoted),
                   DeclareCheck::Ignore, {kPokerTracker3BeginFailed, {}, kPokerTracker3FetchFailed},
                   rows, messages))
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

bool TrackerLookup::elephant(Source& source, const std::string& pattern, TrackerCounters& counters,
                             MessageSink& messages) {
    trackerValues::markPostgresFamily(counters);
    std::string quoted;
    if (!quotePattern(source, pattern, quoted, messages))
        return true;
    PostgresResult rows;
    if (!runCursor(source, sql::elephantStatistics(quoted), DeclareCheck::Ignore,
                   {kElephantBeginFailed, {}, kElephantFetchFailed}, rows, messages))
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

bool TrackerLookup::holdemManager(Source& source, bool monthlyTables, const std::string& pattern,
                                  TrackerCounters& counters, MessageSink& messages) {
    trackerValues::markPostgresFamily(counters);
    std::string quoted;
    if (!quotePattern(source, pattern, quoted, messages))
        return true;
    const CursorTexts texts =
        monthlyTables
            ? CursorTexts{kElephantBeginFailed, kSummaryDeclareFailed, kElephantFetchFailed}
            : CursorTexts{kBeginFailed, {}, kFetchFailed};
    PostgresResult rows;
    if (!runCursor(source, sql::holdemManagerSummary(monthlyTables, quoted),
                   monthlyTables ? DeclareCheck::MustSucceed : DeclareCheck::Ignore, texts, rows,
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
    if (!runCursor(source, sql::holdemManagerStreets(monthlyTables, quoted), DeclareCheck::Ignore,
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

bool TrackerLookup::buildAggregator(MessageSink& messages) {
    aggregatorWithoutTrigramIndex_ = false;
    if (!connected_)
        return false;
    for (auto& source : sources_) {
        if (!source.entry.active || source.kind != kinds(DatabaseKind::PokerTracker3))
            continue;
        switch (buildAggregatorTable(source.connection, messages)) {
            case AggregatorBuild::Failed:
                source.connection.close();
                connected_ = false;
                return false;
            case AggregatorBuild::BuiltWithoutTrigramIndex:
                aggregatorWithoutTrigramIndex_ = true;
                break;
            case AggregatorBuild::Built:
                break;
        }
    }
    return true;
}

}  // namespace kestrova
