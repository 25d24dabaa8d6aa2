#include "stats/TrackerLookup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PostgresServer.h"
#include "Printers.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "TrackerEntry.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/TraceLog.h"
#include "stats/AggregatorBuilder.h"
#include "stats/PlayerRecordList.h"

namespace kestrova {
namespace {

using test::PostgresServer;

const std::string kFixtures = KESTROVA_STATS_FIXTURES;
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

constexpr std::string_view kFetchFailed =
    "Error|Your database is probably not configured correct with Kestrova\n.FETCH ALL failed: ";

class TrackerLookupTest : public ::testing::Test {
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

    TrackerLookup& makeLookup(std::vector<DatabaseEntry> entries) {
        lookup_ = std::make_unique<TrackerLookup>(std::move(entries), settings_, nullptr, records_,
                                                  TraceLog(dir_ / "log.txt"));
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
        return record ? record->hands : "no record";
    }

    test::TempDir dir_;
    SettingsStore settings_{dir_ / "Velloran.ini"};
    PlayerRecordList records_;
    test::RecordingSink sink_;
    std::unique_ptr<TrackerLookup> lookup_;
};

// --- sums per kind and across databases -------------------------------------

TEST_F(TrackerLookupTest, EveryKindSumsEveryHandOfThePlayer) {
    connected({entryFor("kt_pt3", kPt3)});
    EXPECT_EQ(sums("RiverRat"), (TrackerCounters{.hands = 4,
                                                 .vpip = 3,
                                                 .pfr = 2,
                                                 .flopBets = 2,
                                                 .turnBets = 2,
                                                 .riverBets = 1,
                                                 .flopCalls = 2,
                                                 .turnCalls = 2,
                                                 .riverCalls = 1,
                                                 .showdowns = 2,
                                                 .flopsSeen = 3,
                                                 .showdownsWon = 1,
                                                 .won = 13,
                                                 .dataShape = DataShape::PostgresFamily}));

    connected({entryFor("kt_pt2", kPt2)});
    EXPECT_EQ(sums("RiverRat"), (TrackerCounters{.hands = 3,
                                                 .vpip = 2,
                                                 .pfr = 1,
                                                 .flopBets = 2,
                                                 .turnBets = 1,
                                                 .flopRaises = 1,
                                                 .riverRaises = 1,
                                                 .flopCalls = 1,
                                                 .turnCalls = 2,
                                                 .showdowns = 2,
                                                 .flopsSeen = 3,
                                                 .showdownsWon = 1,
                                                 .won = 45.5f,
                                                 .totalBet = 30,
                                                 .icon = 7,
                                                 .dataShape = DataShape::PostgresFamily}));

    connected({entryFor("kt_elephant", DatabaseKind::Elephant)});  // every matching player
    EXPECT_EQ(sums("RiverRat"), (TrackerCounters{.hands = 35,
                                                 .vpip = 11,
                                                 .pfr = 6,
                                                 .flopBets = 4,
                                                 .turnBets = 2,
                                                 .riverBets = 1,
                                                 .flopCalls = 3,
                                                 .turnCalls = 2,
                                                 .riverCalls = 1,
                                                 .showdowns = 5,
                                                 .flopsSeen = 16,
                                                 .showdownsWon = 3,
                                                 .dataShape = DataShape::PostgresFamily}));

    // Holdem Manager with and without monthly tables: LIKE in the daily tables
    // finds RiverRat only, ILIKE in the monthly ones riverrat too.
    auto& hm = connected({entryFor("kt_hm", kHm), entryFor("kt_hm_month", kHm)});
    EXPECT_EQ(hm.effectiveKind(0), 4);
    EXPECT_EQ(hm.effectiveKind(1), 7);
    EXPECT_EQ(test::readBytes(dir_ / "log.txt"),
              "HEM\nVersion\nFAIL\nClear\nDone\nHEM\nVersion\nHEM_10509\nClear\nDone\n");
    EXPECT_EQ(sums("RiverRat"), (TrackerCounters{.hands = 70,
                                                 .vpip = 14,
                                                 .pfr = 7,
                                                 .flopBets = 7,
                                                 .turnBets = 2,
                                                 .riverBets = 3,
                                                 .flopCalls = 4,
                                                 .turnCalls = 2,
                                                 .riverCalls = 2,
                                                 .showdowns = 9,
                                                 .flopsSeen = 29,
                                                 .showdownsWon = 4,
                                                 .won = 7.75f,
                                                 .bbStealAttempts = 16,
                                                 .bbFoldCount = 11,
                                                 .sbStealAttempts = 8,
                                                 .sbFoldCount = 6,
                                                 .dataShape = DataShape::PostgresFamily}));
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
    EXPECT_EQ(sums("KiII3r"), (TrackerCounters{.hands = 4,
                                               .won = 4,
                                               .totalBet = 4,
                                               .icon = 3,
                                               .dataShape = DataShape::PostgresFamily}));
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
    EXPECT_EQ(record->hands, "57");
    // won: 45.50 + 13.00 + 12.25 minus PokerTracker 2's total bet of 30.00.
    EXPECT_EQ(record->won, "40.75");
    EXPECT_EQ(record->vpip, "26.32");  // 15 of 57
    EXPECT_EQ(record->icon, 7);
    EXPECT_EQ(record->stack, "1250");
    EXPECT_EQ(record->seat, "3");
    EXPECT_EQ(record->foldBbToSteal, "60.00");  // 6 of 10
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

TEST_F(TrackerLookupTest, ConnectionFailureNamesTheUserHidesThePasswordAndStopsThere) {
    DatabaseEntry wrong = entryFor("kt_pt3", kPt3);
    wrong.password = "s3cr3t'pw";
    auto& lookup = makeLookup({wrong, entryFor("kt_hm", kHm)});
    EXPECT_FALSE(lookup.connectDatabases(sink_));
    EXPECT_FALSE(lookup.connected());
    ASSERT_EQ(sink_.messages.size(), 1u);
    const std::string& text = sink_.messages[0];
    EXPECT_TRUE(startsWith(text, "Error|Connection to database failed: ")) << text;
    EXPECT_NE(text.find("\nUsername: tracker\nPassword: *********"), std::string::npos) << text;
    EXPECT_EQ(text.find("s3cr3t"), std::string::npos);
    EXPECT_EQ(test::readBytes(dir_ / "log.txt"), "") << "Holdem Manager never probed";
}

struct BlockFailure {
    DatabaseKind kind;
    const char* database;
    std::string_view expectedStart;
};

class TrackerBlockFailureTest : public TrackerLookupTest,
                                public ::testing::WithParamInterface<BlockFailure> {};

TEST_P(TrackerBlockFailureTest, ShowsItsMessageClosesAndReconnectsNextBatch) {
    const BlockFailure& failure = GetParam();
    auto& lookup = connected({entryFor(failure.database, failure.kind)});
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink_), nullptr);
    ASSERT_EQ(sink_.messages.size(), 1u);
    const std::string& text = sink_.messages[0];
    EXPECT_TRUE(startsWith(text, failure.expectedStart)) << text;
    EXPECT_GT(text.size(), failure.expectedStart.size());  // server's reason
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
    ::testing::Values(BlockFailure{kPt3, "kt_empty", kFetchFailed},
                      BlockFailure{
                          DatabaseKind::Elephant, "kt_empty",
                          "Error|Your database is probably not configured correct with Quorrin\n"
                          ".FETCH ALL failed: "},
                      BlockFailure{kHm, "kt_empty", "Error|FETCH ALL failed: "},
                      BlockFailure{kPt2, "kt_empty", "Error|3 failed: "},
                      BlockFailure{kPt2, "kt_pt3", "Error|3 failed: "}));

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

}  // namespace
}  // namespace kestrova
