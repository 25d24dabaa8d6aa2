// Pokermanager (Firebird files and server), PokerOffice (MariaDB) and
// PokerTracker 2 in Access files (SQLite over ODBC), each against a real
// server or file that the suite makes itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FirebirdFiles.h"
#include "MariadbServer.h"
#include "PostgresServer.h"
#include "Printers.h"
#include "ProcessTools.h"
#include "RecordingSink.h"
#include "TrackerEntry.h"
#include "settings/SettingsStore.h"
#include "stats/AccessTrackerSource.h"
#include "stats/ImportProgress.h"
#include "stats/PlayerRecordList.h"
#include "stats/PokerOfficeSource.h"
#include "stats/TrackerLookup.h"
#include "stats/TrackerNameSource.h"

namespace kestrova {
namespace {

const std::string kFixtures = KESTROVA_STATS_FIXTURES;
// The drivers this build has: f Firebird, m MySQL, o ODBC.
const std::string kDrivers = KESTROVA_SQL_DRIVERS;

bool built(char driver) {
    return kDrivers.find(driver) != std::string::npos;
}

class NoProgress final : public ImportProgress {
public:
    void setLabel(const std::string&) override {}
    void setMaximum(int) override {}
    void setValue(int) override {}
    bool cancelled() override { return ++rows > cancelAfter; }
    int rows = 0;
    int cancelAfter = 1000;
};

DatabaseEntry entry(DatabaseKind kind, const std::string& database) {
    DatabaseEntry e;
    e.kind = static_cast<std::int32_t>(kind);
    e.database = database;
    e.active = true;
    return e;
}

// One look-up over the entries, as the scan runs it.
class Lookup {
public:
    explicit Lookup(std::vector<DatabaseEntry> entries)
        : dir_(test::makeTemporaryDirectory("kestrova-sqltrackers")),
          settings_(std::filesystem::path(dir_) / "Velloran.ini"),
          lookup_(std::move(entries), settings_, nullptr, records_, TraceLog::off()) {}
    ~Lookup() { std::filesystem::remove_all(dir_); }

    TrackerCounters sums(const std::string& name) {
        TrackerCounters counters;
        EXPECT_TRUE(lookup_.connectDatabases(sink));
        EXPECT_TRUE(lookup_.sumCounters(name, counters, sink)) << name;
        return counters;
    }
    TrackerLookup& lookup() { return lookup_; }
    test::RecordingSink sink;

private:
    std::string dir_;
    SettingsStore settings_;
    PlayerRecordList records_;
    TrackerLookup lookup_;
};

std::vector<int> handsOf(Lookup& lookup, std::initializer_list<const char*> names) {
    std::vector<int> hands;
    for (const char* name : names)
        hands.push_back(lookup.sums(name).hands);
    return hands;
}

std::vector<std::string> names(const DatabaseEntry& e, NoProgress& progress,
                               PlayerNameSource::Result expected = PlayerNameSource::Result::Done) {
    std::vector<std::string> collected;
    test::RecordingSink sink;
    EXPECT_EQ(TrackerNameSource().collectNames(e, collected, progress, sink), expected);
    return collected;
}

// --- Pokermanager on Firebird ----------------------------------------------

class PokermanagerTest : public ::testing::Test {
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
    }
    static void TearDownTestSuite() {
        delete files_;
        files_ = nullptr;
    }
    void SetUp() override {
        if (files_ == nullptr)
            GTEST_SKIP() << "no Firebird client library or isql-fb here";
    }

    static test::FirebirdFiles* files_;
    static std::string file_;
    static std::string brokenFile_;
};
test::FirebirdFiles* PokermanagerTest::files_ = nullptr;
std::string PokermanagerTest::file_;
std::string PokermanagerTest::brokenFile_;

TEST_F(PokermanagerTest, CountsEveryHandWithTheNameBound) {
    Lookup lookup({entry(DatabaseKind::PokermanagerFirebird, file_)});
    // Showdowns: LAST_ROUND 0; a NULL round is no showdown.
    EXPECT_EQ(lookup.sums("RiverRat"), (TrackerCounters{.hands = 4,
                                                        .vpip = 2,
                                                        .pfr = 1,
                                                        .flopBets = 3,
                                                        .flopCalls = 2,
                                                        .showdowns = 2,
                                                        .showdownsWon = 1,
                                                        .dataShape = DataShape::Firebird}));
    EXPECT_EQ(handsOf(lookup, {"riverrat", "O'Brien", "Back\\slash", "x') OR 1=1 --", "ghost"}),
              (std::vector<int>{4, 2, 1, 0, 0}));  // letter case ignored
    EXPECT_TRUE(lookup.sink.messages.empty());
}

TEST_F(PokermanagerTest, WithPostgresTheStreetFiguresAreZero) {
    if (!test::PostgresServer::available())
        GTEST_SKIP() << "PostgreSQL server programs not installed";
    test::PostgresServer::shared().createDatabase("kt_pt3_fb");
    test::PostgresServer::shared().executeFile("kt_pt3_fb", kFixtures + "/pokertracker3.sql");
    Lookup lookup({test::trackerEntry(test::PostgresServer::shared(), "kt_pt3_fb",
                                      DatabaseKind::PokerTracker3),
                   entry(DatabaseKind::PokermanagerFirebird, file_)});
    ASSERT_TRUE(lookup.lookup().connectDatabases(lookup.sink));
    const auto record = lookup.lookup().lookupPlayer("RiverRat", "$10", "0", lookup.sink);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->hands, "8");
    EXPECT_EQ(record->flopAf, "0.00");
    EXPECT_EQ(record->riverAf, "0.00");
    EXPECT_EQ(lookup.sums("RiverRat").dataShape, DataShape::Mixed);
}

TEST_F(PokermanagerTest, FailuresNameTheStep) {
    // A missing file ends only this database's block...
    Lookup missing({entry(DatabaseKind::PokermanagerFirebird, file_ + ".gone")});
    EXPECT_EQ(missing.sums("RiverRat").hands, 0);
    ASSERT_EQ(missing.sink.messages.size(), 1u);
    EXPECT_EQ(missing.sink.messages[0].rfind("Error|PROBLEM ON :attach_db", 0), 0u);
    // ...a failing statistics statement the whole look-up.
    Lookup broken({entry(DatabaseKind::PokermanagerFirebird, brokenFile_)});
    EXPECT_EQ(broken.lookup().lookupPlayer("RiverRat", "", "0", broken.sink), nullptr);
    ASSERT_EQ(broken.sink.messages.size(), 1u);
    EXPECT_EQ(broken.sink.messages[0].rfind("Error|PROBLEM ON :dsql_prepare", 0), 0u);
}

TEST_F(PokermanagerTest, ServerOnLoopbackAndTheNameList) {
    files_->startServer("masterkey");
    Lookup lookup({entry(DatabaseKind::PokermanagerFirebird, files_->serverPrefix() + file_)});
    EXPECT_EQ(lookup.sums("RiverRat").hands, 4);
    EXPECT_TRUE(lookup.sink.messages.empty()) << lookup.sink.messages[0];

    NoProgress progress;
    EXPECT_EQ(names(entry(DatabaseKind::PokermanagerFirebird, file_), progress),
              (std::vector<std::string>{"RiverRat", "O'Brien", "ghost", "Back\\slash"}));
}

// --- PokerOffice on MySQL ---------------------------------------------------

class PokerOfficeTest : public ::testing::Test {
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
        DatabaseEntry e = entry(DatabaseKind::PokerOfficeMysql, "pokeroffice");
        e.host = "127.0.0.1";
        e.port = std::to_string(port);
        e.user = std::string(test::MariadbServer::kUser);
        e.password = std::string(test::MariadbServer::kPassword);
        return e;
    }

    static test::MariadbServer* server_;
};
test::MariadbServer* PokerOfficeTest::server_ = nullptr;

TEST_F(PokerOfficeTest, CountsActionLettersAndNulls) {
    Lookup lookup({office(server_->port())});
    // Flop "BRC"; an empty action2 is a flop seen too.
    EXPECT_EQ(lookup.sums("RiverRat"), (TrackerCounters{.hands = 4,
                                                        .vpip = 2,
                                                        .pfr = 1,
                                                        .flopBets = 1,
                                                        .turnBets = 1,
                                                        .flopRaises = 1,
                                                        .flopCalls = 1,
                                                        .riverCalls = 1,
                                                        .showdowns = 2,
                                                        .flopsSeen = 4,
                                                        .showdownsWon = 1}));
    // A leading apostrophe is searched too; an unknown name needs no second statement.
    EXPECT_EQ(handsOf(lookup, {"O'Brien", "'Quote", "Back\\slash", "ghost", "Nobody"}),
              (std::vector<int>{2, 1, 1, 0, 0}));
    EXPECT_TRUE(lookup.sink.messages.empty());
}

TEST_F(PokerOfficeTest, ThePortEnteredIsUsedAndAnUnreachableServerGivesNothing) {
    EXPECT_EQ(PokerOfficeSource::serverPort("5432"), 0u);
    EXPECT_EQ(PokerOfficeSource::serverPort(""), 0u);
    EXPECT_EQ(PokerOfficeSource::serverPort("3307x"), 0u);
    Lookup elsewhere({office(test::freeLoopbackPort())});
    EXPECT_EQ(elsewhere.sums("RiverRat").hands, 0);
    EXPECT_TRUE(elsewhere.sink.messages.empty());

    NoProgress progress;
    EXPECT_EQ(names(office(server_->port()), progress).size(), 5u);
    NoProgress cancelling;
    cancelling.cancelAfter = 2;
    EXPECT_EQ(names(office(server_->port()), cancelling, PlayerNameSource::Result::Cancelled),
              (std::vector<std::string>{"RiverRat", "O'Brien"}));
}

// --- PokerTracker 2 in Access files, through SQLite's ODBC driver ------------

class AccessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string driver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
        if (!built('o') || !std::filesystem::exists(driver) ||
            !std::filesystem::exists("/usr/bin/sqlite3"))
            return;
        dir_ = test::makeTemporaryDirectory("kestrova-odbc");
        // A private driver list: the tests need no system ODBC set-up.
        std::ofstream(dir_ + "/odbcinst.ini") << "[SQLite3]\nDriver=" << driver << "\n";
        ::setenv("ODBCSYSINI", dir_.c_str(), 1);
        const std::string file = dir_ + "/pt2.db";
        test::runCommand("/usr/bin/sqlite3 " + test::shellQuoted(file) + " < " +
                         test::shellQuoted(kFixtures + "/access.sql"));
        connection_ = "Driver={SQLite3};Database=" + file + ";";
    }
    static void TearDownTestSuite() {
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }
    void SetUp() override {
        if (connection_.empty())
            GTEST_SKIP() << "no ODBC driver manager or SQLite ODBC driver here";
    }

    static std::string dir_;
    static std::string connection_;
};
std::string AccessTest::dir_;
std::string AccessTest::connection_;

TEST_F(AccessTest, DriverSumsAndProgramSumsAgree) {
    for (const auto sums :
         {AccessTrackerSource::Sums::ByDriver, AccessTrackerSource::Sums::ByProgram}) {
        SCOPED_TRACE(sums == AccessTrackerSource::Sums::ByDriver ? "driver" : "program");
        AccessTrackerSource source(entry(DatabaseKind::PokerTracker2Access, connection_), sums);
        test::RecordingSink sink;
        const auto count = [&](const std::string& name) {
            TrackerCounters c;
            const std::string pattern;
            EXPECT_TRUE(source.addCounters({name, pattern}, c, sink));
            return c;
        };
        // won_hand counts with a showdown only.
        EXPECT_EQ(count("RiverRat"), (TrackerCounters{.hands = 3,
                                                      .vpip = 2,
                                                      .pfr = 1,
                                                      .flopBets = 2,
                                                      .turnBets = 1,
                                                      .flopRaises = 1,
                                                      .riverRaises = 1,
                                                      .flopCalls = 1,
                                                      .turnCalls = 2,
                                                      .showdowns = 1,
                                                      .flopsSeen = 2,
                                                      .showdownsWon = 1,
                                                      .won = 30.5f,
                                                      .totalBet = 15.25f,
                                                      .icon = 7}));
        const TrackerCounters killer = count("KiIIer");  // Killer and KiIler
        EXPECT_EQ(std::pair(killer.hands, killer.icon), std::pair(2, 3));
        EXPECT_EQ(count("O'Brien").hands, 1);
        EXPECT_EQ(count("ghost"), (TrackerCounters{.icon = 2}));
        EXPECT_EQ(count("x' OR ''='").hands, 0);
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST_F(AccessTest, LookupNamesAndUnreadableFiles) {
    Lookup lookup({entry(DatabaseKind::PokerTracker2Access, connection_),
                   entry(DatabaseKind::PokerTracker2Access, dir_ + "/missing.mdb")});
    EXPECT_EQ(lookup.sums("RiverRat").hands, 3);
    EXPECT_TRUE(lookup.sink.messages.empty());

    NoProgress progress;
    EXPECT_EQ(names(entry(DatabaseKind::PokerTracker2Access, connection_), progress).size(), 5u);

    std::vector<std::string> bound;
    EXPECT_EQ(AccessTrackerSource::statisticsStatement({"1", "22", "x'y"}, bound)
                  .substr(std::string_view("SELECT").size())
                  .ends_with("WHERE player_id=1 or player_id=22 or player_id=?"),
              true);
    EXPECT_EQ(bound, std::vector<std::string>{"x'y"});
}

}  // namespace
}  // namespace kestrova
