#include "client/lobby/TableOpener.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/LobbyScreen.h"
#include "client/ocr/LobbyPageReader.h"

namespace kestrova {

namespace {
constexpr int kAfterRestoreMs = 300;
constexpr int kAfterDownMs = 100;
// Down on the last row leaves the selection there: the list has ended when one
// name (or nothing at all) was read this many times in a row after a Down.
constexpr int kRepeatsAtEnd = 3;
// No lobby lists this many tables; the bound only keeps a lobby that never
// repeats a reading (a flickering client) from holding the walk forever.
constexpr int kMaxRows = 1000;
}  // namespace

OpenResult openTableByName(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                           const std::string& wantedName, MessageSink& messages,
                           const std::function<bool()>& cancelled) {
    const std::string wanted = tableName(wantedName);
    if (wanted.size() < LobbyScreen::kMinMatchLength) {
        messages.showMessage(
            {MessageKind::TableNotFound, std::string(kTableNotFoundTitle),
             "The table \"" + wanted + "\" cannot be opened: a name of fewer than " +
                 std::to_string(LobbyScreen::kMinMatchLength) +
                 " characters cannot be told apart from the other tables' names.\nOpen it in "
                 "the client."});
        return OpenResult::NameTooShort;
    }
    const LobbySearch search = findEverestLobby(platform);
    if (!search.lobby) {
        messages.showMessage({MessageKind::LobbyNotFound, std::string(search.errorTitle),
                              std::string(kLobbyNotFoundMessage)});
        return OpenResult::LobbyNotFound;
    }
    const EverestLobby& lobby = *search.lobby;
    selectFirstRow(platform, clock, lobby);
    restoreWindow(platform, lobby.window);
    clock.sleepMs(kAfterRestoreMs);

    LobbyScreen screen(platform, clock, glyphs, lobby);
    std::string lastRead;
    int repeats = 0;
    for (int row = 0; row < kMaxRows && repeats < kRepeatsAtEnd; ++row) {
        if (cancelled && cancelled())
            return OpenResult::Cancelled;
        screen.grab();
        const LobbyScreen::RowMatch found = screen.findTableInList(wanted, true);
        screen.release();
        if (found.found)
            return OpenResult::Opened;
        if (row > 0 && found.selectedName == lastRead) {
            ++repeats;
        } else {
            repeats = 0;
            lastRead = found.selectedName;
        }
        pressKey(platform, lobby.listWindow, win32::VK_DOWN);
        clock.sleepMs(kAfterDownMs);
    }
    messages.showMessage({MessageKind::TableNotFound, std::string(kTableNotFoundTitle),
                          "The table \"" + wanted +
                              "\" is no longer in the lobby.\nPress \"Get Table List\" to read "
                              "the lobby again."});
    return OpenResult::TableNotFound;
}

}  // namespace kestrova
