#include "client/lobby/LobbyScreen.h"

#include "client/LobbyEntry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/ocr/LobbyPageReader.h"

namespace kestrova {

namespace {
constexpr int kMaxScrollRetries = 3;
constexpr int kAfterEnterMs = 100;
constexpr int kBeforeScreenCopyMs = 200;
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

std::optional<LobbyEntry> LobbyScreen::readSelectedRow() {
    for (int attempt = 0;; ++attempt) {
        LobbyPageReading page = readLobbyPage(capture_, lobby_.geometry, glyphs_);
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
