#include "sim/Lobby.h"
#include "sim/LobbyRenderer.h"

#include <QString>

#include <gtest/gtest.h>

#include <set>

namespace kestrova::sim {
namespace {

std::string errorOf(const char* json) {
    try {
        Lobby::parse(QByteArray(json), QStringLiteral("lobby.json"));
    } catch (const LobbyError& error) {
        return error.what();
    }
    return "";
}

TEST(LobbyFile, ReadsEveryFieldAndDefaultsTheOptionalOnes) {
    const Lobby lobby = Lobby::parse(
        R"({"tables":[{"name":"Aconcagua","game":"Omaha","stakes":"$1/$2","seated":2,"seats":6,
            "extra":"PL","avgpot":"$12.40","waiting":1,
            "players":[{"name":"Ann","stack":"1,250"},{"name":"Bob"}],"waitlist":["Cy"]},
           {"name":"K2","players":[{"name":"Di","stack":"$5"}]}]})",
        QStringLiteral("x"));
    ASSERT_EQ(lobby.size(), 2);
    const LobbyTable& first = lobby.table(0);
    EXPECT_EQ(first.stakes, "$1/$2");
    EXPECT_EQ(first.seats, 6);
    EXPECT_EQ(first.averagePot, "$12.40");
    ASSERT_EQ(first.players.size(), 2u);
    EXPECT_EQ(first.players[0].stack, "1,250");
    EXPECT_EQ(first.players[1].stack, "");
    EXPECT_EQ(first.waitlist, std::vector<std::string>{"Cy"});
    const LobbyTable& second = lobby.table(1);
    EXPECT_EQ(second.seated, 1);
    EXPECT_EQ(second.seats, 10);
    EXPECT_EQ(second.waiting, 0);
    EXPECT_EQ(second.averagePot, "$0");
}

TEST(LobbyFile, BadFilesSayWhichFileAndWhatIsWrong) {
    EXPECT_NE(errorOf(R"({"tables":[)").find("lobby.json: not valid JSON"), std::string::npos);
    EXPECT_NE(errorOf(R"([1,2])").find("top level must be an object"), std::string::npos);
    EXPECT_NE(errorOf(R"({"table":[]})").find("\"tables\" is missing"), std::string::npos);
    EXPECT_NE(errorOf(R"({"tables":[{"game":"Omaha"}]})").find("table 1: \"name\""),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"tables":[{"name":"A"},{"name":"B","seated":"3"}]})")
                  .find("table 2: \"seated\" must be a whole number"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"tables":[{"name":"A","seats":-2}]})").find("\"seats\""),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"tables":[{"name":"A","players":[{"stack":"1"}]}]})")
                  .find("\"players\" entry 1 needs a non-empty \"name\""),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"tables":[{"name":"A","waitlist":"Bo"}]})").find("must be a list"),
              std::string::npos);
}

TEST(LobbyFile, MissingFileOrDeviceIsAnError) {
    EXPECT_THROW(Lobby::loadFile(QStringLiteral("/nonexistent/lobby.json")), LobbyError);
    // A device would never end (and used to bypass the size cap).
    try {
        Lobby::loadFile(QStringLiteral("/dev/zero"));
        ADD_FAILURE() << "no error";
    } catch (const LobbyError& error) {
        EXPECT_STREQ(error.what(), "/dev/zero: not a regular file");
    }
}

// The shipped lobbies must show every text in full, or the readers cannot get it back.
class ShippedLobby : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLobby, LoadsWithDistinctNamesAndEveryTextFits) {
    const Lobby lobby =
        Lobby::loadFile(QStringLiteral(KESTROVA_DATA_DIR "/") + QString::fromUtf8(GetParam()));
    const BitmapFont font;
    const LobbyRenderer renderer(font);
    std::set<std::string> names;
    using Column = LobbyRenderer::Column;
    for (const LobbyTable& table : lobby.tables()) {
        EXPECT_TRUE(names.insert(table.name).second) << table.name;
        EXPECT_TRUE(renderer.fitsColumn(Column::Name, QString::fromStdString(table.name)))
            << table.name;
        EXPECT_TRUE(renderer.fitsColumn(Column::Game, QString::fromStdString(table.game)))
            << table.game;
        EXPECT_TRUE(renderer.fitsColumn(Column::Stakes, QString::fromStdString(table.stakes)))
            << table.stakes;
        EXPECT_TRUE(renderer.fitsColumn(Column::Seats, LobbyRenderer::seatsText(table)));
        EXPECT_TRUE(renderer.fitsColumn(Column::Extra, QString::fromStdString(table.extra)));
        EXPECT_TRUE(
            renderer.fitsColumn(Column::AveragePot, QString::fromStdString(table.averagePot)));
        for (const SeatedPlayer& player : table.players) {
            EXPECT_TRUE(renderer.fitsSeatName(QString::fromStdString(player.name))) << player.name;
            EXPECT_TRUE(renderer.fitsSeatChips(QString::fromStdString(player.stack)))
                << player.stack;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedLobby, ::testing::Values("demo-lobby.json", "lobby-60.json"));

TEST(ShippedLobbies, TheEndToEndLobbyHasSixtyTablesWithEmptyAndOverfullOnes) {
    const Lobby lobby = Lobby::loadFile(QStringLiteral(KESTROVA_DATA_DIR "/lobby-60.json"));
    ASSERT_EQ(lobby.size(), 60);
    int empty = 0;
    int overfull = 0;
    for (const LobbyTable& table : lobby.tables()) {
        empty += table.seated == 0 ? 1 : 0;
        overfull += table.seated == 11 ? 1 : 0;
    }
    EXPECT_GT(empty, 0);
    EXPECT_GT(overfull, 0);
}

}  // namespace
}  // namespace kestrova::sim
