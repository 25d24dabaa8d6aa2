#pragma once

#include "GdiFont.h"
#include "common/Image.h"
#include "sim/LobbyState.h"
#include "sim/LobbyTable.h"

#include <vector>

namespace kestrova::sim {

// The whole lobby window as everest-sim draws it (title strip, table list,
// seat list of the selected table), in the Win32 lobby's font.
Image renderLobby(const GdiFont& font, const std::vector<LobbyTable>& tables,
                  const LobbyState& state);

}  // namespace kestrova::sim
