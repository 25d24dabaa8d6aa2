#include "stats/TrackerNamePattern.h"

#include <gtest/gtest.h>

#include <string>

#include "stats/PostgresConnection.h"
#include "stats/TrackerStatements.h"
#include "stats/TrackerValues.h"

namespace kestrova {
namespace {

TEST(TrackerNamePattern, KeepsTheFirstCharacterAndBlursOddOnesAfterIt) {
    EXPECT_EQ(trackerNamePattern("Ab'c"), "%Ab_c");
    EXPECT_EQ(trackerNamePattern("IvanIl"), "%Ivan__");
    EXPECT_EQ(trackerNamePattern("lucky"), "%lucky");
    EXPECT_EQ(trackerNamePattern("Mr Bluff"), "%Mr_B_uff");
    EXPECT_EQ(trackerNamePattern("Kill3r"), "%Ki__3r");
    EXPECT_EQ(trackerNamePattern("a%b_c"), "%a_b_c");
    EXPECT_EQ(trackerNamePattern(""), "%");
}

TEST(TrackerNamePattern, FirstCharacterMatchesOnlyItself) {
    EXPECT_EQ(trackerNamePattern("%x"), "%\\%x");
    EXPECT_EQ(trackerNamePattern("_under"), "%\\_under");
    EXPECT_EQ(trackerNamePattern("\\start"), "%\\\\start");
    EXPECT_EQ(trackerNamePattern("'quote"), "%'quote");
    EXPECT_EQ(trackerNamePattern("\\"), "%\\\\");  // never a dangling escape
}

TEST(TrackerNamePattern, OneScreenCharacterIsOnePatternCharacter) {
    EXPECT_EQ(trackerNamePattern("J\xC3\xA9r\xC3\xB4me"), "%J_r_me");  // UTF-8
    EXPECT_EQ(trackerNamePattern("J\xE9r\xF4me"), "%J_r_me");          // Latin-1
    EXPECT_EQ(trackerNamePattern("\xC9ric"), "%\xC3\x89ric");          // Latin-1 first letter
    EXPECT_EQ(alteredTrackerName("\xC3\x89ric l'I"), "\xC3\x89ric____");
}

TEST(TrackerNamePattern, LongNamesAreTakenWhole) {
    const std::string name(2000, 'a');
    EXPECT_EQ(trackerNamePattern(name), "%" + name);
    EXPECT_EQ(alteredTrackerName(name), name);
}

TEST(PokerTracker2NamePattern, TrimsBlanksAndBlursOnlyLAndI) {
    EXPECT_EQ(pokerTracker2NamePattern("  Blank "), "B_ank");
    EXPECT_EQ(pokerTracker2NamePattern("Ivan"), "_van");
    EXPECT_EQ(pokerTracker2NamePattern("Pct%50"), "Pct\\%50");
    EXPECT_EQ(pokerTracker2NamePattern("river_rat"), "river\\_rat");
    EXPECT_EQ(pokerTracker2NamePattern("a\\b"), "a\\\\b");
    EXPECT_EQ(pokerTracker2NamePattern("Mr Bluff"), "Mr B_uff");
}

TEST(TrackerStatements, EmbedThePatternWhole) {
    const std::string pattern = "%" + std::string(3000, 'x');
    const std::string statement = trackerStatements::pokerTracker3Statistics(true, pattern);
    EXPECT_EQ(statement.substr(statement.size() - pattern.size() - 1), pattern + "'");
    EXPECT_EQ(trackerStatements::elephantStatistics("%Ab").substr(0, 28),
              "DECLARE myportal CURSOR FOR ");
    const std::string streets = trackerStatements::holdemManagerStreets(false, "%Ab");
    EXPECT_NE(streets.find("playername LIKE '%Ab')) group by streetactiontype_id"),
              std::string::npos);
    const std::string monthly = trackerStatements::holdemManagerSummary(true, "%Ab");
    EXPECT_NE(monthly.find("compiledplayerresults_month"), std::string::npos);
    EXPECT_NE(monthly.find("playername ILIKE '%Ab'))"), std::string::npos);
}

TEST(TrackerStatements, PokerTracker2IdsAreJoinedWithOr) {
    const std::string statement = trackerStatements::pokerTracker2Statistics({"4", "17", "'x'"});
    EXPECT_NE(statement.find("FROM game_players WHERE player_id=4 or player_id=17 or "
                             "player_id='x'"),
              std::string::npos);
}

TEST(PostgresConnectionText, LeavesOutTheDefaultPortAndAnEmptyPassword) {
    EXPECT_EQ(PostgresConnection::connectionText("localhost", "5432", "pt3", "me", ""),
              "host=localhost dbname='pt3' user=me");
    EXPECT_EQ(PostgresConnection::connectionText("db.lan", "5433", "pt3", "me", "pw"),
              "host=db.lan port=5433 dbname='pt3' user=me password=pw");
}

TEST(PostgresConnectionText, QuotesValuesThatWouldBeMisread) {
    EXPECT_EQ(PostgresConnection::connectionText("h", "5432", "it's", "me", "a b'c\\"),
              "host=h dbname='it\\'s' user=me password='a b\\'c\\\\'");
    EXPECT_EQ(PostgresConnection::connectionText("h", "5432", "d", "", "x=1"),
              "host=h dbname='d' user='' password='x=1'");
}

TEST(TrackerValues, ReadsSumsAsTheDatabasesPrintThem) {
    EXPECT_EQ(trackerValues::toCounter(""), 0);
    EXPECT_EQ(trackerValues::toCounter("42"), 42);
    EXPECT_EQ(trackerValues::toCounter("-7"), -7);
    EXPECT_EQ(trackerValues::toCounter("12.5"), 12);
    EXPECT_EQ(trackerValues::toCounter("99999999999"), 2147483647);
    EXPECT_FLOAT_EQ(trackerValues::toMoney("-4.50"), -4.5f);
    EXPECT_FLOAT_EQ(trackerValues::toMoney(""), 0.0f);
    std::int32_t counter = 2147483640;
    trackerValues::add(counter, 100);
    EXPECT_EQ(counter, 2147483647);
}

TEST(TrackerValues, DataShapeFlagTellsFamiliesApart) {
    TrackerCounters counters;
    trackerValues::markPostgresFamily(counters);
    EXPECT_EQ(counters.dataShape, 0);
    trackerValues::markPostgresFamily(counters);
    EXPECT_EQ(counters.dataShape, 0);
    counters.dataShape = 1;  // a Firebird database came first
    trackerValues::markPostgresFamily(counters);
    EXPECT_EQ(counters.dataShape, 10);
}

}  // namespace
}  // namespace kestrova
