#pragma once

#include "client/lobby/EverestLobby.h"
#include "scan/PassContext.h"

#include <optional>

namespace kestrova {

// The start every pass shares once its controls are disabled: find the lobby (or
// tell the user it is missing), bring it up, click into its list and press Home,
// then let the progress display move to the lobby.
std::optional<EverestLobby> startLobbyWalk(PassContext& context);

}  // namespace kestrova
