#include "client/lobby/EverestLobby.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "common/Clock.h"

#include <string_view>

namespace kestrova {

namespace {

constexpr std::string_view kTitlePrefix = "Everest Poke";
constexpr int kMinWidth = 750;
constexpr int kMinHeight = 500;
constexpr int kListClickX = 200;
constexpr int kListClickY = 300;

bool isLarge(const Rect& r) {
    return r.width() > kMinWidth && r.height() > kMinHeight;
}

bool isLobbyTitle(std::string_view title) {
    return title.size() > kTitlePrefix.size() && title.starts_with(kTitlePrefix);
}

}  // namespace

LobbySearch findEverestLobby(ClientPlatform& platform) {
    LobbySearch search;
    for (const WindowInfo& top : platform.topLevelWindows()) {
        if (!isLobbyTitle(top.title) || !isLarge(top.rect))
            continue;
        for (const WindowInfo& child : platform.childWindows(top.id)) {
            if (!isLarge(child.rect))
                continue;
            EverestLobby lobby;
            lobby.window = top.id;
            lobby.listWindow = child.id;
            lobby.windowRect = top.rect;
            lobby.geometry = LobbyGeometry::fromListWindow(child.rect);
            search.lobby = lobby;
            return search;
        }
        search.errorTitle = kLobbyListNotFoundTitle;
        return search;
    }
    search.errorTitle = kLobbyNotFoundTitle;
    return search;
}

void selectFirstRow(ClientPlatform& platform, Clock& clock, const EverestLobby& lobby,
                    const std::function<void()>& beforeHome,
                    const std::function<void()>& afterClick) {
    click(platform, lobby.listWindow, kListClickX, kListClickY);
    if (afterClick)
        afterClick();
    else
        clock.sleepMs(kAfterListClickMs);
    if (beforeHome)
        beforeHome();
    pressKey(platform, lobby.listWindow, win32::VK_HOME);
}

}  // namespace kestrova
