#include "sim/SimulatedClient.h"

#include "client/LobbyGeometry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/ocr/LobbyPageReader.h"

#include <gtest/gtest.h>

namespace kestrova::sim {
namespace {

using Message = SimulatedClient::SentMessage;

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

// Focus the list as every pass does before pressing keys.
void focusList(SimulatedClient& client) {
    click(client, client.listWindow(), 200, 300);
}

TEST(SimulatedClientWindows, LobbyAndListChildLookLikeTheRealClient) {
    SimulatedClient client(lobbyOf(3));
    const std::vector<WindowInfo> windows = client.topLevelWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].title, "Everest Poker - Lobby");
    EXPECT_GT(windows[0].rect.width(), 750);
    EXPECT_GT(windows[0].rect.height(), 500);

    const std::vector<WindowInfo> children = client.childWindows(client.lobbyWindow());
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(children[0].id, client.listWindow());
    EXPECT_EQ(children[0].rect, (Rect{0, 30, 1000, 700}));
    EXPECT_TRUE(client.childWindows(client.listWindow()).empty());

    const std::optional<Image> capture = client.capture(client.lobbyWindow());
    ASSERT_TRUE(capture.has_value());
    EXPECT_EQ(capture->width(), windows[0].rect.width());
    EXPECT_EQ(capture->height(), windows[0].rect.height());
}

TEST(SimulatedClientInput, KeysActOnlyAfterTheListWasClicked) {
    SimulatedClient client(lobbyOf(5));
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    EXPECT_EQ(client.selectedRow(), 0);
    focusList(client);
    EXPECT_TRUE(client.listFocused());
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    EXPECT_EQ(client.selectedRow(), 2);
    pressKey(client, client.listWindow(), win32::VK_UP);
    EXPECT_EQ(client.selectedRow(), 1);
    pressKey(client, client.listWindow(), win32::VK_HOME);
    EXPECT_EQ(client.selectedRow(), 0);
    pressKey(client, client.listWindow(), win32::VK_UP);
    EXPECT_EQ(client.selectedRow(), 0);
}

TEST(SimulatedClientInput, DownOnTheLastRowStaysThere) {
    SimulatedClient client(lobbyOf(3));
    focusList(client);
    for (int i = 0; i < 5; ++i) {
        pressKey(client, client.listWindow(), win32::VK_DOWN);
    }
    EXPECT_EQ(client.selectedRow(), 2);
}

TEST(SimulatedClientInput, KeysActOnKeyDownAndMessagesToOtherWindowsDoNothing) {
    SimulatedClient client(lobbyOf(3));
    focusList(client);
    client.sendMessage(client.listWindow(), win32::WM_KEYDOWN, win32::VK_DOWN, 0);
    EXPECT_EQ(client.selectedRow(), 1);
    client.sendMessage(client.listWindow(), win32::WM_KEYUP, win32::VK_DOWN, 0);
    EXPECT_EQ(client.selectedRow(), 1);
    pressKey(client, client.lobbyWindow(), win32::VK_DOWN);
    EXPECT_EQ(client.selectedRow(), 1);
}

TEST(SimulatedClientInput, RecordsEveryMessageInOrderWithPackedPoints) {
    SimulatedClient client(lobbyOf(3));
    click(client, client.listWindow(), 200, 300);
    pressKey(client, client.listWindow(), win32::VK_HOME);
    click(client, client.lobbyWindow(), 400, 280);
    const std::vector<Message> expected = {
        {client.listWindow(), win32::WM_LBUTTONDOWN, 0, 0x012C00C8},
        {client.listWindow(), win32::WM_LBUTTONUP, 0, 0x012C00C8},
        {client.listWindow(), win32::WM_KEYDOWN, 0x24, 0},
        {client.listWindow(), win32::WM_KEYUP, 0x24, 0},
        {client.lobbyWindow(), win32::WM_LBUTTONDOWN, 0, 0x01180190},
        {client.lobbyWindow(), win32::WM_LBUTTONUP, 0, 0x01180190},
    };
    EXPECT_EQ(client.messages(), expected);
    client.clearMessages();
    EXPECT_TRUE(client.messages().empty());
}

TEST(SimulatedClientOpening, EnterOpensTheSelectedTableAsATableWindow) {
    SimulatedClient client(lobbyOf(4));
    focusList(client);
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    pressKey(client, client.listWindow(), win32::VK_RETURN);
    ASSERT_EQ(client.openedTables(), std::vector<std::string>{"Table 1"});
    // As under Wine: the table window is the program's other window, titled with the table.
    const std::vector<WindowInfo> windows = client.topLevelWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].title, "Table 1");
    EXPECT_EQ(windows[0].instanceName, windows[1].instanceName);
    const std::vector<WindowInfo> tables = client.tableWindows(client.lobbyWindow());
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].title, "Table 1");
}

TEST(SimulatedClientOpening, ClickOnTheOpenButtonOpensOnButtonUp) {
    SimulatedClient client(lobbyOf(4));
    focusList(client);
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    pressKey(client, client.listWindow(), win32::VK_DOWN);
    client.sendMessage(client.listWindow(), win32::WM_LBUTTONDOWN, 0,
                       win32::makePointLParam(640, 388));
    EXPECT_TRUE(client.openedTables().empty());
    client.sendMessage(client.listWindow(), win32::WM_LBUTTONUP, 0,
                       win32::makePointLParam(640, 388));
    EXPECT_EQ(client.openedTables(), std::vector<std::string>{"Table 2"});
    // The selection stays; a second open of the same table makes no second window.
    EXPECT_EQ(client.selectedRow(), 2);
    click(client, client.listWindow(), 640, 388);
    EXPECT_EQ(client.tableWindows(client.lobbyWindow()).size(), 1u);
}

TEST(SimulatedClientOpening, FocusClickOpensNothing) {
    SimulatedClient client(lobbyOf(4));
    focusList(client);
    click(client, client.lobbyWindow(), 640, 418);
    EXPECT_TRUE(client.openedTables().empty());
    EXPECT_EQ(client.selectedRow(), 0);
}

TEST(SimulatedClientWindows, MinimisedLobbyCannotBeCapturedUntilRestored) {
    SimulatedClient client(lobbyOf(2));
    client.setMinimised(true);
    EXPECT_FALSE(client.capture(client.lobbyWindow()).has_value());
    EXPECT_EQ(client.topLevelWindows().front().rect.width(), 1000);
    restoreWindow(client, client.lobbyWindow());
    EXPECT_TRUE(client.capture(client.lobbyWindow()).has_value());
}

// Reads the capture the way the passes do to find where the highlight is.
int highlightedLine(SimulatedClient& client) {
    const Image capture = *client.capture(client.lobbyWindow());
    const LobbyGeometry geometry =
        LobbyGeometry::fromListWindow(client.childWindows(client.lobbyWindow())[0].rect);
    EXPECT_EQ(lineGridOffset(capture, geometry), 0);
    for (int line = 0; line < 21; ++line) {
        const int top = geometry.listTop + line * LobbyGeometry::kLineHeight;
        if (isSelectionHighlight(capture.pixel(geometry.listLeft + 2, top + 1))) {
            return line;
        }
    }
    return -1;
}

TEST(SimulatedClientScrolling, SelectionStaysInViewScrollingByWholeRows) {
    SimulatedClient client(lobbyOf(30));
    focusList(client);
    EXPECT_EQ(highlightedLine(client), 0);
    for (int i = 0; i < 25; ++i) {
        pressKey(client, client.listWindow(), win32::VK_DOWN);
    }
    EXPECT_EQ(highlightedLine(client), 20);
    for (int i = 0; i < 3; ++i) {
        pressKey(client, client.listWindow(), win32::VK_UP);
    }
    EXPECT_EQ(highlightedLine(client), 17);
    pressKey(client, client.listWindow(), win32::VK_HOME);
    EXPECT_EQ(highlightedLine(client), 0);
}

}  // namespace
}  // namespace kestrova::sim
