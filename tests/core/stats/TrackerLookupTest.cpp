#include "stats/TrackerLookup.h"

#include <gtest/gtest.h>

#include <libpq-fe.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PostgresServer.h"
#include "Printers.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "TrackerEntry.h"
#include "common/MessageSink.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"
#include "stats/AggregatorBuilder.h"
#include "stats/PlayerRecordList.h"

namespace kestrova {
namespace {

using test::PostgresServer;

constexpr const char* kFixtures = KESTROVA_STATS_FIXTURES;

PostgresServer& server() {
    return PostgresServer::shared();
}

DatabaseEntry entryFor(const std::string& database, DatabaseKind kind) {
    return test::trackerEntry(server(), database, kind);
}

// Runs one query as the superuser and returns the first value.
std::string queryValue(const std::string& database, const std::string& sql) {
    const std::string text = "host=" + server().socketDirectory() + " port=" + server().portText() +
                             " dbname='" + database + "' user=postgres";
    PGconn* connection = PQconnectdb(text.c_str());
    PGresult* result = PQexec(connection, sql.c_str());
    std::string value = PQntuples(result) > 0 ? PQgetvalue(result, 0, 0) : "";
    PQclear(result);
    PQfinish(connection);
    return value;
}

class TrackerLookupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!PostgresServer::available())
            return;
        const std::string dir = kFixtures;
        const std::pair<const char*, const char*> databases[] = {
            {"kt_pt3", "pokertracker3.sql"}, {"kt_pt3_agg", "pokertracker3.sql"},
            {"kt_pt2", "pokertracker2.sql"}, {"kt_elephant", "elephant.sql"},
            {"kt_hm", "holdemmanager.sql"},  {"kt_hm_month", "holdemmanager-monthly.sql"},
            {"kt_empty", nullptr},
        };
        for (const auto& [name, file] : databases) {
            server().createDatabase(name);
            if (file != nullptr)
                server().executeFile(name, dir + "/" + file);
        }
    }

    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL server programs not installed";
        settings_ = std::make_unique<SettingsStore>(dir_ / "Velloran.ini");
    }

    TrackerLookup& makeLookup(std::vector<DatabaseEntry> entries) {
        lookup_ = std::make_unique<TrackerLookup>(std::move(entries), *settings_, nullptr, records_,
                                                  TraceLog(dir_ / "log.txt"));
        return *lookup_;
    }

    TrackerCounters sums(const std::string& name) {
        TrackerCounters counters;
        EXPECT_TRUE(lookup_->sumCounters(name, counters, sink_)) << name;
        return counters;
    }

    std::string traceText() const { return test::readBytes(dir_ / "log.txt"); }
    // The first message, "title|text", or "" when there is none.
    std::string firstMessage() const { return sink_.messages.empty() ? "" : sink_.messages[0]; }
    bool firstMessageStartsWith(const std::string& start) const {
        return firstMessage().rfind(start, 0) == 0;
    }

    test::TempDir dir_;
    std::unique_ptr<SettingsStore> settings_;
    PlayerRecordList records_;
    test::RecordingSink sink_;
    std::unique_ptr<TrackerLookup> lookup_;
};

// --- sums per kind and across databases -------------------------------------

// Every counter of one player in one database of each kind. PokerTracker 2
// trims the name and blurs l and I only; Holdem Manager without monthly tables
// uses LIKE in the daily ones (RiverRat), with them ILIKE (riverrat as well).
TEST_F(TrackerLookupTest, EachKindSumsEveryCounterOfThePlayer) {
    struct Case {
        const char* database;
        DatabaseKind kind;
        TrackerCounters expected;
    };
    // clang-format off
    const Case cases[] = {
        {"kt_pt3", DatabaseKind::PokerTracker3,
         {.hands = 4, .vpip = 3, .pfr = 2, .flopBets = 2, .turnBets = 2, .riverBets = 1,
          .flopCalls = 2, .turnCalls = 2, .riverCalls = 1, .showdowns = 2, .flopsSeen = 3,
          .showdownsWon = 1, .won = 13.0f, .dataShape = 0}},
        {"kt_pt2", DatabaseKind::PokerTracker2Postgres,
         {.hands = 3, .vpip = 2, .pfr = 1, .flopBets = 2, .turnBets = 1, .flopRaises = 1,
          .riverRaises = 1, .flopCalls = 1, .turnCalls = 2, .showdowns = 2, .flopsSeen = 3,
          .showdownsWon = 1, .won = 45.5f, .totalBet = 30.0f, .icon = 7, .dataShape = 0}},
        {"kt_elephant", DatabaseKind::Elephant,
         {.hands = 35, .vpip = 11, .pfr = 6, .flopBets = 4, .turnBets = 2, .riverBets = 1,
          .flopCalls = 3, .turnCalls = 2, .riverCalls = 1, .showdowns = 5, .flopsSeen = 16,
          .showdownsWon = 3, .dataShape = 0}},
    };
    const TrackerCounters holdemManager{
        .hands = 70, .vpip = 14, .pfr = 7, .flopBets = 7, .turnBets = 2, .riverBets = 3,
        .flopCalls = 4, .turnCalls = 2, .riverCalls = 2, .showdowns = 9, .flopsSeen = 29,
        .showdownsWon = 4, .won = 7.75f, .bbStealAttempts = 16, .bbFoldCount = 11,
        .sbStealAttempts = 8, .sbFoldCount = 6, .dataShape = 0};
    // clang-format on
    for (const Case& c : cases) {
        makeLookup({entryFor(c.database, c.kind)});
        ASSERT_TRUE(lookup_->connectDatabases(sink_)) << c.database;
        EXPECT_EQ(sums("RiverRat"), c.expected) << c.database;
    }

    auto& hm = makeLookup({entryFor("kt_hm", DatabaseKind::HoldemManager),
                           entryFor("kt_hm_month", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(hm.connectDatabases(sink_));
    EXPECT_EQ(hm.effectiveKind(0), 4);
    EXPECT_EQ(hm.effectiveKind(1), 7);
    EXPECT_EQ(traceText(),
              "HEM\nVersion\nFAIL\nClear\nDone\nHEM\nVersion\nHEM_10509\nClear\nDone\n");
    EXPECT_EQ(sums("RiverRat"), holdemManager);
    EXPECT_EQ(sink_.messages, std::vector<std::string>{});
}

TEST_F(TrackerLookupTest, NamePatternsFindOddNamesAndTheLIConfusion) {
    auto& pt3 = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(pt3.connectDatabases(sink_));
    const std::pair<const char*, int> pt3Hands[] = {
        {"O'Brien", 2}, {"KiII3r", 3},                // read with l/I confusion
        {"Ki113r", 0},                                // digits are kept: 1 is not l
        {"Pct%50", 2},  {"_under", 2},  {"Case", 5},  // case variants are different players
        {"case", 2},    {"\\start", 2}, {"back\\slash", 2},
        {"ghost", 0},  // no statistics rows: NULL sums count 0
        {"under", 2},  // "%" matches any prefix
    };
    for (const auto& [name, hands] : pt3Hands)
        EXPECT_EQ(sums(name).hands, hands) << name;

    auto& pt2 = makeLookup({entryFor("kt_pt2", DatabaseKind::PokerTracker2Postgres)});
    ASSERT_TRUE(pt2.connectDatabases(sink_));
    EXPECT_EQ(sums("Blank ").hands, 1);  // trailing blank trimmed, l blurred
    EXPECT_EQ(sums("Pct%50").hands, 2);  // "%" matches itself only, not PctX50
    EXPECT_EQ(
        sums("KiII3r"),
        (TrackerCounters{.hands = 4, .won = 4.0f, .totalBet = 4.0f, .icon = 3, .dataShape = 0}));
    EXPECT_EQ(sums("NoGames").icon, 2);
    EXPECT_EQ(sums("Ri'verRat").hands, 0);  // an apostrophe is never searched
    EXPECT_EQ(sink_.messages, std::vector<std::string>{});
}

// Figures are ratios of the sums over all databases, never means of each.
TEST_F(TrackerLookupTest, OnePersonInThreeKindsIsSummedAndPokerTracker3KeepsTheTotalBet) {
    auto& lookup = makeLookup({entryFor("kt_pt2", DatabaseKind::PokerTracker2Postgres),
                               entryFor("kt_pt3", DatabaseKind::PokerTracker3),
                               entryFor("kt_hm", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const auto record = lookup.lookupPlayer("RiverRat", "1,250 ", "3", sink_);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->hands, "57");
    // won: 45.50 + 13.00 + 12.25 minus PokerTracker 2's total bet of 30.00.
    EXPECT_EQ(record->won, "40.75");
    EXPECT_EQ(record->vpip, "26.32");  // 15 of 57
    EXPECT_EQ(record->icon, 7);
    EXPECT_EQ(record->stack, "1250");
    EXPECT_EQ(record->foldBbToSteal, "60.00");  // 6 of 10
    ASSERT_EQ(records_.size(), 1u);
    EXPECT_EQ(records_.findCachedPlayer("RiverRat"), record);
}

TEST_F(TrackerLookupTest, InactiveDatabasesAndTheExcludedOwnNameAreNotRead) {
    settings_->writeText(keys::excludeme, "1");
    settings_->writeText(keys::profilme, "RiverRat");
    DatabaseEntry broken = entryFor("no_such_database", DatabaseKind::PokerTracker3);
    broken.active = false;
    auto& lookup = makeLookup({broken, entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "10", "0", sink_)->hands, "0");
    EXPECT_EQ(lookup.lookupPlayer("riverrat", "10", "0", sink_)->hands, "0");  // not me
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "10", "0", sink_)->hands, "3");
    EXPECT_EQ(sink_.messages, std::vector<std::string>{});
}

// --- failures ---------------------------------------------------------------

TEST_F(TrackerLookupTest, ConnectionFailureHidesThePasswordAndEndsTheConnect) {
    DatabaseEntry wrong = entryFor("kt_pt3", DatabaseKind::PokerTracker3);
    wrong.password = "s3cr3t'pw";
    auto& lookup = makeLookup({wrong, entryFor("kt_hm", DatabaseKind::HoldemManager)});
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_FALSE(lookup.connected());
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(firstMessageStartsWith("Error|Connection to database failed: ")) << firstMessage();
    EXPECT_NE(firstMessage().find("\nUsername: tracker\nPassword: *********"), std::string::npos)
        << firstMessage();
    EXPECT_EQ(firstMessage().find("s3cr3t"), std::string::npos);
    EXPECT_EQ(traceText(), "") << "Holdem Manager is never probed";
}

struct BlockFailure {
    DatabaseKind kind;
    const char* database;
    const char* expectedStart;
};

class TrackerBlockFailureTest : public TrackerLookupTest,
                                public ::testing::WithParamInterface<BlockFailure> {};

TEST_P(TrackerBlockFailureTest, ShowsItsMessageClosesAndReconnectsNextBatch) {
    const BlockFailure& failure = GetParam();
    auto& lookup = makeLookup({entryFor(failure.database, failure.kind)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    const std::string start = std::string("Error|") + failure.expectedStart;
    EXPECT_TRUE(firstMessageStartsWith(start)) << firstMessage();
    EXPECT_GT(firstMessage().size(), start.size());  // the server's reason
    EXPECT_FALSE(lookup.connected());
    EXPECT_TRUE(records_.empty());
    // The rest of the batch gets no record and no second box.
    EXPECT_EQ(lookup.lookupPlayer("Other", "1", "0", sink_), nullptr);
    EXPECT_EQ(sink_.messages.size(), 1u);
    // The next batch connects again and fails the same way.
    EXPECT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    EXPECT_EQ(sink_.messages.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryBlock, TrackerBlockFailureTest,
    ::testing::Values(
        BlockFailure{DatabaseKind::PokerTracker3, "kt_empty",
                     "Your database is probably not configured correct with Kestrova\n"
                     ".FETCH ALL failed: "},
        BlockFailure{DatabaseKind::Elephant, "kt_empty",
                     "Your database is probably not configured correct with Quorrin\n"
                     ".FETCH ALL failed: "},
        BlockFailure{DatabaseKind::HoldemManager, "kt_empty", "FETCH ALL failed: "},
        BlockFailure{DatabaseKind::PokerTracker2Postgres, "kt_empty", "3 failed: "},
        BlockFailure{DatabaseKind::PokerTracker2Postgres, "kt_pt3", "3 failed: "}));

TEST_F(TrackerLookupTest, MissingMonthlySummaryOrAggregatorTableFailsTheLookup) {
    server().createDatabase("kt_hm_broken");
    server().execute(
        "kt_hm_broken",
        "SET ROLE tracker; CREATE TABLE compiledresults_month (compiledplayerresults_id int, "
        "player_id int); INSERT INTO compiledresults_month VALUES (1, 1);");
    auto& hm = makeLookup({entryFor("kt_hm_broken", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(hm.connectDatabases(sink_));
    ASSERT_EQ(hm.effectiveKind(0), 7);
    EXPECT_EQ(hm.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    EXPECT_TRUE(firstMessageStartsWith("Error|ERROR: ")) << firstMessage();

    sink_.messages.clear();
    settings_->writeText(keys::useagg, "1");
    auto& pt3 = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(pt3.connectDatabases(sink_));
    EXPECT_EQ(pt3.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    EXPECT_TRUE(firstMessageStartsWith(
        "Error|Your database is probably not configured correct with Kestrova\n"
        ".FETCH ALL failed: "))
        << firstMessage();
}

TEST_F(TrackerLookupTest, ServerStoppedInTheMiddleOfABatch) {
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_NE(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    server().stop();
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "1", "0", sink_), nullptr);
    EXPECT_EQ(lookup.lookupPlayer("Case", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(firstMessageStartsWith(
        "Error|Your database is probably not configured correct with Kestrova\n."))
        << firstMessage();
    // The next batch cannot connect while the server is down...
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sink_.messages.size(), 2u);
    server().start();
    // ...and works once it is back.
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const auto record = lookup.lookupPlayer("KiII3r", "1", "0", sink_);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->hands, "3");
    EXPECT_EQ(records_.size(), 2u);
}

// --- hostile names ----------------------------------------------------------

std::vector<std::string> hostileNames() {
    return {"'; DROP TABLE player; --",
            "x'); DELETE FROM players; --",
            "'",
            "''",
            "\\",
            "x\\",
            "\\'",
            "a\\'b",
            "%",
            "%%",
            "_",
            "100%",
            ";",
            "$$",
            "E'\\x27'",
            "name\nwith\nlines",
            "tab\there",
            std::string("nul\0byte", 8),
            "J\xE9r\xF4me",
            "\xC3",
            std::string(2000, 'a'),
            std::string(2000, '\''),
            std::string(1000, '\\'),
            "' OR 1=1 --",
            "\") OR (\"1\"=\"1"};
}

TEST_F(TrackerLookupTest, HostileNamesGiveRecordsAndChangeNothing) {
    auto& lookup = makeLookup({entryFor("kt_pt2", DatabaseKind::PokerTracker2Postgres),
                               entryFor("kt_pt3", DatabaseKind::PokerTracker3),
                               entryFor("kt_elephant", DatabaseKind::Elephant),
                               entryFor("kt_hm", DatabaseKind::HoldemManager),
                               entryFor("kt_hm_month", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    for (const std::string& name : hostileNames()) {
        const auto record = lookup.lookupPlayer(name, "1", "0", sink_);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(record->name, name);
        EXPECT_EQ(sink_.messages, std::vector<std::string>{}) << name;
        EXPECT_TRUE(lookup.connected()) << name;
    }
    EXPECT_EQ(queryValue("kt_pt3", "SELECT count(*) FROM player"), "13");
    EXPECT_EQ(queryValue("kt_pt2", "SELECT count(*) FROM players"), "6");
    EXPECT_EQ(queryValue("kt_hm", "SELECT count(*) FROM players"), "2");
    // The connections still answer ordinary look-ups.
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "1", "0", sink_)->hands, "7");  // PokerTracker 2 and 3
}

// --- aggregator ---------------------------------------------------------------

TEST_F(TrackerLookupTest, AggregatorFindsEveryPlayerAsThePerHandPathDoes) {
    auto& lookup = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_EQ(sink_.messages, std::vector<std::string>{});
    // Names altered as the look-up pattern alters them: first character kept.
    EXPECT_EQ(queryValue("kt_pt3_agg",
                         "SELECT string_agg(player_name, ',' ORDER BY player_name COLLATE \"C\") "
                         "FROM hhps"),
              "'quote,Case,Ivan,Ki__3r,O_Brien,Pct_50,RiverRat,\\start,_under,back_s_ash,"
              "case,lucky");
    // A player without hands has no row to sum; a NULL sum is stored as 0.
    EXPECT_EQ(queryValue("kt_pt3_agg", "SELECT count(*) FROM hhps WHERE faf IS NULL"), "0");

    const std::vector<std::string> names = {"RiverRat", "O'Brien",     "KiII3r", "Pct%50", "_under",
                                            "Case",     "case",        "lucky",  "Ivan",   "'quote",
                                            "\\start",  "back\\slash", "ghost",  "Nobody"};
    for (const std::string& name : names) {
        settings_->writeText(keys::useagg, "0");
        const TrackerCounters perHand = sums(name);
        settings_->writeText(keys::useagg, "1");
        EXPECT_EQ(sums(name), perHand) << name;
    }
    for (const std::string& name : hostileNames())
        ASSERT_NE(lookup.lookupPlayer(name, "1", "0", sink_), nullptr) << name;
    EXPECT_EQ(sink_.messages, std::vector<std::string>{});
}

// Built in every active PokerTracker 3 database and nowhere else; a second
// update replaces the snapshot.
TEST_F(TrackerLookupTest, AggregatorIsBuiltInEveryActivePokerTracker3Database) {
    server().createDatabase("kt_pt3_a");
    server().createDatabase("kt_pt3_b");
    server().executeFile("kt_pt3_a", std::string(kFixtures) + "/pokertracker3.sql");
    server().executeFile("kt_pt3_b", std::string(kFixtures) + "/pokertracker3.sql");
    DatabaseEntry inactive = entryFor("kt_pt3", DatabaseKind::PokerTracker3);
    inactive.active = false;
    auto& lookup = makeLookup({entryFor("kt_pt3_a", DatabaseKind::PokerTracker3),
                               entryFor("kt_elephant", DatabaseKind::Elephant), inactive,
                               entryFor("kt_pt3_b", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    EXPECT_EQ(queryValue("kt_pt3_a", "SELECT count(*) FROM hhps"), "12");
    EXPECT_EQ(queryValue("kt_pt3_b", "SELECT count(*) FROM hhps"), "12");
    EXPECT_EQ(queryValue("kt_pt3", "SELECT to_regclass('hhps') IS NULL"), "t");
    EXPECT_EQ(queryValue("kt_elephant", "SELECT to_regclass('hhps') IS NULL"), "t");

    server().execute("kt_pt3_a",
                     "INSERT INTO holdem_hand_player_statistics (id_hand, id_player) "
                     "VALUES (900, 1), (901, 1)");
    settings_->writeText(keys::useagg, "1");
    EXPECT_EQ(sums("RiverRat").hands, 4 + 35 + 4);  // a snapshot of each, and Elephant's
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    EXPECT_EQ(sums("RiverRat").hands, 6 + 35 + 4);
}

// One row the table cannot take (a sum beyond bigint) must not cost the others; a
// database where the trigram index cannot be made keeps a working table.
TEST_F(TrackerLookupTest, AggregatorGoesOnAfterAFailedRowAndTellsAMissingIndex) {
    server().createDatabase("kt_pt3_bad");
    server().executeFile("kt_pt3_bad", std::string(kFixtures) + "/pokertracker3.sql");
    server().execute("kt_pt3_bad",
                     "ALTER TABLE holdem_hand_player_statistics ALTER COLUMN cnt_f_call TYPE "
                     "bigint; INSERT INTO holdem_hand_player_statistics (id_hand, id_player, "
                     "cnt_f_call) VALUES (950, 1, 9223372036854775807), "
                     "(951, 1, 9223372036854775807); "
                     "CREATE TABLE hhps_player_name_trgm (taken integer)");
    auto& lookup = makeLookup({entryFor("kt_pt3_bad", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(firstMessageStartsWith("Error|Error 7: ")) << firstMessage();
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps"), "11");
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps WHERE player_name = 'Ivan'"),
              "1");
    EXPECT_TRUE(lookup.aggregatorWithoutTrigramIndex());
    EXPECT_NE(aggregatorCompletionText(true).find("trigram"), std::string::npos);

    // A healthy database clears the note; one without tables fails and closes.
    auto& healthy = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(healthy.connectDatabases(sink_));
    ASSERT_TRUE(healthy.buildAggregator(sink_));
    EXPECT_FALSE(healthy.aggregatorWithoutTrigramIndex());

    sink_.messages.clear();
    auto& empty = makeLookup({entryFor("kt_empty", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(empty.connectDatabases(sink_));
    EXPECT_FALSE(empty.buildAggregator(sink_));
    EXPECT_TRUE(firstMessageStartsWith("Error|Error 4: ")) << firstMessage();
    EXPECT_FALSE(empty.connected());
}

}  // namespace
}  // namespace kestrova
