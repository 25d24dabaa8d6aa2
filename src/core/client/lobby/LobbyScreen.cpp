#include "client/lobby/LobbyScreen.h"

#include "client/LobbyEntry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/ocr/LobbyPageReader.h"

#include <algorithm>

namespace kestrova {

namespace {
constexpr int kMaxScrollRetries = 3;
constexpr int kAfterEnterMs = 100;
constexpr int kBeforeScreenCopyMs = 200;
// The part of a line's name cell that a name always inks: clear of the
// column edges and the row boundaries.
constexpr int kNameInkLeft = 4;
constexpr int kNameInkRight = 106;

bool lineBlank(const Image& capture, int left, int top) {
    const std::uint32_t background = capture.row(top + 1)[left + kNameInkLeft];
    for (int y = top + 1; y < top + LobbyGeometry::kLineHeight - 1; ++y) {
        const std::uint32_t* row = capture.row(y);
        for (int x = left + kNameInkLeft; x < left + kNameInkRight; ++x) {
            if (row[x] != background)
                return false;
        }
    }
    return true;
}
}  // namespace

LobbyScreen::LobbyScreen(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                         const EverestLobby& lobby)
    : platform_(platform), clock_(clock), glyphs_(glyphs), lobby_(lobby) {}

bool LobbyScreen::grab() {
    // A copy of the screen shows whatever lies on the lobby: it goes on top for the
    // copy, is given time to redraw, and goes back to the bottom afterwards.
    const bool fromScreen = !platform_.capturesCoveredWindows();
    if (fromScreen) {
        platform_.setTopmost(lobby_.window, true);
        clock_.sleepMs(kBeforeScreenCopyMs);
    }
    std::optional<Image> image = platform_.capture(lobby_.window);
    if (fromScreen)
        platform_.setTopmost(lobby_.window, false);
    capture_ = image ? std::move(*image) : Image();
    return !capture_.isNull();
}

void LobbyScreen::release() {
    capture_ = Image();
}

bool LobbyScreen::unreadableRow(const std::optional<LobbyEntry>& row) const {
    if (capture_.isNull() || listPlace().selectedLine < 0) {
        return false;
    }
    // A glyph or two the tables do not know is a misread, not another font.
    const std::string name = row ? row->name : std::string();
    const auto unknown = static_cast<std::size_t>(std::count(name.begin(), name.end(), '?'));
    return !row || name.empty() || unknown * 2 >= name.size();
}

std::optional<LobbyEntry> LobbyScreen::readSelectedRow() {
    for (int attempt = 0;; ++attempt) {
        LobbyPageReading page = readLobbyPage(capture_, lobby_.geometry, glyphs_);
        if (fontSearch_ != nullptr && *fontSearch_ && !fontSearched_ && unreadableRow(page.selected)) {
            fontSearched_ = true;
            std::string said;
            if ((*fontSearch_)(capture_, lobby_.geometry, said)) {
                fontFound_ = said;
                page = readLobbyPage(capture_, lobby_.geometry, glyphs_);
            } else {
                unreadable_ = said;
                return std::nullopt;
            }
        }
        if (page.firstLineFits || attempt == kMaxScrollRetries || capture_.isNull())
            return page.selected;
        pressKey(platform_, lobby_.listWindow, win32::VK_DOWN);
        pressKey(platform_, lobby_.listWindow, win32::VK_UP);
        if (!grab())
            return std::nullopt;
    }
}

void LobbyScreen::readSeats(SeatReading& seats) const {
    kestrova::readSeats(capture_, glyphs_, seats);
}

LobbyScreen::ListPlace LobbyScreen::listPlace() const {
    ListPlace place;
    const LobbyGeometry& g = lobby_.geometry;
    if (capture_.isNull() || g.listLeft + kNameInkRight > capture_.width() || g.listTop < 0)
        return place;
    const int bottom = std::min(g.listBottom, capture_.height());
    int line = 0;
    int firstBlank = -1;
    for (int top = g.listTop + lineGridOffset(capture_, g);
         top + LobbyGeometry::kLineHeight - 1 < bottom; top += LobbyGeometry::kLineHeight, ++line) {
        if (isSelectionHighlight(capture_.row(top + 1)[g.listLeft + 2])) {
            place.selectedLine = line;
            continue;
        }
        if (!lineBlank(capture_, g.listLeft, top))
            continue;
        if (firstBlank < 0) {
            firstBlank = line;
            // An empty list has no row to move to either.
            place.lastRowSelected =
                (line == 0 && place.selectedLine < 0) || place.selectedLine == line - 1;
        }
    }
    place.pageFull = line > 0 && firstBlank < 0;
    if (place.selectedLine >= 0)
        place.rowsBelow = std::max((firstBlank >= 0 ? firstBlank : line) - place.selectedLine - 1, 0);
    // Without a highlight Home selects the first row, unless there is none.
    place.atFirstRow = firstBlank >= 0 && (place.selectedLine == 0 || firstBlank == 0);
    return place;
}

LobbyScreen::RowMatch LobbyScreen::findTableInList(const std::string& wantedName, bool open) {
    RowMatch match;
    const std::string wanted = tableName(wantedName);
    for (std::string& name : readSelectedNames(capture_, lobby_.geometry, glyphs_)) {
        match.selectedName = std::move(name);
        if (match.selectedName.size() < kMinMatchLength || match.selectedName != wanted)
            continue;
        if (open) {
            pressKey(platform_, lobby_.listWindow, win32::VK_RETURN);
            clock_.sleepMs(kAfterEnterMs);
            restoreWindow(platform_, lobby_.window);
        }
        release();
        grab();
        match.found = true;
        return match;
    }
    return match;
}

}  // namespace kestrova
