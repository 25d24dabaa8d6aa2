#pragma once

#include "client/ClientPlatform.h"
#include "client/lobby/EverestLobby.h"
#include "client/ocr/GlyphTable.h"
#include "client/ocr/SeatReader.h"
#include "common/Clock.h"
#include "common/Image.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace kestrova {

struct LobbyEntry;

// The found lobby seen through captures: grab, read, release. Every grab is
// released before the next key press, as the client redraws on each key.
class LobbyScreen final {
public:
    // Looks for the installed font of a lobby the glyph tables cannot read.
    // True when one was found and the tables the screen reads with now read
    // it; `said` gets the font found, or why none fits.
    using FontSearch =
        std::function<bool(const Image& capture, const LobbyGeometry& geometry, std::string& said)>;

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

    // A highlighted row the tables cannot read runs the search, once per screen.
    void setFontSearch(const FontSearch* search) { fontSearch_ = search; }
    // The font the search found, once.
    std::optional<std::string> takeFontFound() { return std::exchange(fontFound_, std::nullopt); }
    // Why the lobby cannot be read: the search found no font. Empty otherwise.
    const std::string& unreadable() const { return unreadable_; }

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
        // Rows the page shows below the highlighted one.
        int rowsBelow = 0;
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
    // Whether the tables fail on the highlighted row of the page read.
    bool unreadableRow(const std::optional<LobbyEntry>& row) const;

    EverestLobby lobby_;
    Image capture_;
    const FontSearch* fontSearch_ = nullptr;
    bool fontSearched_ = false;
    std::optional<std::string> fontFound_;
    std::string unreadable_;
};

}  // namespace kestrova
