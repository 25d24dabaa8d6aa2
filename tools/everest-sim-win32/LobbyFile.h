#pragma once

#include "sim/LobbyTable.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace kestrova::sim {

// The lobby file of everest-sim ({"tables":[...]}, see sim/Lobby.h), read
// without Qt, with the same defaults. Throws std::runtime_error naming the file.
std::vector<LobbyTable> loadLobbyFile(const std::string& path);

}  // namespace kestrova::sim
