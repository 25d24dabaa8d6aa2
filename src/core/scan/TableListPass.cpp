#include "scan/TableListPass.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "scan/ClientWaits.h"
#include "scan/EndOfListDetector.h"
#include "scan/LobbyWalkStart.h"
#include "scan/ScanObserver.h"

namespace kestrova {

PassEnd TableListPass::run(LobbyEntryList& entries) {
    std::optional<std::uint64_t> listBeforeHome;
    std::optional<EverestLobby> lobby = startLobbyWalk(context_, [&](const EverestLobby& found) {
        listBeforeHome = ClientWaits::captureList(context_, found);
    });
    if (!lobby)
        return PassEnd::ClientNotFound;

    LobbyScreen screen(context_.platform, context_.clock, context_.glyphs, *lobby);
    ClientWaits waits(context_, screen);
    waits.noteList(listBeforeHome);
    waits.afterSelectionKey(0, kAfterDownMs);
    EndOfListDetector endOfList;
    ScanObserver& observer = context_.observer;
    while (!observer.cancelled()) {
        if (!screen.grab()) {
            observer.showMessage("Error", "Error Capturing");
            return PassEnd::CaptureFailed;
        }
        bool atEnd = false;
        std::string selectedName;
        if (std::optional<LobbyEntry> row = screen.readSelectedRow()) {
            selectedName = row->name;
            // A name seen before means the list has come round: the walk is over.
            atEnd = entries.merge(*row) == LobbyEntryList::Merge::AlreadyKnown;
            observer.tableRead(*row);
        }
        atEnd = endOfList.onRead(selectedName) || atEnd;
        waits.noteList();
        screen.release();
        pressKey(context_.platform, lobby->listWindow, win32::VK_DOWN);
        waits.afterSelectionKey(kAfterDownMs, kAfterDownMs);
        if (atEnd)
            return PassEnd::EndOfList;
    }
    return PassEnd::Cancelled;
}

}  // namespace kestrova
