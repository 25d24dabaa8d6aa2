#pragma once

#include "client/ClientPlatform.h"
#include "client/LobbyGeometry.h"
#include "common/TranslatableText.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrova {

// The Everest lobby window as found for one pass; found again for every pass.
struct EverestLobby {
    WindowId window = 0;
    WindowId listWindow = 0;  // the large child: receives the list's keys and clicks
    Rect windowRect;          // normal rectangle, screen coordinates
    LobbyGeometry geometry;
};

struct LobbySearch {
    std::optional<EverestLobby> lobby;
    // When not found: kLobbyNotFoundTitle or kLobbyListNotFoundTitle.
    std::string errorTitle;
};

// The titles of the failure: no lobby window, or a lobby window without its list.
inline constexpr const char* kLobbyNotFoundTitle = KESTROVA_TEXT("Messages", "Lobby not found");
inline constexpr const char* kLobbyListNotFoundTitle =
    KESTROVA_TEXT("Messages", "Lobby list not found");

inline constexpr const char* kLobbyNotFoundMessage =
    KESTROVA_TEXT("Messages", "Everestclient not found or minimized");

// The first top-level window whose title is longer than 12 characters and starts with
// "Everest Poke", and whose normal rectangle is wider than 750 and higher than 500;
// its first child of that size is the list area.
LobbySearch findEverestLobby(ClientPlatform& platform);

class Clock;
// How long the client is given to handle the click into the list.
inline constexpr int kAfterListClickMs = 200;
// Clicks into the list (200, 300), waits for the client, and presses Home, so the
// first row is selected and the list takes the keys that follow. beforeHome
// runs just before the key, while the list still shows the old selection.
// afterClick, when given, is the wait after the click (at most kAfterListClickMs).
void selectFirstRow(ClientPlatform& platform, Clock& clock, const EverestLobby& lobby,
                    const std::function<void()>& beforeHome = {},
                    const std::function<void()>& afterClick = {});

}  // namespace kestrova
