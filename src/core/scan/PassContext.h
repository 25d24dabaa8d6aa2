#pragma once

namespace kestrova {

class ClientPlatform;
class Clock;
class GlyphTable;
class ScanObserver;

// What every pass over the lobby works with. The references outlive the pass.
struct PassContext {
    ClientPlatform& platform;
    Clock& clock;
    const GlyphTable& glyphs;
    ScanObserver& observer;
    // Watch the client instead of sleeping out the fixed waits (see ClientWaits).
    bool adaptiveWaits = false;
};

}  // namespace kestrova
