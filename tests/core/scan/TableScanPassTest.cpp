#include "scan/TableScanPass.h"

#include "FakeLookup.h"
#include "RecordingObserver.h"
#include "ShippedGlyphs.h"
#include "client/Win32Messages.h"
#include "common/Clock.h"
#include "records/PlayerLookup.h"
#include "scan/ScanObserver.h"
#include "sim/SimulatedClient.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

using namespace kestrova;

namespace {

sim::LobbyTable table(std::string name, std::vector<std::string> players, int seats = 10,
                      std::vector<std::string> waiting = {}) {
    sim::LobbyTable t;
    t.name = std::move(name);
    t.stakes = "$1/$2";
    t.seats = seats;
    t.averagePot = "$25.00";
    int i = 0;
    for (std::string& p : players)
        t.players.push_back({std::move(p), std::to_string(1000 + 10 * i++) + ",50"});
    t.seated = static_cast<int>(t.players.size());
    t.waitlist = std::move(waiting);
    t.waiting = static_cast<int>(t.waitlist.size());
    return t;
}

class TableScanPassTest : public ::testing::Test {
protected:
    void SetUp() override { lookup.cache = &state.records; }

    bool scanAll(sim::SimulatedClient& client, std::optional<int> opener = std::nullopt) {
        PassContext context{client, clock, glyphs, observer};
        const PassEnd end = TableScanPass(context, lookup, state, filter).scanAll(opener);
        return end == PassEnd::EndOfList || end == PassEnd::Cancelled;
    }

    GlyphTable glyphs = test::shippedGlyphs();
    ManualClock clock;
    test::RecordingObserver observer;
    test::FakeLookup lookup;
    ScanState state;
    LobbyFilter filter;
};

}  // namespace

// Every seated player is looked up, then the waiting list, which never counts
// as seated; unknown players count but are not listed; tables showing none or
// eleven players are skipped.
TEST_F(TableScanPassTest, SeatedPlayersAreLookedUpOncePerPass) {
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back("Seat" + std::to_string(i));
    sim::LobbyTable crowded = table("Crowded", {"A1", "B1"});
    crowded.seated = 11;
    sim::SimulatedClient client(sim::Lobby({table("Ring", ten), table("Empty", {}), crowded,
                                            table("Short", {"Anna", "nobody1"}, 6, {"Carl"})}));
    ASSERT_TRUE(scanAll(client));
    std::vector<std::string> expected = ten;
    expected.insert(expected.end(), {"Anna", "nobody1", "Carl"});
    EXPECT_EQ(lookup.looked, expected);
    ASSERT_EQ(observer.rows.size(), 2u);
    EXPECT_EQ(observer.rows[0], (std::array<std::string, 5>{"Ring", "$1/$2", "0", "10", "$25.00"}));
    EXPECT_EQ(observer.rows[1][3], "2");
    const ScannedTable& short6 = *state.tables.find("Short");
    ASSERT_EQ(short6.players.size(), 1u);
    EXPECT_EQ(short6.players[0]->stack, "1000.50");
    ASSERT_EQ(short6.waiting.size(), 1u);
    EXPECT_TRUE(short6.waiting[0]->waiting);
    EXPECT_EQ(short6.waitingCount, 1);
    EXPECT_EQ(lookup.connects, 1);
    EXPECT_EQ(lookup.disconnects, 1);

    // A second pass takes every known player from the cache.
    lookup.looked.clear();
    state.tables.clear();
    ASSERT_TRUE(scanAll(client));
    EXPECT_EQ(lookup.looked, std::vector<std::string>{"nobody1"});
    EXPECT_EQ(state.tables.find("Ring")->players.size(), 10u);
}

TEST_F(TableScanPassTest, SamePlayerAtTwoTablesGetsARecordPerTable) {
    sim::SimulatedClient client(
        sim::Lobby({table("First", {"Anna", "Bert"}), table("Second", {"Carl", "Anna"})}));
    ASSERT_TRUE(scanAll(client));
    // Looked up once, copied for the second table with its own stack and table.
    EXPECT_EQ(std::count(lookup.looked.begin(), lookup.looked.end(), "Anna"), 1);
    ASSERT_EQ(state.records.size(), 4u);
    const auto& first = state.tables.find("First")->players[0];
    const auto& second = state.tables.find("Second")->players[1];
    EXPECT_NE(first, second);
    EXPECT_EQ(first->table, "First");
    EXPECT_EQ(second->table, "Second");
    EXPECT_EQ(first->stack, "1000.50");
    EXPECT_EQ(second->stack, "1010.50");
    EXPECT_EQ(second->recordIndex, 3);
}

TEST_F(TableScanPassTest, CancelKeepsWhatWasReadAndFailingDatabasesEndBeforeTheWalk) {
    std::vector<sim::LobbyTable> tables;
    for (int i = 0; i < 6; ++i)
        tables.push_back(table("Table " + std::to_string(i), {"P" + std::to_string(i) + "x"}));
    sim::SimulatedClient client{sim::Lobby(tables)};
    // Cancelled while the third row is read: its seats are not waited for.
    observer.cancelAfterRounds = 3;
    ASSERT_TRUE(scanAll(client));
    EXPECT_EQ(observer.rows.size(), 2u);
    EXPECT_EQ(lookup.disconnects, 1);

    observer = test::RecordingObserver{};
    lookup.failConnect = true;
    EXPECT_FALSE(scanAll(client));
    EXPECT_TRUE(observer.rows.empty());
    EXPECT_EQ(observer.messages.size(), 1u);
}

TEST_F(TableScanPassTest, OpenerOpensTablesUntilItsMaximumAndScansNone) {
    sim::SimulatedClient client(sim::Lobby({table("A1x", {"Anna"}), table("B2x", {"Bert"}),
                                            table("C3x", {"Carl"}), table("D4x", {"Dora"})}));
    ASSERT_TRUE(scanAll(client, 2));
    EXPECT_EQ(client.openedTables(), (std::vector<std::string>{"A1x", "B2x"}));
    EXPECT_TRUE(observer.rows.empty());
    EXPECT_TRUE(lookup.looked.empty());
}

TEST_F(TableScanPassTest, SelectedScanWalksToTheWantedTableOnly) {
    sim::SimulatedClient client(sim::Lobby(
        {table("Alpha", {"Anna"}), table("Beta", {"Bert", "Bob"}), table("Gamma", {"Carl"})}));
    PassContext context{client, clock, glyphs, observer};
    ASSERT_EQ(TableScanPass(context, lookup, state, filter).scanSelected("Beta"),
              PassEnd::EndOfList);
    EXPECT_EQ(lookup.looked, (std::vector<std::string>{"Bert", "Bob"}));
    ASSERT_EQ(observer.rows.size(), 1u);
    EXPECT_EQ(observer.rows[0][0], "Beta");
    EXPECT_EQ(client.selectedRow(), 1);
}
