#include "client/lobby/TableOpener.h"

#include "RecordingSink.h"
#include "ShippedGlyphs.h"
#include "sim/SimulatedClient.h"

#include <gtest/gtest.h>


using namespace kestrova;

namespace {

sim::Lobby lobbyOf(std::vector<std::string> names) {
    std::vector<sim::LobbyTable> tables;
    for (std::string& name : names) {
        sim::LobbyTable t;
        t.name = std::move(name);
        t.stakes = "$1/$2";
        t.seated = 3;
        tables.push_back(std::move(t));
    }
    return sim::Lobby(std::move(tables));
}

class TableOpenerTest : public ::testing::Test {
protected:
    GlyphTable glyphs = test::shippedGlyphs();
    ManualClock clock;
    test::RecordingSink messages;
};

// The table list shows names without the client's markers, and "Aspen 1" above
// "Aspen 12" must not be taken for it.
TEST_F(TableOpenerTest, OpensTheRowWhoseWholeNameIsWanted) {
    sim::SimulatedClient client(lobbyOf({"Aspen 1", "Aspen 12", "Bern (S)", "Chur (D)"}));
    EXPECT_EQ(openTableByName(client, clock, glyphs, "Aspen 12", messages), OpenResult::Opened);
    EXPECT_EQ(openTableByName(client, clock, glyphs, "Bern", messages), OpenResult::Opened);
    EXPECT_EQ(openTableByName(client, clock, glyphs, "Chur", messages), OpenResult::Opened);
    EXPECT_EQ(client.openedTables(),
              (std::vector<std::string>{"Aspen 12", "Bern (S)", "Chur (D)"}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TableOpenerTest, TableNoLongerInTheLobbyIsToldAndNothingOpens) {
    sim::SimulatedClient client(lobbyOf({"Aspen 1", "Bern", "Chur"}));
    EXPECT_EQ(openTableByName(client, clock, glyphs, "Aspen", messages), OpenResult::TableNotFound);
    EXPECT_TRUE(client.openedTables().empty());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].rfind(std::string(kTableNotFoundTitle) + "|", 0), 0u);
    EXPECT_NE(messages.messages[0].find("\"Aspen\""), std::string::npos);
}

// Names of one or two characters cannot be told apart: said at once, without
// walking the lobby, and not as "no longer in the lobby".
TEST_F(TableOpenerTest, TooShortANameIsRefusedWithoutAWalk) {
    sim::SimulatedClient client(lobbyOf({"Aspen 1", "AB", "Bern"}));
    for (const char* name : {"AB", "X (S)"}) {
        EXPECT_EQ(openTableByName(client, clock, glyphs, name, messages),
                  OpenResult::NameTooShort);
    }
    EXPECT_TRUE(client.openedTables().empty());
    EXPECT_EQ(clock.totalMs(), 0);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_NE(messages.messages[0].find("\"AB\" cannot be opened"), std::string::npos);
    EXPECT_EQ(messages.messages[1].find("no longer"), std::string::npos);
    EXPECT_EQ(openTableByName(client, clock, glyphs, "Bern", messages), OpenResult::Opened);
}

}  // namespace
