#include "scan/LobbyWalkStart.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "common/Clock.h"
#include "scan/ScanObserver.h"

namespace kestrova {

namespace {
constexpr int kAfterRestoreMs = 500;
constexpr int kAfterClickMs = 200;
constexpr int kListClickX = 200;
constexpr int kListClickY = 300;
}  // namespace

std::optional<EverestLobby> startLobbyWalk(PassContext& context)
{
    LobbySearch search = findEverestLobby(context.platform);
    if (!search.lobby) {
        context.observer.showMessage(search.errorTitle, kLobbyNotFoundMessage);
        return std::nullopt;
    }
    const EverestLobby& lobby = *search.lobby;
    restoreWindow(context.platform, lobby.window);
    context.clock.sleepMs(kAfterRestoreMs);
    click(context.platform, lobby.listWindow, kListClickX, kListClickY);
    context.clock.sleepMs(kAfterClickMs);
    pressKey(context.platform, lobby.listWindow, win32::VK_HOME);
    context.observer.lobbyFound(lobby.windowRect);
    return lobby;
}

}  // namespace kestrova
