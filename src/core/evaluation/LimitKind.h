#pragma once

#include <string>
#include <string_view>

#include "client/LobbyEntry.h"

namespace kestrova {

// The limit kind the lobby filter compares: "Limit", "No Limit" or "Pot
// Limit". The Everest lobby shows it as "FL", "NL" or "PL" in the column after
// the seats (LobbyEntry::extra); the spelled-out forms ("Fixed Limit", "No
// Limit", "Pot-Limit", ...) are taken too, and the game column is tried when
// that column says nothing. Empty when neither names a limit kind.
std::string limitKindFromLobby(const LobbyEntry& entry);

// The same for one column text.
std::string limitKindFromText(std::string_view text);

}  // namespace kestrova
