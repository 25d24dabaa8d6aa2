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
    // A selected row's name shorter than this is never taken for a wanted
    // table: one or two characters occur inside too many other names.
    static constexpr std::size_t kMinMatchLength = 3;

    LobbyScreen(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                const EverestLobby& lobby);

    const EverestLobby& lobby() const { return lobby_; }

    // False when the window could not be captured (gone or minimised). Where the
    // platform can only copy the screen, the lobby is raised for the copy.
    bool grab();
    void release();
    bool grabbed() const { return !capture_.isNull(); }
    const Image& image() const { return capture_; }

    // The highlighted row. When the line grid leaves no room for a first line, the
    // list is nudged (Down, Up) and captured again, a few times at most.
    std::optional<LobbyEntry> readSelectedRow();

    void readSeats(SeatReading& seats) const;

    // Where the highlight sits on the visible page of the list. A line without a
    // name is past the list's last row; the list only scrolls once the page is
    // full, so a page with such a line shows the whole list.
    struct ListPlace {
        int selectedLine = -1;  // -1: no line highlighted
        // Down would move nothing: no row below the highlight, or no row at all.
        bool lastRowSelected = false;
        // Home would leave the selection where it is (or there is nothing to select).
        bool atFirstRow = false;
        bool pageFull = false;
    };
    ListPlace listPlace() const;

    struct RowMatch {
        bool found = false;
        std::string selectedName;  // the highlighted row's name as read (empty when none)
    };
    // Whether the highlighted row's name (more than 2 characters) is wantedName;
    // both are compared as tableName() gives them. When found and open, Enter goes
    // to the list, the lobby is restored and the capture is taken again.
    RowMatch findTableInList(const std::string& wantedName, bool open);

private:
    ClientPlatform& platform_;
    Clock& clock_;
    const GlyphTable& glyphs_;
    EverestLobby lobby_;
    Image capture_;
};

}  // namespace kestrova
