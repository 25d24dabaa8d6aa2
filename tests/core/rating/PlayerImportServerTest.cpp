#include "rating/PlayerImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CountingProgress.h"
#include "PostgresServer.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "TrackerEntry.h"
#include "common/MessageSink.h"
#include "rating/BuddyList.h"
#include "records/ImportProgress.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingsStore.h"
#include "trackers/TrackerLookup.h"
#include "trackers/TrackerNameSource.h"

namespace kestrova {
namespace {

using test::CountingProgress;
using test::PostgresServer;
using test::TempDir;
using Names = std::vector<std::string>;

constexpr const char* kFixtures = KESTROVA_TRACKER_FIXTURES;

using test::RecordingSink;
PlayerStats figures(int hands, Figure vpip, Figure af) {
    PlayerStats stats;
    std::tie(stats.hands, stats.vpip, stats.af) = std::tuple(hands, vpip, af);
    return stats;
}

// Figures are truncated before the range test; "N/A" counts as 0; the minimum
// hands always apply.
TEST(ImportRanges, EveryEnabledRangeMustHold) {
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    filter.af = {true, 0, 3};
    filter.minimumHands = 200;
    EXPECT_TRUE(filter.passes(figures(200, 40.99, 3.99)));
    EXPECT_TRUE(filter.passes(figures(200, 100.99, std::nullopt)));
    EXPECT_FALSE(filter.passes(figures(200, 39.99, 0.0)));
    EXPECT_FALSE(filter.passes(figures(200, 101.00, 0.0)));
    EXPECT_FALSE(filter.passes(figures(200, 50.0, 4.0)));
    EXPECT_FALSE(filter.passes(figures(199, 50.0, 0.0)));
}

PostgresServer& server() {
    return PostgresServer::shared();
}

DatabaseEntry entryFor(const std::string& database, DatabaseKind kind) {
    return test::trackerEntry(server(), database, kind);
}

class PlayerImportServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!PostgresServer::available())
            return;
        for (const auto& [name, fixture] : {std::pair{"ki_pt2_a", "/pokertracker2.sql"},
                                            {"ki_pt2_b", "/pokertracker2.sql"},
                                            {"ki_pt3", "/pokertracker3.sql"},
                                            {"ki_empty", ""}}) {
            server().createDatabase(name);
            if (*fixture != '\0')
                server().executeFile(name, kFixtures + std::string(fixture));
        }
    }

    void SetUp() override {
        if (!PostgresServer::available())
            GTEST_SKIP() << "PostgreSQL server programs not installed";
    }

    PlayerImport::Outcome run(const std::vector<DatabaseEntry>& entries, const ImportFilter& filter,
                              ImportProgress& progress, BuddyList* buddies = nullptr) {
        TrackerLookup lookup(entries, TrackerOptions::fromSettings(settings_), &buddies_, records_);
        PlayerImport import(lookup, names_, sink_);
        auto outcome = import.run(entries, filter, buddies ? *buddies : buddies_, progress);
        candidates_ = import.candidates();
        EXPECT_FALSE(lookup.connected());
        return outcome;
    }
    Names saved() const {
        BuddyList reloaded(dir_.path());
        reloaded.loadBuddies();
        return reloaded.names();
    }

    TempDir dir_;
    SettingsStore settings_{dir_ / "Velloran.ini"};
    BuddyList buddies_{dir_.path()};
    PlayerRecordList records_;
    TrackerNameSource names_;
    RecordingSink sink_;
    Names candidates_;
};

std::vector<DatabaseEntry> twoDatabases() {
    return {entryFor("ki_pt2_a", DatabaseKind::PokerTracker2Postgres),
            entryFor("ki_pt2_b", DatabaseKind::PokerTracker2Postgres)};
}

TEST_F(PlayerImportServerTest, NamesOfActiveDatabasesAreLookedUpOnceSummedAndSavedOnce) {
    // The same players in two PokerTracker 2 databases: each name is looked up
    // once and its hands are summed over both (RiverRat 6, PctX50 14, Kill3r 8,
    // Pct%50 4, Blank 2, NoGames 0). An inactive database is not read at all.
    DatabaseEntry inactive = entryFor("ki_empty", DatabaseKind::PokerTracker2Postgres);
    inactive.active = false;
    std::vector<DatabaseEntry> entries = twoDatabases();
    entries.insert(entries.begin() + 1, inactive);
    buddies_.addBuddy("RIVERRAT", false);  // known already, ignoring case
    ImportFilter filter;
    filter.minimumHands = 5;
    CountingProgress progress;
    const auto outcome = run(entries, filter, progress);
    EXPECT_FALSE(outcome.failed || outcome.cancelled);
    EXPECT_EQ(outcome.collected, 12u);
    EXPECT_EQ(candidates_.size(), 6u);
    EXPECT_EQ(outcome.lookedUp, 6u);
    EXPECT_EQ(outcome.added, 2u);
    EXPECT_EQ(records_.size(), 6u);
    Names added = buddies_.names();
    std::sort(added.begin(), added.end());
    EXPECT_EQ(added, (Names{"Kill3r", "PctX50", "RIVERRAT"}));
    EXPECT_EQ(saved(), buddies_.names());
    EXPECT_TRUE(sink_.messages.empty());
    // The row counts of both name lists, then the candidates.
    EXPECT_EQ(progress.maxima, (std::vector<int>{6, 6, 6}));
}

TEST_F(PlayerImportServerTest, VpipRangeAgainstTheDatabaseAndNoNameListInPokerTracker3) {
    ImportFilter filter;
    filter.vpip = {true, 40, 100};
    CountingProgress progress;
    const auto outcome = run({entryFor("ki_pt3", DatabaseKind::PokerTracker3),
                              entryFor("ki_pt2_a", DatabaseKind::PokerTracker2Postgres)},
                             filter, progress);
    EXPECT_EQ(outcome.collected, 6u) << "PokerTracker 3 gives no names";
    // Names come from PokerTracker 2 only, figures from both: Pct%50 plays loose
    // in PokerTracker 3.
    EXPECT_EQ(buddies_.names(), (Names{"RiverRat", "Pct%50"}));
    EXPECT_TRUE(sink_.messages.empty());
}

// Cancelled while the names are collected, nobody is looked up; while the
// players are looked up, those added before stay and are saved.
TEST_F(PlayerImportServerTest, CancelKeepsThePlayersAddedBefore) {
    CountingProgress duringNames(3);
    auto outcome = run(twoDatabases(), ImportFilter{}, duringNames);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.collected, 2u);
    EXPECT_EQ(outcome.lookedUp, 0u);
    EXPECT_TRUE(buddies_.names().empty());

    // 12 checks while collecting, then one before and one after each look-up.
    CountingProgress duringLookups(12 + 4);
    outcome = run(twoDatabases(), ImportFilter{}, duringLookups);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.lookedUp, 2u);
    EXPECT_EQ(buddies_.names().size(), 2u);
    EXPECT_EQ(saved(), buddies_.names());
}

// No players table: the declaration fails, so does the FETCH after it; a wrong
// password is told without the password and ends the import, though another
// database answers; a list that cannot be saved is told and kept in memory.
TEST_F(PlayerImportServerTest, FailuresAreToldAndEndTheImport) {
    CountingProgress progress;
    auto outcome = run({entryFor("ki_empty", DatabaseKind::PokerTracker2Postgres),
                        entryFor("ki_pt2_a", DatabaseKind::PokerTracker2Postgres)},
                       ImportFilter{}, progress);
    EXPECT_TRUE(outcome.failed);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].rfind("Error|FETCH ALL failed: ", 0), 0u) << sink_.messages[0];
    EXPECT_EQ(outcome.lookedUp, 0u);
    EXPECT_TRUE(buddies_.names().empty());

    DatabaseEntry entry = entryFor("ki_pt2_a", DatabaseKind::PokerTracker2Postgres);
    entry.password = "wrong-pw";
    outcome = run({entry, entryFor("ki_pt2_b", DatabaseKind::PokerTracker2Postgres)},
                  ImportFilter{}, progress);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.lookedUp, 0u);
    ASSERT_EQ(sink_.messages.size(), 2u);
    EXPECT_EQ(sink_.messages[1].rfind("Error|Connection to database failed: ", 0), 0u);
    EXPECT_EQ(sink_.messages[1].find("wrong-pw"), std::string::npos);

    BuddyList homeless(dir_ / "gone");
    EXPECT_FALSE(run(twoDatabases(), ImportFilter{}, progress, &homeless).saved);
    EXPECT_EQ(sink_.messages.back(), "Error|Unable to save mofofish");
    EXPECT_EQ(homeless.names().size(), 6u) << "the names stay in memory";
}

}  // namespace
}  // namespace kestrova
