#include "client/lobby/EverestLobby.h"

#include "FakePlatform.h"

#include <gtest/gtest.h>

using namespace kestrova;
using kestrova::test::FakePlatform;

namespace {

WindowInfo window(WindowId id, std::string title, Rect rect) {
    return WindowInfo{id, std::move(title), "", rect};
}

}  // namespace

TEST(FindEverestLobby, TakesTheFirstLargeLobbyAndItsFirstLargeChild) {
    FakePlatform platform;
    platform.windows = {window(1, "Everest Poker - Table 5", {0, 0, 300, 200}),
                        window(2, "Everest Poker - Lobby", {10, 20, 1010, 720}),
                        window(3, "Everest Poker - Lobby 2", {0, 0, 1000, 700})};
    platform.children[2] = {window(20, "", {0, 0, 100, 30}), window(21, "", {0, 30, 1000, 700}),
                            window(22, "", {0, 0, 1000, 700})};
    const LobbySearch found = findEverestLobby(platform);
    ASSERT_TRUE(found.lobby);
    EXPECT_EQ(found.lobby->window, 2u);
    EXPECT_EQ(found.lobby->listWindow, 21u);
    EXPECT_EQ(found.lobby->windowRect, (Rect{10, 20, 1010, 720}));
    EXPECT_EQ(found.lobby->geometry.listLeft, 20);
    EXPECT_EQ(found.lobby->geometry.listRight, 655);
    EXPECT_EQ(found.lobby->geometry.listTop, 30 + 219);
    EXPECT_EQ(found.lobby->geometry.listBottom, 30 + 219 + 336);
}

TEST(FindEverestLobby, TitleMustBeLongerThanTwelveAndStartWithEverestPoke) {
    FakePlatform platform;
    platform.windows = {window(1, "Everest Poke", {0, 0, 1000, 700}),         // exactly 12
                        window(2, "everest poker lobby", {0, 0, 1000, 700}),  // case differs
                        window(3, "My Everest Poker", {0, 0, 1000, 700})};
    platform.children[1] = platform.children[2] =
        platform.children[3] = {window(9, "", {0, 0, 1000, 700})};
    const LobbySearch found = findEverestLobby(platform);
    EXPECT_FALSE(found.lobby);
    EXPECT_EQ(found.errorTitle, "Lobby not found");

    platform.windows.push_back(window(4, "Everest Poker", {0, 0, 1000, 700}));
    platform.children[4] = {window(9, "", {0, 0, 1000, 700})};
    EXPECT_TRUE(findEverestLobby(platform).lobby);
}

TEST(FindEverestLobby, SizesMustExceed750By500) {
    FakePlatform platform;
    platform.windows = {window(1, "Everest Poker - Lobby", {0, 0, 750, 700}),
                        window(2, "Everest Poker - Lobby", {0, 0, 1000, 500})};
    EXPECT_EQ(findEverestLobby(platform).errorTitle, "Lobby not found");

    platform.windows.push_back(window(3, "Everest Poker - Lobby", {0, 0, 751, 501}));
    platform.children[3] = {window(30, "", {0, 0, 750, 600}), window(31, "", {0, 0, 900, 500})};
    const LobbySearch found = findEverestLobby(platform);
    EXPECT_FALSE(found.lobby);
    EXPECT_EQ(found.errorTitle, "Lobby list not found");
}
