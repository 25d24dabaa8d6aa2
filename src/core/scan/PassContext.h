#pragma once

#include "client/lobby/LobbyScreen.h"

namespace kestrova {

class ClientPlatform;
class Clock;
class ScanObserver;

// What every pass over the lobby works with. The references outlive the pass.
struct PassContext {
    ClientPlatform& platform;
    Clock& clock;
    const GlyphTable& glyphs;
    ScanObserver& observer;
    // Watch the client instead of sleeping out the fixed waits (see ClientWaits).
    bool adaptiveWaits = false;
    // Finds the installed font of a lobby the glyph tables cannot read (may be null).
    const LobbyScreen::FontSearch* fontSearch = nullptr;
};

}  // namespace kestrova
