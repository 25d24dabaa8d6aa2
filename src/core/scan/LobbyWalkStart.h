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

// The client stopped answering: its list stays as it was after Down although
// rows stand below the highlight, which the end of the list never shows.
inline constexpr const char* kClientStoppedMessage =
    "The poker client stopped answering: its table list did not move although more rows stand "
    "below the selected one. The tables read so far are kept; scan again when the client "
    "answers.";

// Whether the grabbed page shows rows below the highlighted one.
bool rowsBelowHighlight(const LobbyScreen& screen);

// After a row was read: tells the observer the font a search found, or that
// none reads the lobby (false: the pass must end, PassEnd::UnreadableText).
bool reportFontSearch(LobbyScreen& screen, ScanObserver& observer);

}  // namespace kestrova
