#include "scan/TableListPass.h"

#include "client/lobby/LobbyScreen.h"
#include "common/TranslatableText.h"
#include "scan/ClientWaits.h"
#include "scan/DownKeys.h"
#include "scan/EndOfListDetector.h"
#include "scan/LobbyWalkStart.h"
#include "scan/ScanObserver.h"

namespace kestrova {

PassEnd TableListPass::run(LobbyEntryList& entries) {
    ClientWaits::HomeStart home;
    std::optional<EverestLobby> lobby = startLobbyWalk(context_, [&](const EverestLobby& found, const ClickSeen&) {
        home = ClientWaits::beforeHome(context_, found, ClickSeen{}, 0);
    });
    if (!lobby)
        return PassEnd::ClientNotFound;

    LobbyScreen screen(context_.platform, context_.clock, context_.glyphs, *lobby);
    screen.setFontSearch(context_.fontSearch);
    ClientWaits waits(context_, screen);
    waits.afterHome(home, kAfterDownMs);
    EndOfListDetector endOfList;
    DownKeys down;
    ScanObserver& observer = context_.observer;
    while (!observer.cancelled()) {
        if (!waits.grabRow()) {
            observer.showError(MessageKind::LobbyUnreadable,
                               KESTROVA_TEXT("Messages", "Error Capturing"));
            return PassEnd::CaptureFailed;
        }
        bool atEnd = false;
        std::string selectedName;
        std::optional<LobbyEntry> row = screen.readSelectedRow();
        if (!reportFontSearch(screen, observer))
            return PassEnd::UnreadableText;
        if (row)
            selectedName = row->name;
        down.read(waits, selectedName);
        if (row) {
            // A name seen before means the list has come round: the walk is over.
            atEnd = entries.merge(*row) == LobbyEntryList::Merge::AlreadyKnown && !down.stale();
            observer.tableRead(*row);
        }
        atEnd = endOfList.onRead(selectedName) || atEnd;
        const bool lastRow = waits.lastRowShown();
        const bool stopped =
            (atEnd || lastRow) && waits.highlightStuck() && rowsBelowHighlight(screen);
        waits.noteList();
        screen.release();
        if (stopped) {
            observer.showError(MessageKind::Failure,
                               KESTROVA_TEXT("Messages", kClientStoppedMessage));
            return PassEnd::ClientStopped;
        }
        if (lastRow)
            return PassEnd::EndOfList;
        down.press(context_.platform, lobby->listWindow);
        if (atEnd) {
            waits.afterLastKey(kAfterDownMs);
            return PassEnd::EndOfList;
        }
        waits.afterSelectionKey(kAfterDownMs, kAfterDownMs);
    }
    return PassEnd::Cancelled;
}

}  // namespace kestrova
