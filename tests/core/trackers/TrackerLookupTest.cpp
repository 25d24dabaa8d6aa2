// Tracker look-ups against real servers and files the suite makes itself: the
// PostgreSQL kinds on a throwaway cluster, Pokermanager on Firebird files and
// a Firebird server, PokerOffice on MariaDB, PokerTracker 2 in Access files
// through SQLite's ODBC driver.
#include "trackers/TrackerLookup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

#include "CountingProgress.h"
#include "FirebirdFiles.h"
#include "MariadbServer.h"
#include "PostgresServer.h"
#include "Printers.h"
#include "ProcessTools.h"
#include "RecordingSink.h"
#include "StallingRelay.h"
#include "TempDir.h"
#include "TrackerEntry.h"
#include "records/ImportProgress.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"
#include "trackers/AccessTrackerSource.h"
#include "trackers/AggregatorBuilder.h"
#include "trackers/PokerOfficeSource.h"
#include "trackers/TrackerNamePattern.h"
#include "trackers/TrackerNameSource.h"
#include "sql/postgres/PostgresConnection.h"

namespace kestrova {
namespace {

using test::PostgresServer;

const std::string kFixtures = KESTROVA_TRACKER_FIXTURES;
constexpr auto kPt3 = DatabaseKind::PokerTracker3;
constexpr auto kPt2 = DatabaseKind::PokerTracker2Postgres;
constexpr auto kHm = DatabaseKind::HoldemManager;

PostgresServer& server() {
    return PostgresServer::shared();
}

DatabaseEntry entryFor(const std::string& database, DatabaseKind kind, bool active = true) {
    DatabaseEntry entry = test::trackerEntry(server(), database, kind);
    entry.active = active;
    return entry;
}

void createFrom(const std::string& database, const char* fixture) {
    server().createDatabase(database);
    if (fixture != nullptr)
        server().executeFile(database, kFixtures + "/" + fixture);
}

// The first value of a query run as the superuser.
std::string queryValue(const std::string& database, const std::string& sql) {
    const auto column = server().queryColumn(database, sql);
    return column.empty() ? "" : column.front();
}

bool startsWith(const std::string& text, std::string_view start) {
    return text.rfind(start, 0) == 0;
}

// Every counter that is set, as the printer shows it.
std::string shown(const TrackerCounters& counters) {
    return testing::PrintToString(counters);
}

constexpr std::string_view kFetchFailed =
    "Error|Your database is probably not configured correct with Kestrova\n.FETCH ALL failed: ";

// One look-up over the entries, as the scan runs it.
class LookupFixture : public ::testing::Test {
protected:
    TrackerLookup& makeLookup(std::vector<DatabaseEntry> entries) {
        lookup_ = std::make_unique<TrackerLookup>(std::move(entries),
                                                  TrackerOptions::fromSettings(settings_), nullptr,
                                                  records_, TraceLog(dir_ / "log.txt"));
        return *lookup_;
    }
    TrackerLookup& connected(std::vector<DatabaseEntry> entries) {
        TrackerLookup& lookup = makeLookup(std::move(entries));
        EXPECT_TRUE(lookup.connectDatabases(sink_)) << testing::PrintToString(sink_.messages);
        return lookup;
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
    std::string hands(const std::string& name) {
        const auto record = lookup_->lookupPlayer(name, "1", "0", sink_);
        return record ? handsText(*record) : "no record";
    }
    std::vector<int> handsOf(std::initializer_list<const char*> names) {
        std::vector<int> counted;
        for (const char* name : names)
            counted.push_back(sums(name).hands);
        return counted;
    }

    test::TempDir dir_;
    SettingsStore settings_{dir_ / "Velloran.ini"};
    PlayerRecordList records_;
    test::RecordingSink sink_;
    std::unique_ptr<TrackerLookup> lookup_;
};

class TrackerLookupTest : public LookupFixture {
protected:
    static void SetUpTestSuite() {
        if (!PostgresServer::available())
            return;
        createFrom("kt_pt3", "pokertracker3.sql");
        createFrom("kt_pt3_agg", "pokertracker3.sql");
        createFrom("kt_pt2", "pokertracker2.sql");
        createFrom("kt_elephant", "elephant.sql");
        createFrom("kt_hm", "holdemmanager.sql");
        createFrom("kt_hm_month", "holdemmanager-monthly.sql");
        createFrom("kt_empty", nullptr);
    }

    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL server programs not installed";
    }
};

// --- sums per kind and across databases -------------------------------------

TEST_F(TrackerLookupTest, EveryKindSumsEveryHandOfThePlayer) {
    connected({entryFor("kt_pt3", kPt3)});
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=4 vpip=3 pfr=2 fBet=2 tBet=2 rBet=1 fCall=2 tCall=2 rCall=1 sd=2 flops=3 "
              "sdWon=1 won=13 shape=0}");

    connected({entryFor("kt_pt2", kPt2)});
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=3 vpip=2 pfr=1 fBet=2 tBet=1 fRaise=1 rRaise=1 fCall=1 tCall=2 sd=2 flops=3 "
              "sdWon=1 won=45.5 bet=30 icon=7 shape=0}");

    connected({entryFor("kt_elephant", DatabaseKind::Elephant)});  // every matching player
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=35 vpip=11 pfr=6 fBet=4 tBet=2 rBet=1 fCall=3 tCall=2 rCall=1 sd=5 flops=16 "
              "sdWon=3 shape=0}");

    // Holdem Manager with and without monthly tables: LIKE in the daily tables
    // finds RiverRat only, ILIKE in the monthly ones riverrat too.
    auto& hm = connected({entryFor("kt_hm", kHm), entryFor("kt_hm_month", kHm)});
    EXPECT_EQ(hm.effectiveKind(0), 4);
    EXPECT_EQ(hm.effectiveKind(1), 7);
    EXPECT_EQ(test::readBytes(dir_ / "log.txt"),
              "HEM\nVersion\nFAIL\nClear\nDone\nHEM\nVersion\nHEM_10509\nClear\nDone\n");
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=70 vpip=14 pfr=7 fBet=7 tBet=2 rBet=3 fCall=4 tCall=2 rCall=2 sd=9 flops=29 "
              "sdWon=4 won=7.75 bbSteal=16 bbFold=11 sbSteal=8 sbFold=6 shape=0}");
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
}

TEST_F(TrackerLookupTest, NamePatternsFindOddNamesAndLIConfusion) {
    connected({entryFor("kt_pt3", kPt3)});
    const std::pair<const char*, int> pt3[] = {
        {"O'Brien", 2}, {"KiII3r", 3},       // read with l/I confusion
        {"Ki113r", 0},                       // digits are kept: 1 is not l
        {"Pct%50", 2},  {"_under", 2},       // "%" and "_" first match only themselves
        {"Case", 5},    {"case", 2},         // case variants are different players
        {"\\start", 2}, {"back\\slash", 2},  //
        {"ghost", 0},                        // no statistics rows: NULL sums count 0
        {"under", 2},                        // "%" matches any prefix
    };
    for (const auto& [name, expected] : pt3)
        EXPECT_EQ(sums(name).hands, expected) << name;

    connected({entryFor("kt_pt2", kPt2)});
    const std::pair<const char*, int> pt2[] = {
        {"Blank ", 1},     // trailing blank trimmed, l blurred
        {"Pct%50", 2},     // "%" matches itself only, not PctX50
        {"Ri'verRat", 0},  // an apostrophe is never searched
    };
    for (const auto& [name, expected] : pt2)
        EXPECT_EQ(sums(name).hands, expected) << name;
    EXPECT_EQ(shown(sums("KiII3r")), "{hands=4 won=4 bet=4 icon=3 shape=0}");
    EXPECT_EQ(sums("NoGames").icon, 2);
    // Two players behind one pattern: the games of both.
    createFrom("kt_pt2_twins", "pokertracker2.sql");
    server().execute("kt_pt2_twins",
                     "INSERT INTO players VALUES (7, 'KiIl3r', 1, 0); INSERT INTO game_players "
                     "(game_id, player_id, total_bet, total_won) VALUES (50, 7, 1, 1)");
    connected({entryFor("kt_pt2_twins", kPt2)});
    EXPECT_EQ(sums("KiII3r").hands, 5);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
}

TEST_F(TrackerLookupTest, OnePersonInThreeKindsIsSummedAndPokerTracker3KeepsTheTotalBet) {
    auto& lookup = connected({entryFor("kt_pt2", kPt2), entryFor("no_such_database", kPt3, false),
                              entryFor("kt_pt3", kPt3), entryFor("kt_hm", kHm)});
    const auto record = lookup.lookupPlayer("RiverRat", "1,250 ", "3", sink_);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->hands, 57);
    // won: 45.50 + 13.00 + 12.25 minus PokerTracker 2's total bet of 30.00.
    EXPECT_EQ(figureText(record->won), "40.75");
    EXPECT_EQ(figureText(record->vpip), "26.32");  // 15 of 57
    EXPECT_EQ(record->icon, 7);
    EXPECT_EQ(record->stack, "1250");
    EXPECT_EQ(record->seat, "3");
    EXPECT_EQ(figureText(record->foldBbToSteal), "60.00");  // 6 of 10
    ASSERT_EQ(records_.size(), 1u);
    EXPECT_EQ(records_.findCachedPlayer("RiverRat"), record);
    EXPECT_TRUE(sink_.messages.empty()) << "an inactive entry is neither connected nor read";
}

TEST_F(TrackerLookupTest, OwnScreenNameIsNotLookedUpWhenExcluded) {
    settings_.writeText(keys::excludeme, "1");
    settings_.writeText(keys::profilme, "RiverRat");
    connected({entryFor("kt_pt3", kPt3)});
    EXPECT_EQ(hands("RiverRat"), "0");
    EXPECT_EQ(hands("riverrat"), "0");  // not me, but unknown in this database
    EXPECT_EQ(hands("KiII3r"), "3");
}

// --- failures ---------------------------------------------------------------

// A database that cannot be connected is told once, by kind and name, and left
// out of the pass; the others answer. Only when none can be used does the pass stop.
TEST_F(TrackerLookupTest, ConnectionFailureLeavesThatDatabaseOutOfThePass) {
    DatabaseEntry wrong = entryFor("kt_pt3", kPt3);
    wrong.password = "s3cr3t'pw";
    auto& lookup = connected({wrong, entryFor("kt_pt2", kPt2)});
    EXPECT_EQ(hands("RiverRat"), "3");
    EXPECT_EQ(hands("KiII3r"), "4");
    ASSERT_EQ(sink_.messages.size(), 1u);
    const std::string& text = sink_.messages[0];
    EXPECT_TRUE(startsWith(text, "Error|Connection to database failed: ")) << text;
    EXPECT_EQ(sink_.kinds[0], MessageKind::DatabaseUnreachable);
    // A fixed mask: not one star per character of the 9.
    EXPECT_TRUE(text.ends_with("\nDatabase: PokerTracker 3 \"kt_pt3\"\nUsername: tracker\n"
                               "Password: ********"))
        << text;
    EXPECT_EQ(text.find("s3cr3t"), std::string::npos);
    ASSERT_EQ(lookup.failedDatabases().size(), 1u);
    EXPECT_EQ(lookup.failedDatabases()[0].database, "kt_pt3");
    EXPECT_NE(lookup.failedDatabases()[0].reason.find("password authentication failed"),
              std::string::npos);
    EXPECT_TRUE(lookup.databaseLeftOut());
    EXPECT_FALSE(lookup.buildAggregator(sink_)) << "the PokerTracker 3 database was left out";
    EXPECT_EQ(sink_.messages.size(), 1u);

    auto& none = makeLookup({wrong, entryFor("kt_hm", kHm, false)});
    EXPECT_FALSE(none.connectDatabases(sink_));
    EXPECT_FALSE(none.connected());
    EXPECT_EQ(sink_.messages.size(), 2u);
    EXPECT_EQ(test::readBytes(dir_ / "log.txt"), "") << "Holdem Manager never probed";
}

// A failing block shows its message, closes, gives the rest of the batch no
// record and no second box, and the next batch connects again.
TEST_F(TrackerLookupTest, EveryBlockFailureClosesAndReconnectsNextBatch) {
    const std::tuple<DatabaseKind, const char*, std::string_view> failures[] = {
        {kPt3, "kt_empty", kFetchFailed},
        {DatabaseKind::Elephant, "kt_empty",
         "Error|Your database is probably not configured correct with Quorrin\n.FETCH ALL "
         "failed: "},
        {kHm, "kt_empty", "Error|FETCH ALL failed: "},
        {kPt2, "kt_empty", "Error|3 failed: "},
        {kPt2, "kt_pt3", "Error|3 failed: "}};
    for (const auto& [kind, database, expectedStart] : failures) {
        SCOPED_TRACE(database);
        sink_.messages.clear();
        records_.clear();
        auto& lookup = connected({entryFor(database, kind)});
        EXPECT_EQ(hands("RiverRat"), "no record");
        ASSERT_EQ(sink_.messages.size(), 1u);
        EXPECT_TRUE(startsWith(sink_.messages[0], expectedStart)) << sink_.messages[0];
        EXPECT_GT(sink_.messages[0].size(), expectedStart.size());  // the server's reason
        EXPECT_FALSE(lookup.connected());
        EXPECT_EQ(hands("Other"), "no record");
        EXPECT_TRUE(lookup.connectDatabases(sink_));
        EXPECT_EQ(hands("RiverRat"), "no record");
        EXPECT_EQ(sink_.messages.size(), 2u);
        EXPECT_TRUE(records_.empty());
    }
}

TEST_F(TrackerLookupTest, MonthlySummaryDeclarationFailureAndAMissingAggregatorTable) {
    server().createDatabase("kt_hm_broken");
    server().execute(
        "kt_hm_broken",
        "SET ROLE tracker; CREATE TABLE compiledresults_month (compiledplayerresults_id int, "
        "player_id int); INSERT INTO compiledresults_month VALUES (1, 1);");
    auto& lookup = connected({entryFor("kt_hm_broken", kHm)});
    ASSERT_EQ(lookup.effectiveKind(0), 7);
    EXPECT_EQ(hands("RiverRat"), "no record");
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(startsWith(sink_.messages[0], "Error|ERROR: ")) << sink_.messages[0];

    settings_.writeText(keys::useagg, "1");
    connected({entryFor("kt_pt3", kPt3)});
    EXPECT_EQ(hands("RiverRat"), "no record");
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_TRUE(startsWith(sink_.messages[1], kFetchFailed)) << sink_.messages[1];
}

TEST_F(TrackerLookupTest, ServerStoppedInTheMiddleOfABatch) {
    auto& lookup = connected({entryFor("kt_pt3", kPt3)});
    EXPECT_EQ(hands("RiverRat"), "4");
    server().stop();
    EXPECT_EQ(hands("KiII3r"), "no record");
    EXPECT_EQ(hands("Case"), "no record");
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(
        startsWith(sink_.messages[0],
                   "Error|Your database is probably not configured correct with Kestrova\n."))
        << sink_.messages[0];
    // The next batch cannot connect while the server is down...
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sink_.messages.size(), 2u);
    server().start();
    // ...and works once it is back.
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(hands("KiII3r"), "3");
    EXPECT_EQ(records_.size(), 2u);
}

// The aggregator look-up is prepared once per connection: a new connection
// (after the server restarted) and a server session that lost it both get it
// prepared again.
TEST_F(TrackerLookupTest, PreparedAggregatorLookUpSurvivesAReconnectAndALostSession) {
    auto& lookup = connected({entryFor("kt_pt3_agg", kPt3)});
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

    const DatabaseEntry e = entryFor("kt_pt3", kPt3);
    PostgresConnection connection;
    ASSERT_TRUE(connection.open(
        PostgresConnection::connectionText(e.host, e.port, e.database, e.user, e.password)));
    const std::string count = "SELECT count(*) FROM player WHERE player_name LIKE $1";
    EXPECT_EQ(connection.executePrepared("count", count, {"%a%"}).value(0, 0), "6");
    ASSERT_TRUE(connection.execute("DEALLOCATE ALL").commandOk());
    EXPECT_EQ(connection.executePrepared("count", count, {"%'%"}).value(0, 0), "2");
}

// --- hostile names ----------------------------------------------------------

// clang-format off
const std::vector<std::string> kHostileNames = {
    "'; DROP TABLE player; --", "x'); DELETE FROM players; --", "'", "''", "\\", "x\\", "\\'",
    "a\\'b", "%", "%%", "_", "100%", ";", "$$", "E'\\x27'", "name\nwith\nlines", "tab\there",
    std::string("nul\0byte", 8), "J\xE9r\xF4me", "\xC3", std::string(2000, 'a'),
    std::string(2000, '\''), std::string(1000, '\\'), "' OR 1=1 --", "\") OR (\"1\"=\"1"};
// clang-format on

TEST_F(TrackerLookupTest, HostileNamesGiveRecordsAndChangeNothing) {
    auto& lookup = connected({entryFor("kt_pt2", kPt2), entryFor("kt_pt3", kPt3),
                              entryFor("kt_elephant", DatabaseKind::Elephant),
                              entryFor("kt_hm", kHm), entryFor("kt_hm_month", kHm)});
    for (const std::string& name : kHostileNames) {
        const auto record = lookup.lookupPlayer(name, "1", "0", sink_);
        ASSERT_NE(record, nullptr) << name;
        EXPECT_EQ(record->name, name);
        EXPECT_TRUE(sink_.messages.empty()) << name << ": " << sink_.messages.front();
        EXPECT_TRUE(lookup.connected()) << name;
    }
    EXPECT_EQ(queryValue("kt_pt3", "SELECT count(*) FROM player"), "13");
    EXPECT_EQ(queryValue("kt_pt2", "SELECT count(*) FROM players"), "6");
    EXPECT_EQ(queryValue("kt_hm", "SELECT count(*) FROM players"), "2");
    EXPECT_EQ(hands("KiII3r"), "7");  // the connections still answer: PokerTracker 2 and 3
}

// --- aggregator ---------------------------------------------------------------

TEST_F(TrackerLookupTest, AggregatorFindsEveryPlayerAsThePerHandPathDoes) {
    auto& lookup = connected({entryFor("kt_pt3_agg", kPt3)});
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_TRUE(sink_.messages.empty()) << sink_.messages.front();
    // Names altered as the look-up pattern alters them: first character kept.
    EXPECT_EQ(queryValue("kt_pt3_agg",
                         "SELECT string_agg(player_name, ',' ORDER BY player_name COLLATE \"C\") "
                         "FROM hhps"),
              "'quote,Case,Ivan,Ki__3r,O_Brien,Pct_50,RiverRat,\\start,_under,back_s_ash,"
              "case,lucky");
    // A player without hands has no row to sum; a NULL sum is stored as 0.
    EXPECT_EQ(queryValue("kt_pt3_agg", "SELECT count(*) FROM hhps WHERE faf IS NULL"), "0");

    for (const std::string name :
         {"RiverRat", "O'Brien", "KiII3r", "Pct%50", "_under", "Case", "case", "lucky", "Ivan",
          "'quote", "\\start", "back\\slash", "ghost", "Nobody"}) {
        useAggregator(false);
        const TrackerCounters perHand = sums(name);
        useAggregator(true);
        EXPECT_EQ(sums(name), perHand) << name;
    }
    for (const std::string& name : kHostileNames)
        EXPECT_NE(lookup.lookupPlayer(name, "1", "0", sink_), nullptr) << name;
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
}

// The server fills the table and alters the names itself: character by
// character as the look-up's pattern alters them, whatever the characters.
TEST_F(TrackerLookupTest, AggregatorStoresEveryNameAsTheLookUpAltersIt) {
    createFrom("kt_pt3_odd", "pokertracker3.sql");
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
    auto& lookup = connected({entryFor("kt_pt3_odd", kPt3)});
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_TRUE(sink_.messages.empty()) << sink_.messages.front();
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

// Built in every active PokerTracker 3 database; a second build replaces the
// table, which until then is a snapshot.
TEST_F(TrackerLookupTest, AggregatorIsBuiltInEveryActivePokerTracker3DatabaseAndRebuilt) {
    createFrom("kt_pt3_a", "pokertracker3.sql");
    createFrom("kt_pt3_b", "pokertracker3.sql");
    auto& lookup =
        connected({entryFor("kt_pt3_a", kPt3), entryFor("kt_elephant", DatabaseKind::Elephant),
                   entryFor("kt_pt3", kPt3, false), entryFor("kt_pt3_b", kPt3)});
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    EXPECT_EQ(queryValue("kt_pt3_a", "SELECT count(*) FROM hhps"), "12");
    EXPECT_EQ(queryValue("kt_pt3_b", "SELECT count(*) FROM hhps"), "12");
    EXPECT_EQ(queryValue("kt_pt3", "SELECT to_regclass('hhps') IS NULL"), "t");
    EXPECT_EQ(queryValue("kt_elephant", "SELECT to_regclass('hhps') IS NULL"), "t");

    server().execute("kt_pt3_a",
                     "INSERT INTO holdem_hand_player_statistics (id_hand, id_player) "
                     "VALUES (900, 1), (901, 1)");
    useAggregator(true);
    EXPECT_EQ(sums("RiverRat").hands, 43);  // 4 in each PokerTracker 3, 35 in Elephant
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    EXPECT_EQ(sums("RiverRat").hands, 45);
}

// One row the table cannot take (a sum beyond bigint) must not cost the others; a
// database where the trigram index cannot be made keeps a working table.
TEST_F(TrackerLookupTest, AggregatorGoesOnAfterAFailedRowAndTellsAMissingIndex) {
    createFrom("kt_pt3_bad", "pokertracker3.sql");
    server().execute("kt_pt3_bad",
                     "ALTER TABLE holdem_hand_player_statistics ALTER COLUMN cnt_f_call TYPE "
                     "bigint; INSERT INTO holdem_hand_player_statistics (id_hand, id_player, "
                     "cnt_f_call) VALUES (950, 1, 9223372036854775807), "
                     "(951, 1, 9223372036854775807); "
                     "CREATE TABLE hhps_player_name_trgm (taken integer)");
    auto& lookup = connected({entryFor("kt_pt3_bad", kPt3)});
    ASSERT_TRUE(lookup.buildAggregator(sink_));
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(startsWith(sink_.messages[0], "Error|Error 7: ")) << sink_.messages[0];
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps"), "11");
    EXPECT_EQ(queryValue("kt_pt3_bad", "SELECT count(*) FROM hhps WHERE player_name = 'Ivan'"),
              "1");
    EXPECT_TRUE(lookup.aggregatorWithoutTrigramIndex());
    EXPECT_NE(aggregatorCompletionText(true).find("trigram"), std::string::npos);

    // A healthy database clears the note; one without tables fails and closes.
    auto& healthy = connected({entryFor("kt_pt3_agg", kPt3)});
    ASSERT_TRUE(healthy.buildAggregator(sink_));
    EXPECT_FALSE(healthy.aggregatorWithoutTrigramIndex());
    auto& empty = connected({entryFor("kt_empty", kPt3)});
    EXPECT_FALSE(empty.buildAggregator(sink_));
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_TRUE(startsWith(sink_.messages[1], "Error|Error 4: ")) << sink_.messages[1];
    EXPECT_FALSE(empty.connected());
}

// --- trackers not on PostgreSQL ------------------------------------------------

// The drivers this build has: f Firebird, m MySQL, o ODBC.
bool built(char driver) {
    return std::string_view(KESTROVA_SQL_DRIVERS).find(driver) != std::string_view::npos;
}

constexpr auto kPm = DatabaseKind::PokermanagerFirebird;
constexpr auto kAccess = DatabaseKind::PokerTracker2Access;

DatabaseEntry entry(DatabaseKind kind, const std::string& database) {
    return {.database = database, .kind = static_cast<std::int32_t>(kind)};
}

std::vector<std::string> names(const DatabaseEntry& e, test::CountingProgress& progress,
                               PlayerNameSource::Result expected = PlayerNameSource::Result::Done) {
    std::vector<std::string> collected;
    test::RecordingSink sink;
    EXPECT_EQ(TrackerNameSource().collectNames(e, collected, progress, sink), expected);
    return collected;
}

class PokermanagerTest : public LookupFixture {
protected:
    static void SetUpTestSuite() {
        if (!built('f') || !test::FirebirdFiles::available())
            return;
        files_ = new test::FirebirdFiles();
        file_ = files_->create("pokermanager", kFixtures + "/pokermanager.sql");
        const std::string noGames = files_->directory() + "/no-games.sql";
        std::ofstream(noGames) << "CREATE TABLE PLAYERS (PLAYER_ID INTEGER, PLAYER_NAME "
                                  "VARCHAR(64));\nINSERT INTO PLAYERS VALUES (1, 'RiverRat');\n"
                                  "COMMIT;\n";
        brokenFile_ = files_->create("no-games", noGames);
        const std::string utf8 = files_->directory() + "/utf8.sql";
        std::ofstream(utf8) << "CREATE TABLE PLAYERS (PLAYER_ID INTEGER, PLAYER_NAME "
                               "VARCHAR(64));\nCREATE TABLE GAME_PLAYERS (PLAYER_ID INTEGER, "
                               "VOL_PUT_IN SMALLINT, PRE_FLOP_RAISE SMALLINT, BET_RAISE_AF "
                               "SMALLINT, CALL_AF SMALLINT, LAST_ROUND SMALLINT, WON SMALLINT);\n"
                               "INSERT INTO PLAYERS VALUES (1, 'ZO\xC3\x8B');\n"
                               "INSERT INTO GAME_PLAYERS VALUES (1, 1, 0, 0, 0, 3, 0);\nCOMMIT;\n";
        utf8File_ = files_->create("utf8", utf8, "UTF8");
    }
    static void TearDownTestSuite() {
        delete files_;
        files_ = nullptr;
    }
    void SetUp() override {
        if (files_ == nullptr)
            GTEST_SKIP() << "no Firebird client library or isql-fb here";
    }

    static inline test::FirebirdFiles* files_ = nullptr;
    static inline std::string file_;
    static inline std::string brokenFile_;
    static inline std::string utf8File_;
};

TEST_F(PokermanagerTest, CountsEveryHandWithTheNameBound) {
    connected({entry(kPm, file_)});
    // Showdowns: LAST_ROUND 0; a NULL round is no showdown.
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=4 vpip=2 pfr=1 fBet=3 fCall=2 sd=2 sdWon=1 shape=1}");
    EXPECT_EQ(handsOf({"riverrat", "O'Brien", "Back\\slash", "x') OR 1=1 --", "ghost"}),
              (std::vector<int>{4, 2, 1, 0, 0}));  // letter case ignored
    // Longer than the name column: no such player, no error.
    EXPECT_EQ(sums(std::string(2000, 'R')).hands, 0);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
}

// Letter case is ignored as the column's own character set does it, beyond ASCII.
TEST_F(PokermanagerTest, UpperCaseLettersBeyondAsciiMatch) {
    connected({entry(kPm, utf8File_)});
    EXPECT_EQ(handsOf({"ZO\xC3\x8B", "zo\xC3\xAB", "Zo\xC3\xAB", "ZOE"}),
              (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(sums(std::string(64, 'R') + "\xC3\x8B").hands, 0);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
}

TEST_F(PokermanagerTest, WithPostgresTheStreetFiguresAreZero) {
    if (!PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL server programs not installed";
    createFrom("kt_pt3_fb", "pokertracker3.sql");
    auto& lookup = connected({entryFor("kt_pt3_fb", kPt3), entry(kPm, file_)});
    const auto record = lookup.lookupPlayer("RiverRat", "$10", "0", sink_);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->hands, 8);
    EXPECT_EQ(figureText(record->flopAf), "0.00");
    EXPECT_EQ(figureText(record->riverAf), "0.00");
    EXPECT_EQ(sums("RiverRat").dataShape, DataShape::Mixed);
}

// A missing file ends only this database's block, a failing statistics
// statement the whole look-up; either is told once and leaves the file out
// until the next pass.
TEST_F(PokermanagerTest, FailuresNameTheStepOncePerPass) {
    auto& lookup = connected({entry(kPm, file_ + ".gone")});
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien"}), (std::vector<int>{0, 0}));
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(startsWith(sink_.messages[0], "Error|PROBLEM ON :attach_db")) << sink_.messages[0];
    ASSERT_EQ(lookup.failedDatabases().size(), 1u);
    EXPECT_EQ(lookup.failedDatabases()[0].database, file_ + ".gone");
    lookup.disconnectDatabases();
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_TRUE(lookup.failedDatabases().empty());
    EXPECT_EQ(sums("RiverRat").hands, 0);
    EXPECT_EQ(sink_.messages.size(), 2u) << "told again in the next pass";

    connected({entry(kPm, brokenFile_), entry(kPm, file_)});
    EXPECT_EQ(hands("RiverRat"), "no record");
    ASSERT_EQ(sink_.messages.size(), 3u);
    EXPECT_TRUE(startsWith(sink_.messages[2], "Error|PROBLEM ON :dsql_prepare"));
    EXPECT_EQ(hands("RiverRat"), "4");
    EXPECT_EQ(sink_.messages.size(), 3u);
}

// A server that accepts and never answers costs one short wait per pass,
// named as what it is.
TEST_F(PokermanagerTest, SilentServerTimesOutOnceWithItsCause) {
    int port = 0;
    const int silent = test::listenOnLoopback(port);
    auto& lookup = connected({entry(kPm, "127.0.0.1/" + std::to_string(port) + ":" + file_)});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien", "ghost"}), (std::vector<int>{0, 0, 0}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    ::close(silent);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].find("no answer from the server within"), std::string::npos)
        << sink_.messages[0];
    EXPECT_EQ(lookup.failedDatabases().size(), 1u);
}

TEST_F(PokermanagerTest, ServerOnLoopbackAndTheNameList) {
    files_->startServer("masterkey");
    connected({entry(kPm, files_->serverPrefix() + file_)});
    EXPECT_EQ(sums("RiverRat").hands, 4);
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages[0];

    test::CountingProgress progress;
    EXPECT_EQ(names(entry(kPm, file_), progress),
              (std::vector<std::string>{"RiverRat", "O'Brien", "ghost", "Back\\slash"}));
}

class PokerOfficeTest : public LookupFixture {
protected:
    static void SetUpTestSuite() {
        if (!built('m') || !test::MariadbServer::available())
            return;
        server_ = new test::MariadbServer();
        server_->loadDatabase("pokeroffice", kFixtures + "/pokeroffice.sql");
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (server_ == nullptr)
            GTEST_SKIP() << "no MySQL++ or MariaDB server here";
    }
    static DatabaseEntry office(int port) {
        return {.host = "127.0.0.1",
                .port = std::to_string(port),
                .database = "pokeroffice",
                .user = std::string(test::MariadbServer::kUser),
                .password = std::string(test::MariadbServer::kPassword),
                .kind = static_cast<std::int32_t>(DatabaseKind::PokerOfficeMysql)};
    }

    static inline test::MariadbServer* server_ = nullptr;
};

TEST_F(PokerOfficeTest, CountsActionLettersAndNulls) {
    connected({office(server_->port())});
    // Flop "BRC"; an empty action2 is a flop seen too.
    EXPECT_EQ(shown(sums("RiverRat")),
              "{hands=4 vpip=2 pfr=1 fBet=1 tBet=1 fRaise=1 fCall=1 rCall=1 sd=2 flops=4 sdWon=1}");
    // A leading apostrophe is searched too; an unknown name needs no second statement.
    EXPECT_EQ(handsOf({"O'Brien", "'Quote", "Back\\slash", "ghost", "Nobody"}),
              (std::vector<int>{2, 1, 1, 0, 0}));
    // A blank name would match everybody: it is nobody.
    EXPECT_EQ(handsOf({"", " ", "\t "}), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(sink_.messages.empty());
}

// A batch of look-ups needs one connection (a second is refused here); one the
// server dropped is replaced at the next look-up.
TEST_F(PokerOfficeTest, OneConnectionServesTheBatchAndALostOneIsReplaced) {
    connected({office(server_->port())});
    server_->execute(
        "ALTER USER 'tracker'@'%' WITH MAX_CONNECTIONS_PER_HOUR 1; FLUSH USER_RESOURCES");
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien", "RiverRat"}), (std::vector<int>{4, 2, 4}));
    server_->execute(
        "ALTER USER 'tracker'@'%' WITH MAX_CONNECTIONS_PER_HOUR 0; FLUSH USER_RESOURCES");
    server_->execute("KILL USER tracker");
    EXPECT_EQ(sums("RiverRat").hands, 4);
    EXPECT_TRUE(sink_.messages.empty());
}

// An unreachable server contributes nothing; the user is told once per pass.
TEST_F(PokerOfficeTest, ThePortEnteredIsUsedAndAnUnreachableServerIsToldOnce) {
    EXPECT_EQ(PokerOfficeSource::serverPort("5432"), 0u);
    EXPECT_EQ(PokerOfficeSource::serverPort("3307x"), 0u);
    auto& lookup = connected({office(test::freeLoopbackPort()), office(server_->port())});
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien"}), (std::vector<int>{4, 2}));
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(startsWith(sink_.messages[0], "Error|PokerOffice database \"pokeroffice\" on "
                                              "127.0.0.1 cannot be used in this pass: "))
        << sink_.messages[0];
    EXPECT_EQ(sink_.kinds[0], MessageKind::DatabaseUnusable);
    ASSERT_EQ(lookup.failedDatabases().size(), 1u);
    EXPECT_FALSE(lookup.failedDatabases()[0].reason.empty());

    DatabaseEntry wrong = office(server_->port());
    wrong.password = "not-the-password";
    connected({wrong});
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien"}), (std::vector<int>{0, 0}));
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_EQ(sink_.messages[1].find("not-the-password"), std::string::npos);

    test::CountingProgress progress;
    EXPECT_EQ(names(office(server_->port()), progress).size(), 5u);
    test::CountingProgress cancelling(3);
    EXPECT_EQ(names(office(server_->port()), cancelling, PlayerNameSource::Result::Cancelled),
              (std::vector<std::string>{"RiverRat", "O'Brien"}));
}

// A server that accepts and never answers, and one that stalls with a kept
// connection, cost one bounded wait per pass instead of blocking the look-ups.
TEST_F(PokerOfficeTest, SilentAndStalledServersCostOneShortWaitPerPass) {
    int port = 0;
    const int silent = test::listenOnLoopback(port);
    auto& lookup = connected({office(port)});
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handsOf({"RiverRat", "O'Brien", "ghost"}), (std::vector<int>{0, 0, 0}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    ::close(silent);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].find("no answer from the server within 5 seconds"),
              std::string::npos)
        << sink_.messages[0];
    EXPECT_EQ(lookup.failedDatabases().size(), 1u);

    settings_.writeText(keys::lookuptimeout, "1");
    connected({office(server_->port())});
    EXPECT_EQ(sums("RiverRat").hands, 4);
    ::kill(static_cast<pid_t>(server_->pid()), SIGSTOP);
    start = std::chrono::steady_clock::now();
    const std::vector<int> stalled = handsOf({"O'Brien", "RiverRat"});
    const auto waited = std::chrono::steady_clock::now() - start;
    ::kill(static_cast<pid_t>(server_->pid()), SIGCONT);
    EXPECT_EQ(stalled, (std::vector<int>{0, 0}));
    EXPECT_LT(waited, std::chrono::seconds(15));
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_NE(sink_.messages[1].find("no answer from the server"), std::string::npos)
        << sink_.messages[1];
    lookup_->disconnectDatabases();
    ASSERT_TRUE(lookup_->connectDatabases(sink_));
    EXPECT_EQ(sums("RiverRat").hands, 4);
}

// A server silent on the kept connection is told once, like the other
// failures, and the counts it answered before stay; the next pass asks again.
TEST_F(PokerOfficeTest, ATimeoutOnTheKeptConnectionIsToldAndWhatWasAnsweredStays) {
    settings_.writeText(keys::lookuptimeout, "1");
    test::StallingRelay relay(server_->port());
    auto& lookup = connected({office(relay.port())});
    EXPECT_EQ(hands("RiverRat"), "4");
    relay.stall();
    EXPECT_EQ(hands("O'Brien"), "0");
    EXPECT_EQ(hands("'Quote"), "0");
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_NE(sink_.messages[0].find("no answer from the server to a statement within 1 seconds"),
              std::string::npos)
        << sink_.messages[0];
    ASSERT_EQ(lookup.failedDatabases().size(), 1u);
    EXPECT_EQ(records_.findCachedPlayer("RiverRat")->hands, 4);

    lookup.disconnectDatabases();
    ASSERT_TRUE(lookup.connectDatabases(sink_));
    EXPECT_EQ(sums("O'Brien").hands, 2);
    EXPECT_TRUE(lookup.failedDatabases().empty());
}

class AccessTest : public LookupFixture {
protected:
    static void SetUpTestSuite() {
        const std::string driver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
        if (!built('o') || !std::filesystem::exists(driver) ||
            !std::filesystem::exists("/usr/bin/sqlite3"))
            return;
        dir_ = test::makeTemporaryDirectory("kestrova-odbc");
        // A private driver list: the tests need no system ODBC set-up. The
        // stand-in for MDBTools takes its place under its name.
        std::ofstream(dir_ + "/odbcinst.ini")
            << "[SQLite3]\nDriver=" << driver << "\n[MDBTools]\nDriver=" << kStandIn << "\n";
        ::setenv("ODBCSYSINI", dir_.c_str(), 1);
        const std::string file = dir_ + "/pt2.db";
        test::runCommand("/usr/bin/sqlite3 " + test::shellQuoted(file) + " < " +
                         test::shellQuoted(kFixtures + "/access.sql"));
        connection_ = "Driver={SQLite3};Database=" + file + ";";
        // A folder name that would end the file's value and add a key of its own.
        const std::string odd = dir_ + "/x;Driver={SQLite3};}";
        std::filesystem::create_directory(odd);
        std::filesystem::copy_file(file, odd + "/pt2.mdb");
        mdbFile_ = odd + "/pt2.mdb";
    }
    static void TearDownTestSuite() {
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }
    void SetUp() override {
        if (connection_.empty())
            GTEST_SKIP() << "no ODBC driver manager or SQLite ODBC driver here";
    }

    static bool haveStandIn() { return !kStandIn.empty(); }

    static inline std::string dir_;
    static inline std::string connection_;
    static inline std::string mdbFile_;
#ifdef KESTROVA_STANDIN_ODBC
    static inline const std::string kStandIn = KESTROVA_STANDIN_ODBC;
#else
    static inline const std::string kStandIn;
#endif
};

// The driver's sums, the program's, and those of a driver that (like
// MDBTools') takes neither bound parameters nor sums, reached by a file path.
TEST_F(AccessTest, DriverSumsProgramSumsAndADriverWithoutEitherAgree) {
    using Sums = AccessTrackerSource::Sums;
    std::vector<std::pair<std::string, Sums>> ways = {{connection_, Sums::ByDriver},
                                                      {connection_, Sums::ByProgram}};
    if (haveStandIn())
        ways.emplace_back(mdbFile_, Sums::ByDriver);
    for (const auto& [database, how] : ways) {
        SCOPED_TRACE(database + (how == Sums::ByDriver ? " driver" : " program"));
        AccessTrackerSource source(entry(kAccess, database), how);
        const auto count = [&](const std::string& name) {
            TrackerCounters c;
            EXPECT_TRUE(source.addCounters({name, ""}, c, sink_));
            return c;
        };
        // won_hand counts with a showdown only.
        EXPECT_EQ(shown(count("RiverRat")),
                  "{hands=3 vpip=2 pfr=1 fBet=2 tBet=1 fRaise=1 rRaise=1 fCall=1 tCall=2 sd=1 "
                  "flops=2 sdWon=1 won=30.5 bet=15.25 icon=7}");
        // Killer and KiIler.
        EXPECT_EQ(shown(count("KiIIer")),
                  "{hands=2 vpip=1 fBet=1 fCall=1 sd=1 flops=2 sdWon=1 won=4 bet=3 icon=3}");
        EXPECT_EQ(count("O'Brien").hands, 1);
        EXPECT_EQ(shown(count("ghost")), "{icon=2}");
        EXPECT_EQ(count("x' OR ''='").hands, 0);
        EXPECT_EQ(count("River\nRat").hands, 0);
        EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front();
    }
}

// A missing or damaged file is told once per pass, and the others still count.
TEST_F(AccessTest, LookupNamesAndUnreadableFiles) {
    if (!haveStandIn())
        GTEST_SKIP() << "no SQLite library for the MDBTools stand-in";
    const std::string damaged = dir_ + "/damaged.mdb";
    std::ofstream(damaged) << "not an Access file";
    auto& lookup = connected({entry(kAccess, connection_), entry(kAccess, dir_ + "/missing.mdb"),
                              entry(kAccess, damaged)});
    EXPECT_EQ(handsOf({"RiverRat", "KiIIer"}), (std::vector<int>{3, 2}));
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_NE(sink_.messages[0].find("missing.mdb\" cannot be read in this pass: "),
              std::string::npos)
        << sink_.messages[0];
    EXPECT_EQ(sink_.kinds[0], MessageKind::DatabaseFileUnreadable);
    EXPECT_NE(sink_.messages[1].find("damaged.mdb"), std::string::npos);
    EXPECT_EQ(lookup.failedDatabases().size(), 2u);
    sink_.messages.clear();
    test::CountingProgress progress;
    EXPECT_EQ(names(entry(kAccess, connection_), progress).size(), 5u);
    // An id that is no number is bound, never written into the statement.
    std::vector<std::string> bound;
    EXPECT_TRUE(AccessTrackerSource::statisticsStatement({"1", "x'y"}, bound)
                    .ends_with("WHERE player_id=1 or player_id=?"));
    EXPECT_EQ(bound, std::vector<std::string>{"x'y"});
}

}  // namespace
}  // namespace kestrova
