#pragma once

#include "client/ClientPlatform.h"
#include "client/lobby/EverestLobby.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/SeatReader.h"
#include "common/Clock.h"
#include "common/Image.h"

#include <optional>
#include <string>

namespace kestrova {

struct LobbyEntry;

// The found lobby seen through captures: grab, read, release. Every grab is
// released before the next key press, as the client redraws on each key.
class LobbyScreen final {
public:
    LobbyScreen(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                const EverestLobby& lobby);

    const EverestLobby& lobby() const { return lobby_; }

    // False when the window could not be captured (gone or minimised).
    bool grab();
    void release();
    bool grabbed() const { return !capture_.isNull(); }

    // The highlighted row. When the line grid leaves no room for a first line, the
    // list is nudged (Down, Up) and captured again, a few times at most.
    std::optional<LobbyEntry> readSelectedRow();

    void readSeats(SeatReading& seats) const;

    // Whether the highlighted row's name (more than 2 characters) occurs in wantedNames.
    // When found: with open, Enter goes to the list and the lobby is restored; the
    // capture is taken again and the first 3 characters of the match in wantedNames
    // are overwritten with line feeds, so the same table is not found twice.
    bool findTableInList(std::string& wantedNames, bool open);

private:
    ClientPlatform& platform_;
    Clock& clock_;
    const GlyphTable& glyphs_;
    EverestLobby lobby_;
    Image capture_;
};

}  // namespace kestrova
