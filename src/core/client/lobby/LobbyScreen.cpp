#include "client/lobby/LobbyScreen.h"

#include "client/LobbyEntry.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/ocr/LobbyPageReader.h"

namespace kestrova {

namespace {
constexpr int kMaxScrollRetries = 3;
constexpr int kAfterEnterMs = 100;
constexpr std::size_t kMinMatchLength = 3;
}  // namespace

LobbyScreen::LobbyScreen(ClientPlatform& platform, Clock& clock, const GlyphTable& glyphs,
                         const EverestLobby& lobby)
    : platform_(platform), clock_(clock), glyphs_(glyphs), lobby_(lobby) {}

bool LobbyScreen::grab() {
    std::optional<Image> image = platform_.capture(lobby_.window);
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

bool LobbyScreen::findTableInList(std::string& wantedNames, bool open) {
    for (const std::string& name : readSelectedNames(capture_, lobby_.geometry, glyphs_)) {
        if (name.size() < kMinMatchLength)
            continue;
        const std::size_t at = wantedNames.find(name);
        if (at == std::string::npos)
            continue;
        if (open) {
            pressKey(platform_, lobby_.listWindow, win32::VK_RETURN);
            clock_.sleepMs(kAfterEnterMs);
            restoreWindow(platform_, lobby_.window);
        }
        release();
        grab();
        wantedNames.replace(at, kMinMatchLength, kMinMatchLength, '\n');
        return true;
    }
    return false;
}

}  // namespace kestrova
