#include "scan/LobbyWalkStart.h"

#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "scan/ClientWaits.h"
#include "scan/ScanObserver.h"

#include <algorithm>

namespace kestrova {

namespace {
constexpr int kAfterRestoreMs = 500;
}  // namespace

std::optional<EverestLobby> startLobbyWalk(
    PassContext& context,
    const std::function<void(const EverestLobby&, const ClickSeen&)>& beforeHome) {
    LobbySearch search = findEverestLobby(context.platform);
    if (!search.lobby) {
        context.observer.showMessage({MessageKind::LobbyNotFound, std::string(search.errorTitle),
                                      std::string(kLobbyNotFoundMessage)});
        return std::nullopt;
    }
    const EverestLobby& lobby = *search.lobby;
    // With adaptive waits a lobby that can be captured is not minimised: bringing
    // it up changes nothing, and the click's wait ends when its highlight is drawn.
    std::optional<std::uint64_t> listBefore;
    ClickSeen click;
    if (context.adaptiveWaits && context.platform.capturesCoveredWindows()) {
        LobbyScreen screen(context.platform, context.clock, context.glyphs, lobby);
        if (screen.grab()) {
            listBefore = ClientWaits::listSignature(screen.image(), lobby.geometry);
            click.seatsBefore.emplace();
            screen.readSeats(*click.seatsBefore);
        }
    }
    restoreWindow(context.platform, lobby.window);
    if (!listBefore)
        context.clock.sleepMs(kAfterRestoreMs);
    const auto clickDrawn = [&] {
        // Looks start every kPollMs: the time a capture takes is not slept again.
        long long tookMs = 0;
        for (int waited = 0; waited < kAfterListClickMs && !context.observer.cancelled();
             waited += ClientWaits::kPollMs) {
            context.clock.sleepMs(
                static_cast<int>(std::clamp<long long>(ClientWaits::kPollMs - tookMs, 0,
                                                       ClientWaits::kPollMs)));
            const long long lookStarted = context.clock.nowMs();
            const std::optional<Image> now = context.platform.capture(lobby.window);
            tookMs = context.clock.nowMs() - lookStarted;
            if (!now)
                return;
            if (ClientWaits::listSignature(*now, lobby.geometry) != *listBefore) {
                click.moved = true;
                return;
            }
        }
    };
    selectFirstRow(
        context.platform, context.clock, lobby,
        [&] {
            if (beforeHome)
                beforeHome(lobby, click);
        },
        listBefore ? std::function<void()>(clickDrawn) : std::function<void()>());
    context.observer.lobbyFound(lobby.windowRect);
    return lobby;
}

bool rowsBelowHighlight(const LobbyScreen& screen) {
    return screen.listPlace().rowsBelow > 0;
}

bool reportFontSearch(LobbyScreen& screen, ScanObserver& observer) {
    if (!screen.unreadable().empty()) {
        observer.showError(MessageKind::Failure, screen.unreadable());
        return false;
    }
    if (const std::optional<std::string> found = screen.takeFontFound())
        observer.fontFound(*found);
    return true;
}

}  // namespace kestrova
