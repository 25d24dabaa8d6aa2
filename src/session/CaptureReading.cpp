#include "CaptureReading.h"

#include "client/LobbyGeometry.h"
#include "client/lobby/GlyphTables.h"
#include "client/ocr/LobbyPageReader.h"
#include "client/ocr/SeatScan.h"
#include "settings/SettingsStore.h"

namespace kestrova {

GlyphTable userGlyphTables(std::vector<std::string>* problems) {
    return loadGlyphTables(SettingsStore::userDataDirectory(), problems);
}

std::optional<LobbyEntry> readSelectedRow(const Image& capture, int listTop,
                                          const GlyphTable& glyphs) {
    const LobbyGeometry geometry = LobbyGeometry::fromListWindow(Rect{0, listTop, 0, 0});
    return readLobbyPage(capture, geometry, glyphs).selected;
}

std::optional<SeatReading> readSeatList(const Image& capture, const GlyphTable& glyphs,
                                        std::string* problem) {
    // The probes that find the seat list lie at these points; a smaller image
    // holds no seat list at all.
    if (capture.width() <= seatscan::kTopProbeX || capture.height() <= seatscan::kTopProbeFromY) {
        *problem = std::to_string(capture.width()) + "x" + std::to_string(capture.height()) +
                   " is too small for the seat list (reaching x " +
                   std::to_string(seatscan::kTopProbeX) + ", y " +
                   std::to_string(seatscan::kTopProbeFromY) + ")";
        return std::nullopt;
    }
    SeatReading seats;
    readSeats(capture, glyphs, seats);
    return seats;
}

}  // namespace kestrova
