#include "stats/TrackerLookup.h"

#include <gtest/gtest.h>

#include <libpq-fe.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PostgresServer.h"
#include "TrackerEntry.h"
#include "common/MessageSink.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"
#include "stats/AggregatorBuilder.h"
#include "stats/PlayerRecordList.h"
#include "stats/TrackerNamePattern.h"
#include "stats/postgres/PostgresConnection.h"

namespace kestrova {
namespace {

using test::PostgresServer;

constexpr const char* kFixtures = KESTROVA_STATS_FIXTURES;

struct Message {
    std::string title;
    std::string text;
};

class RecordingSink final : public MessageSink {
public:
    void showMessage(const std::string& title, const std::string& text) override {
        messages.push_back({title, text});
    }
    std::vector<Message> messages;
};

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
        std::string pattern = (std::filesystem::temp_directory_path() / "kt-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        settings_ = std::make_unique<SettingsStore>(dir_ / "Velloran.ini");
    }
    void TearDown() override {
        lookup_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    TrackerLookup& makeLookup(std::vector<DatabaseEntry> entries) {
        lookup_ = std::make_unique<TrackerLookup>(std::move(entries), *settings_, nullptr, records_,
                                                  TraceLog(dir_ / "log.txt"));
        return *lookup_;
    }

    // The look-up follows the options it is given, not later writes to the settings file.
    void useAggregator(bool on) {
        TrackerOptions options = lookup_->options();
        options.useAggregator = on;
        lookup_->setOptions(options);
    }

    TrackerCounters sums(const std::string& name) {
        TrackerCounters counters;
        EXPECT_TRUE(lookup_->sumCounters(name, counters, sink_)) << name;
        return counters;
    }

    std::string traceText() const {
        std::ifstream in(dir_ / "log.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
    std::unique_ptr<SettingsStore> settings_;
    PlayerRecordList records_;
    RecordingSink sink_;
    std::unique_ptr<TrackerLookup> lookup_;
};

// --- sums per kind and across databases -------------------------------------

TEST_F(TrackerLookupTest, PokerTracker3SumsEveryHandOfThePlayer) {
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const TrackerCounters c = sums("RiverRat");
    EXPECT_EQ(c.hands, 4);
    EXPECT_FLOAT_EQ(c.won, 13.0f);
    EXPECT_EQ(c.vpip, 3);
    EXPECT_EQ(c.pfr, 2);
    EXPECT_EQ(c.flopBets, 2);
    EXPECT_EQ(c.turnBets, 2);
    EXPECT_EQ(c.riverBets, 1);
    EXPECT_EQ(c.flopRaises + c.turnRaises + c.riverRaises, 0);
    EXPECT_EQ(c.flopCalls, 2);
    EXPECT_EQ(c.turnCalls, 2);
    EXPECT_EQ(c.riverCalls, 1);
    EXPECT_EQ(c.showdowns, 2);
    EXPECT_EQ(c.showdownsWon, 1);
    EXPECT_EQ(c.flopsSeen, 3);
    EXPECT_EQ(c.dataShape, DataShape::PostgresFamily);
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(TrackerLookupTest, NamePatternFindsOddNamesAndLIConfusion) {
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sums("O'Brien").hands, 2);
    EXPECT_EQ(sums("KiII3r").hands, 3);  // read with l/I confusion
    EXPECT_EQ(sums("Ki113r").hands, 0);  // digits are kept: 1 is not l
    EXPECT_EQ(sums("Pct%50").hands, 2);
    EXPECT_EQ(sums("_under").hands, 2);
    EXPECT_EQ(sums("Case").hands, 5);  // case variants are different players
    EXPECT_EQ(sums("case").hands, 2);
    EXPECT_EQ(sums("\\start").hands, 2);
    EXPECT_EQ(sums("back\\slash").hands, 2);
    EXPECT_EQ(sums("ghost").hands, 0);  // no statistics rows: NULL sums count 0
    EXPECT_EQ(sums("Nobody").hands, 0);
    EXPECT_EQ(sums("under").hands, 2);  // "%" matches any prefix
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(TrackerLookupTest, PokerTracker2SearchesTrimmedNamesAndSumsGames) {
    auto& lookup = makeLookup({entryFor("kt_pt2", DatabaseKind::PokerTracker2Postgres)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const TrackerCounters c = sums("RiverRat");
    EXPECT_EQ(c.hands, 3);
    EXPECT_EQ(c.icon, 7);
    EXPECT_EQ(c.flopBets, 2);
    EXPECT_EQ(c.flopRaises, 1);
    EXPECT_EQ(c.flopCalls, 1);
    EXPECT_EQ(c.turnBets, 1);
    EXPECT_EQ(c.turnCalls, 2);
    EXPECT_EQ(c.riverRaises, 1);
    EXPECT_EQ(c.pfr, 1);
    EXPECT_EQ(c.vpip, 2);
    EXPECT_EQ(c.showdowns, 2);
    EXPECT_EQ(c.flopsSeen, 3);
    EXPECT_EQ(c.showdownsWon, 1);
    EXPECT_FLOAT_EQ(c.totalBet, 30.0f);
    EXPECT_FLOAT_EQ(c.won, 45.5f);
    EXPECT_EQ(sums("Blank ").hands, 1);  // trailing blank trimmed, l blurred
    EXPECT_EQ(sums("Pct%50").hands, 2);  // "%" matches itself only, not PctX50
    const TrackerCounters killer = sums("KiII3r");
    EXPECT_EQ(killer.hands, 4);
    EXPECT_EQ(killer.icon, 3);
    const TrackerCounters noGames = sums("NoGames");
    EXPECT_EQ(noGames.hands, 0);
    EXPECT_EQ(noGames.icon, 2);
    EXPECT_EQ(sums("Ri'verRat").hands, 0);  // an apostrophe is never searched
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(TrackerLookupTest, ElephantAddsEveryMatchingPlayer) {
    auto& lookup = makeLookup({entryFor("kt_elephant", DatabaseKind::Elephant)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const TrackerCounters c = sums("RiverRat");
    EXPECT_EQ(c.hands, 35);
    EXPECT_EQ(c.vpip, 11);
    EXPECT_EQ(c.pfr, 6);
    EXPECT_EQ(c.flopBets, 4);
    EXPECT_EQ(c.turnBets, 2);
    EXPECT_EQ(c.riverBets, 1);
    EXPECT_EQ(c.flopCalls, 3);
    EXPECT_EQ(c.flopsSeen, 16);
    EXPECT_EQ(c.showdowns, 5);
    EXPECT_EQ(c.showdownsWon, 3);
}

TEST_F(TrackerLookupTest, HoldemManagerWithAndWithoutMonthlyTables) {
    auto& lookup = makeLookup({entryFor("kt_hm", DatabaseKind::HoldemManager),
                               entryFor("kt_hm_month", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(lookup.effectiveKind(0), 4);
    EXPECT_EQ(lookup.effectiveKind(1), 7);
    EXPECT_EQ(traceText(),
              "HEM\nVersion\nFAIL\nClear\nDone\nHEM\nVersion\nHEM_10509\nClear\nDone\n");
    const TrackerCounters c = sums("RiverRat");
    // LIKE in the daily tables finds RiverRat only; ILIKE in the monthly ones riverrat.
    EXPECT_EQ(c.hands, 70);
    EXPECT_FLOAT_EQ(c.won, 7.75f);
    EXPECT_EQ(c.vpip, 14);
    EXPECT_EQ(c.pfr, 7);
    EXPECT_EQ(c.showdowns, 9);
    EXPECT_EQ(c.flopsSeen, 29);
    EXPECT_EQ(c.showdownsWon, 4);
    EXPECT_EQ(c.bbStealAttempts, 16);
    EXPECT_EQ(c.bbFoldCount, 11);
    EXPECT_EQ(c.sbStealAttempts, 8);
    EXPECT_EQ(c.sbFoldCount, 6);
    EXPECT_EQ(c.flopBets, 7);
    EXPECT_EQ(c.flopCalls, 4);
    EXPECT_EQ(c.turnBets, 2);
    EXPECT_EQ(c.turnCalls, 2);
    EXPECT_EQ(c.riverBets, 3);
    EXPECT_EQ(c.riverCalls, 2);
    EXPECT_TRUE(sink_.messages.empty());
}

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
    EXPECT_EQ(record->seat, "3");
    EXPECT_EQ(record->foldBbToSteal, "60.00");  // 6 of 10
    ASSERT_EQ(records_.size(), 1u);
    EXPECT_EQ(records_.at(0), record);
    EXPECT_EQ(records_.findCachedPlayer("RiverRat"), record);
}

TEST_F(TrackerLookupTest, InactiveDatabasesAreNeitherConnectedNorRead) {
    DatabaseEntry broken = entryFor("no_such_database", DatabaseKind::PokerTracker3);
    broken.active = false;
    auto& lookup = makeLookup({broken, entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sums("RiverRat").hands, 4);
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(TrackerLookupTest, OwnScreenNameIsNotLookedUpWhenExcluded) {
    settings_->writeText(keys::excludeme, "1");
    settings_->writeText(keys::profilme, "RiverRat");
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    const auto me = lookup.lookupPlayer("RiverRat", "10", "0", sink_);
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->hands, "0");
    EXPECT_EQ(lookup.lookupPlayer("riverrat", "10", "0", sink_)->hands, "0");  // not me
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "10", "0", sink_)->hands, "3");
}

// --- failures ---------------------------------------------------------------

TEST_F(TrackerLookupTest, ConnectionFailureNamesTheUserAndHidesThePassword) {
    DatabaseEntry wrong = entryFor("kt_pt3", DatabaseKind::PokerTracker3);
    wrong.password = "s3cr3t'pw";
    auto& lookup = makeLookup({wrong});
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_FALSE(lookup.connected());
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].title, "Error");
    const std::string& text = sink_.messages[0].text;
    EXPECT_EQ(text.rfind("Connection to database failed: ", 0), 0u) << text;
    EXPECT_NE(text.find("\nUsername: tracker\nPassword: *********"), std::string::npos) << text;
    EXPECT_EQ(text.find("s3cr3t"), std::string::npos);
}

TEST_F(TrackerLookupTest, LaterEntriesAreNotTriedAfterAFailedConnect) {
    auto& lookup = makeLookup({entryFor("no_such_database", DatabaseKind::Elephant),
                               entryFor("kt_hm", DatabaseKind::HoldemManager)});
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(traceText(), "");  // Holdem Manager never probed
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
    EXPECT_EQ(sink_.messages[0].title, "Error");
    const std::string& text = sink_.messages[0].text;
    EXPECT_EQ(text.rfind(failure.expectedStart, 0), 0u) << text;
    EXPECT_GT(text.size(), std::string(failure.expectedStart).size());  // server's reason
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

TEST_F(TrackerLookupTest, MonthlySummaryDeclarationFailureSaysError) {
    server().createDatabase("kt_hm_broken");
    server().execute(
        "kt_hm_broken",
        "SET ROLE tracker; CREATE TABLE compiledresults_month (compiledplayerresults_id int, "
        "player_id int); INSERT INTO compiledresults_month VALUES (1, 1);");
    auto& lookup = makeLookup({entryFor("kt_hm_broken", DatabaseKind::HoldemManager)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_EQ(lookup.effectiveKind(0), 7);
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].text.rfind("ERROR: ", 0), 0u) << sink_.messages[0].text;
}

TEST_F(TrackerLookupTest, AggregatorSettingWithoutTableFailsWithTheFetchMessage) {
    settings_->writeText(keys::useagg, "1");
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].text.rfind(
                  "Your database is probably not configured correct with Kestrova\n"
                  ".FETCH ALL failed: ",
                  0),
              0u);
}

TEST_F(TrackerLookupTest, ServerStoppedInTheMiddleOfABatch) {
    auto& lookup = makeLookup({entryFor("kt_pt3", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_NE(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    server().stop();
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "1", "0", sink_), nullptr);
    EXPECT_EQ(lookup.lookupPlayer("Case", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].text.rfind(
                  "Your database is probably not configured correct with Kestrova\n.", 0),
              0u)
        << sink_.messages[0].text;
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

// The aggregator look-up is prepared once per connection: a new connection
// (after the server restarted) and a server session that lost it both get it
// prepared again.
TEST_F(TrackerLookupTest, PreparedAggregatorLookUpSurvivesAReconnectAndALostSession) {
    auto& lookup = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    useAggregator(true);
    EXPECT_EQ(sums("RiverRat").hands, 4);
    server().stop();
    server().start();
    TrackerCounters lost;
    EXPECT_FALSE(lookup.sumCounters("KiII3r", lost, sink_));
    ASSERT_EQ(sink_.messages.size(), 1u);
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sums("KiII3r").hands, 3);
    EXPECT_EQ(sums("RiverRat").hands, 4);
    EXPECT_EQ(sink_.messages.size(), 1u);

    const DatabaseEntry e = entryFor("kt_pt3", DatabaseKind::PokerTracker3);
    PostgresConnection connection;
    ASSERT_TRUE(connection.open(
        PostgresConnection::connectionText(e.host, e.port, e.database, e.user, e.password)));
    const std::string count = "SELECT count(*) FROM player WHERE player_name LIKE $1";
    EXPECT_EQ(connection.executePrepared("count", count, {"%a%"}).value(0, 0), "6");
    ASSERT_TRUE(connection.execute("DEALLOCATE ALL").commandOk());
    EXPECT_EQ(connection.executePrepared("count", count, {"%'%"}).value(0, 0), "2");
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
        EXPECT_TRUE(sink_.messages.empty()) << name << ": " << sink_.messages.front().text;
        EXPECT_TRUE(lookup.connected()) << name;
    }
    EXPECT_EQ(queryValue("kt_pt3", "SELECT count(*) FROM player"), "13");
    EXPECT_EQ(queryValue("kt_pt2", "SELECT count(*) FROM players"), "6");
    EXPECT_EQ(queryValue("kt_hm", "SELECT count(*) FROM players"), "2");
    // The connections still answer ordinary look-ups.
    EXPECT_EQ(lookup.lookupPlayer("KiII3r", "1", "0", sink_)->hands, "7");  // PokerTracker 2 and 3
}

TEST_F(TrackerLookupTest, HostileNamesWithTheAggregator) {
    auto& lookup = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    useAggregator(true);
    for (const std::string& name : hostileNames()) {
        ASSERT_NE(lookup.lookupPlayer(name, "1", "0", sink_), nullptr) << name;
        EXPECT_TRUE(sink_.messages.empty()) << name;
    }
}

// --- aggregator ---------------------------------------------------------------

TEST_F(TrackerLookupTest, AggregatorRoundTripFindsEveryPlayerAsThePerHandPathDoes) {
    auto& lookup = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
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
        useAggregator(false);
        const TrackerCounters perHand = sums(name);
        useAggregator(true);
        const TrackerCounters aggregated = sums(name);
        EXPECT_EQ(aggregated, perHand) << name;
    }
    EXPECT_TRUE(sink_.messages.empty());
}

// The server fills the table and alters the names itself: character by
// character as the look-up's pattern alters them, whatever the characters.
TEST_F(TrackerLookupTest, AggregatorStoresEveryNameAsTheLookUpAltersIt) {
    server().createDatabase("kt_pt3_odd");
    server().executeFile("kt_pt3_odd", std::string(kFixtures) + "/pokertracker3.sql");
    const std::vector<std::string> names = {"J\xC3\xA9r\xC3\xB4me",
                                            "\xCE\xA9mega",
                                            "\xC3\x89",
                                            "Zo\xC3\xAB l",
                                            "x",
                                            "a-b.c_d",
                                            "\xE2\x82\xACuro\xF0\x9F\x82\xA1",
                                            "lIl1",
                                            "tab\there",
                                            "~"};
    std::string insert = "SET ROLE tracker; INSERT INTO player (id_player, player_name) VALUES ";
    for (std::size_t i = 0; i < names.size(); ++i)
        insert += (i ? ", (" : "(") + std::to_string(100 + i) + ", E'" + names[i] + "')";
    insert +=
        "; INSERT INTO holdem_hand_player_statistics (id_hand, id_player, amt_won, "
        "flg_vpip) SELECT 1000 + id_player, id_player, 1.25, true FROM player WHERE "
        "id_player >= 100";
    server().execute("kt_pt3_odd", insert);
    auto& lookup = makeLookup({entryFor("kt_pt3_odd", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
    for (const std::string& name : names) {
        EXPECT_EQ(queryValue("kt_pt3_odd", "SELECT count(*) FROM hhps WHERE player_name = E'" +
                                               alteredTrackerName(name) + "'"),
                  "1")
            << name;
        useAggregator(false);
        const TrackerCounters perHand = sums(name);
        useAggregator(true);
        EXPECT_EQ(sums(name), perHand) << name;
        EXPECT_GE(perHand.hands, 1) << name;
    }
    EXPECT_EQ(queryValue("kt_pt3_odd", "SELECT count(*) FROM hhps"), std::to_string(12 + 10));
}

TEST_F(TrackerLookupTest, SecondAggregatorUpdateReplacesTheTable) {
    server().createDatabase("kt_pt3_agg2");
    server().executeFile("kt_pt3_agg2", std::string(kFixtures) + "/pokertracker3.sql");
    auto& lookup = makeLookup({entryFor("kt_pt3_agg2", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    server().execute("kt_pt3_agg2",
                     "INSERT INTO holdem_hand_player_statistics (id_hand, id_player) "
                     "VALUES (900, 1), (901, 1)");
    useAggregator(true);
    EXPECT_EQ(sums("RiverRat").hands, 4);  // a snapshot
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    EXPECT_EQ(sums("RiverRat").hands, 6);
    EXPECT_EQ(queryValue("kt_pt3_agg2", "SELECT count(*) FROM hhps"), "12");
}

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
    EXPECT_EQ(sink_.messages[0].text.rfind("Error 7: ", 0), 0u) << sink_.messages[0].text;
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps"), "11");
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps WHERE player_name = 'Ivan'"),
              "1");
    EXPECT_TRUE(lookup.aggregatorWithoutTrigramIndex());
    EXPECT_NE(aggregatorCompletionText(true).find("trigram"), std::string::npos);

    // A healthy database clears the note.
    auto& healthy = makeLookup({entryFor("kt_pt3_agg", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(healthy.connectDatabases(sink_));
    ASSERT_TRUE(healthy.buildAggregator(sink_));
    EXPECT_FALSE(healthy.aggregatorWithoutTrigramIndex());
}

TEST_F(TrackerLookupTest, AggregatorFailureClosesTheConnection) {
    auto& lookup = makeLookup({entryFor("kt_empty", DatabaseKind::PokerTracker3)});
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_FALSE(lookup.buildAggregator(sink_));
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].title, "Error");
    EXPECT_EQ(sink_.messages[0].text.rfind("Error 4: ", 0), 0u) << sink_.messages[0].text;
    EXPECT_FALSE(lookup.connected());
}

}  // namespace
}  // namespace kestrova
