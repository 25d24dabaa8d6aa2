#include "scan/LobbyWalkStart.h"

#include "client/WindowInput.h"
#include "common/Clock.h"
#include "scan/ScanObserver.h"

namespace kestrova {

namespace {
constexpr int kAfterRestoreMs = 500;
}  // namespace

std::optional<EverestLobby> startLobbyWalk(
    PassContext& context, const std::function<void(const EverestLobby&)>& beforeHome) {
    LobbySearch search = findEverestLobby(context.platform);
    if (!search.lobby) {
        context.observer.showMessage(search.errorTitle, kLobbyNotFoundMessage);
        return std::nullopt;
    }
    const EverestLobby& lobby = *search.lobby;
    restoreWindow(context.platform, lobby.window);
    context.clock.sleepMs(kAfterRestoreMs);
    selectFirstRow(context.platform, context.clock, lobby, [&] {
        if (beforeHome)
            beforeHome(lobby);
    });
    context.observer.lobbyFound(lobby.windowRect);
    return lobby;
}

}  // namespace kestrova
