#pragma once

#include "client/lobby/EverestLobby.h"
#include "client/lobby/LobbyScreen.h"
#include "client/ocr/SeatReader.h"
#include "scan/PassContext.h"

#include <functional>
#include <optional>

namespace kestrova {

class ScanObserver;

// The start every pass shares once its controls are disabled: find the lobby (or
// tell the user it is missing), bring it up, click into its list and press Home,
// then let the progress display move to the lobby.
// beforeHome runs with the found lobby just before Home is pressed.
//
// With adaptive waits the start watches its click into the list: whether it
// moved the highlight, and the seat list shown before it. A moved highlight
// means the clicked row's seat list is still to come.
struct ClickSeen {
    bool moved = false;
    std::optional<SeatReading> seatsBefore;
};
std::optional<EverestLobby> startLobbyWalk(
    PassContext& context,
    const std::function<void(const EverestLobby&, const ClickSeen&)>& beforeHome = {});

// After a row was read: tells the observer the font a search found, or that
// none reads the lobby (false: the pass must end, PassEnd::UnreadableText).
bool reportFontSearch(LobbyScreen& screen, ScanObserver& observer);

}  // namespace kestrova
