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

TEST(LobbyFile, BadFilesSayWhichFileAndWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"tables":[)", "lobby.json: not valid JSON"},
        {R"([1,2])", "top level must be an object"},
        {R"({"table":[]})", "\"tables\" is missing"},
        {R"({"tables":[{"game":"Omaha"}]})", "table 1: \"name\""},
        {R"({"tables":[{"name":"A"},{"name":"B","seated":"3"}]})",
         "table 2: \"seated\" must be a whole number"},
        {R"({"tables":[{"name":"A","seats":-2}]})", "\"seats\""},
        {R"({"tables":[{"name":"A","players":[{"stack":"1"}]}]})",
         "\"players\" entry 1 needs a non-empty \"name\""},
        {R"({"tables":[{"name":"A","waitlist":"Bo"}]})", "must be a list"},
        {R"({"tables":[{"name":"A"},{"name":"B"},{"name":" A"}]})",
         "table 3: \"name\" is the name of table 1 too"},
        {R"({"tables":[{"name":"A","seats":1000}]})", "table 1: \"seats\" must be from 2 to 10"},
        {R"({"tables":[{"name":"A","seats":1}]})", "\"seats\" must be from 2 to 10"},
        {R"({"tables":[{"name":"A","seats":11}]})", "\"seats\" must be from 2 to 10"},
    };
    for (const auto& [json, error] : cases)
        EXPECT_NE(errorOf(json).find(error), std::string::npos) << json;
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

}  // namespace
}  // namespace kestrova::sim
