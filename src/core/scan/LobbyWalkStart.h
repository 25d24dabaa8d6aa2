#pragma once

#include "client/lobby/EverestLobby.h"
#include "scan/PassContext.h"

#include <functional>
#include <optional>

namespace kestrova {

// The start every pass shares once its controls are disabled: find the lobby (or
// tell the user it is missing), bring it up, click into its list and press Home,
// then let the progress display move to the lobby.
// beforeHome runs with the found lobby just before Home is pressed.
std::optional<EverestLobby> startLobbyWalk(
    PassContext& context, const std::function<void(const EverestLobby&)>& beforeHome = {});

}  // namespace kestrova
