#include "client/lobby/TableOpener.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/LobbyScreen.h"

namespace kestrova {

namespace {
constexpr int kMaxRows = 60;
constexpr int kAfterRestoreMs = 300;
constexpr int kAfterDownMs = 100;
}  // namespace

bool openTableByName(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                     std::string& wantedNames, MessageSink& messages) {
    const LobbySearch search = findEverestLobby(platform);
    if (!search.lobby) {
        messages.showMessage(search.errorTitle, kLobbyNotFoundMessage);
        return false;
    }
    const EverestLobby& lobby = *search.lobby;
    selectFirstRow(platform, clock, lobby);
    restoreWindow(platform, lobby.window);
    clock.sleepMs(kAfterRestoreMs);

    LobbyScreen screen(platform, clock, glyphs, lobby);
    for (int row = 0; row < kMaxRows; ++row) {
        screen.grab();
        const bool found = screen.findTableInList(wantedNames, true);
        screen.release();
        pressKey(platform, lobby.listWindow, win32::VK_DOWN);
        clock.sleepMs(kAfterDownMs);
        if (found)
            return true;
    }
    return false;
}

}  // namespace kestrova
