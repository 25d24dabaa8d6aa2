// The simulated client answers keys, clicks and captures as the real one does,
// so that passes that work on it work on the client.
#include "sim/SimulatedClient.h"

#include "client/LobbyGeometry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/ocr/LobbyPageReader.h"

#include <gtest/gtest.h>

namespace kestrova::sim {
namespace {

Lobby lobbyOf(int tables) {
    std::vector<LobbyTable> list;
    for (int i = 0; i < tables; ++i) {
        LobbyTable table;
        table.name = "Table " + std::to_string(i);
        table.players = {{"Ann", "1,250"}};
        table.seated = 1;
        list.push_back(table);
    }
    return Lobby(std::move(list));
}

void press(SimulatedClient& client, std::uintptr_t key, int times = 1) {
    for (int i = 0; i < times; ++i)
        pressKey(client, client.listWindow(), key);
}

TEST(SimulatedClient, KeysMoveTheSelectionOnlyInTheFocusedList) {
    SimulatedClient client(lobbyOf(3));
    press(client, win32::VK_DOWN);
    EXPECT_EQ(client.selectedRow(), 0);
    click(client, client.listWindow(), 200, 300);
    press(client, win32::VK_DOWN, 5);
    EXPECT_EQ(client.selectedRow(), 2);  // Down on the last row stays there
    press(client, win32::VK_UP);
    EXPECT_EQ(client.selectedRow(), 1);
    client.sendMessage(client.listWindow(), win32::WM_KEYUP, win32::VK_DOWN, 0);
    pressKey(client, client.lobbyWindow(), win32::VK_DOWN);
    EXPECT_EQ(client.selectedRow(), 1);
    press(client, win32::VK_HOME);
    press(client, win32::VK_UP);
    EXPECT_EQ(client.selectedRow(), 0);
}

TEST(SimulatedClient, EnterOrTheOpenButtonOpensTheSelectedTableOnce) {
    SimulatedClient client(lobbyOf(4));
    click(client, client.listWindow(), 200, 300);
    click(client, client.lobbyWindow(), 640, 418);  // a focus click opens nothing
    EXPECT_TRUE(client.openedTables().empty());
    press(client, win32::VK_DOWN);
    press(client, win32::VK_RETURN);
    ASSERT_EQ(client.openedTables(), std::vector<std::string>{"Table 1"});
    // As under Wine: the table window is the program's other window, titled with the table.
    const std::vector<WindowInfo> windows = client.topLevelWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].instanceName, windows[1].instanceName);
    ASSERT_EQ(client.tableWindows(client.lobbyWindow()).size(), 1u);
    EXPECT_EQ(client.tableWindows(client.lobbyWindow())[0].title, "Table 1");

    press(client, win32::VK_DOWN);
    const std::intptr_t button = win32::makePointLParam(640, 388);
    client.sendMessage(client.listWindow(), win32::WM_LBUTTONDOWN, 0, button);
    EXPECT_EQ(client.openedTables().size(), 1u);
    client.sendMessage(client.listWindow(), win32::WM_LBUTTONUP, 0, button);
    EXPECT_EQ(client.openedTables(), (std::vector<std::string>{"Table 1", "Table 2"}));
    click(client, client.listWindow(), 640, 388);
    EXPECT_EQ(client.tableWindows(client.lobbyWindow()).size(), 2u);
}

TEST(SimulatedClient, MinimisedLobbyCannotBeCapturedUntilRestored) {
    SimulatedClient client(lobbyOf(2));
    client.setMinimised(true);
    EXPECT_FALSE(client.capture(client.lobbyWindow()).has_value());
    restoreWindow(client, client.lobbyWindow());
    EXPECT_TRUE(client.capture(client.lobbyWindow()).has_value());
}

TEST(SimulatedClient, SelectionStaysInViewScrollingByWholeRows) {
    SimulatedClient client(lobbyOf(30));
    const LobbyGeometry geometry =
        LobbyGeometry::fromListWindow(client.childWindows(client.lobbyWindow())[0].rect);
    auto highlightedLine = [&] {
        const Image capture = *client.capture(client.lobbyWindow());
        EXPECT_EQ(lineGridOffset(capture, geometry), 0);
        for (int line = 0; line < 21; ++line) {
            const int top = geometry.listTop + line * LobbyGeometry::kLineHeight;
            if (isSelectionHighlight(capture.pixel(geometry.listLeft + 2, top + 1)))
                return line;
        }
        return -1;
    };
    click(client, client.listWindow(), 200, 300);
    EXPECT_EQ(highlightedLine(), 0);
    press(client, win32::VK_DOWN, 25);
    EXPECT_EQ(highlightedLine(), 20);
    press(client, win32::VK_UP, 3);
    EXPECT_EQ(highlightedLine(), 17);
    press(client, win32::VK_HOME);
    EXPECT_EQ(highlightedLine(), 0);
}

}  // namespace
}  // namespace kestrova::sim
