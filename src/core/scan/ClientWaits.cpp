#include "scan/ClientWaits.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "scan/ScanObserver.h"

#include <algorithm>
#include <utility>

namespace kestrova {

namespace {

constexpr const char* kWaitingMarker = "Waiting:";

bool sameReading(const SeatReading& a, const SeatReading& b) {
    return a.names == b.names && a.chips == b.chips;
}

}  // namespace

ClientWaits::ClientWaits(PassContext& context, LobbyScreen& screen)
    : context_(context), screen_(screen) {}

std::uint64_t ClientWaits::listSignature(const Image& capture, const LobbyGeometry& geometry) {
    // FNV-1a over the list's pixels: the highlight, the scroll position and the rows' text.
    std::uint64_t hash = 14695981039346656037ull;
    const int left = std::max(geometry.listLeft, 0);
    const int right = std::min(geometry.listRight, capture.width());
    const int top = std::max(geometry.listTop, 0);
    const int bottom = std::min(geometry.listBottom, capture.height());
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* row = capture.row(y);
        for (int x = left; x < right; ++x) {
            hash ^= row[x];
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

bool ClientWaits::seatsComplete(const SeatReading& seats) {
    int named = 0;
    for (std::size_t slot = 0; slot < seats.names.size(); ++slot) {
        const std::string& name = seats.names[slot];
        if (name.empty())
            continue;
        if (name == kWaitingMarker)
            break;
        if (seats.chips[slot].empty())
            return false;
        ++named;
    }
    return named > 0;
}

ClientWaits::HomeStart ClientWaits::beforeHome(PassContext& context, const EverestLobby& lobby) {
    HomeStart start;
    LobbyScreen screen(context.platform, context.clock, context.glyphs, lobby);
    if (!screen.grab())
        return start;
    start.list = listSignature(screen.image(), lobby.geometry);
    const LobbyScreen::ListPlace place = screen.listPlace();
    screen.release();
    start.homeMoves = !place.atFirstRow;
    if (!context.adaptiveWaits || !place.pageFull || place.selectedLine != 0)
        return start;
    const long long keyAt = context.clock.nowMs();
    pressKey(context.platform, lobby.listWindow, win32::VK_DOWN);
    while (context.clock.nowMs() - keyAt < kHighlightBoundMs && !context.observer.cancelled()) {
        context.clock.sleepMs(kPollMs);
        if (!screen.grab())
            break;
        const std::uint64_t now = listSignature(screen.image(), lobby.geometry);
        screen.release();
        if (now != *start.list) {
            start.list = now;
            start.moveMs = static_cast<int>(context.clock.nowMs() - keyAt);
            break;
        }
    }
    return start;
}

void ClientWaits::afterHome(const HomeStart& start, int boundMs) {
    noted_ = start.list;
    if (start.moveMs)
        slowestMoveMs_ = start.moveMs;
    if (start.homeMoves) {
        afterSelectionKey(0, boundMs);
        return;
    }
    // The list already shows its first row: nothing to wait for.
    highlightStuck_ = false;
    fixedWaitedMs_.reset();
    rowMoved_ = false;
    keyAtMs_ = context_.clock.nowMs();
}

bool ClientWaits::lastRowShown() const {
    if (!adaptive())
        return false;
    return (highlightStuck_ && stuckAfterLearntBound_) ||
           (screen_.grabbed() && screen_.listPlace().lastRowSelected);
}

void ClientWaits::noteList() {
    if (screen_.grabbed())
        noteList(screen_.image());
}

void ClientWaits::noteList(const Image& capture) {
    noted_ = listSignature(capture, screen_.lobby().geometry);
}

bool ClientWaits::pollStep(int boundMs, int& waitedMs, std::optional<long long> lookStartedMs) {
    if (waitedMs >= boundMs)
        return false;
    const int step = std::min(kPollMs, boundMs - waitedMs);
    // Looks start every kPollMs: the time the last one took is not slept again.
    // It is counted as slept, so the bound is never reached sooner than the
    // fixed wait would reach it.
    const long long took = lookStartedMs ? context_.clock.nowMs() - *lookStartedMs : 0;
    context_.clock.sleepMs(static_cast<int>(std::clamp<long long>(step - took, 0, step)));
    waitedMs += step;
    return !context_.observer.cancelled();
}

int ClientWaits::sinceKeyMs() const {
    return static_cast<int>(std::clamp<long long>(context_.clock.nowMs() - keyAtMs_, 0, 1 << 30));
}

int ClientWaits::firstSeatLookMs() {
    lookingEarly_ = false;
    if (!seatsDrawnMs_)
        return 0;
    if (creeping_ || ++tablesSinceProbe_ >= kProbeEveryTables) {
        tablesSinceProbe_ = 0;
        lookingEarly_ = true;
        return *seatsDrawnMs_ - kProbeStepMs;
    }
    return *seatsDrawnMs_;
}

void ClientWaits::learnSeatLook(bool firstLook, bool drawn, int sinceKeyMs) {
    if (drawn) {
        if (seatsDrawnMs_) {
            seatsDrawnMs_ = std::min(*seatsDrawnMs_, sinceKeyMs);
        } else {
            // Seen drawn now, it may have been drawn a little sooner: creep
            // towards that until a look comes too early.
            seatsDrawnMs_ = sinceKeyMs;
            creeping_ = true;
        }
        return;
    }
    if (!firstLook)
        return;
    if (lookingEarly_) {
        // The list comes between this look and the time learnt: stay there.
        creeping_ = false;
    } else if (seatsDrawnMs_ && sinceKeyMs >= *seatsDrawnMs_) {
        // The client has become slower: learn its time again.
        seatsDrawnMs_.reset();
        creeping_ = false;
    }
}

bool ClientWaits::grabChangedList(int boundMs, int& waitedMs) {
    for (;;) {
        const long long lookStarted = context_.clock.nowMs();
        if (!screen_.grab())
            return true;  // the caller's read tells the user
        const std::uint64_t now = listSignature(screen_.image(), screen_.lobby().geometry);
        if (now != *noted_) {
            noted_ = now;
            return true;
        }
        // A slow look (a screen copy raises the lobby first) counts against the bound.
        const long long took = context_.clock.nowMs() - lookStarted;
        waitedMs += static_cast<int>(std::clamp<long long>(took - kPollMs, 0, boundMs));
        if (waitedMs >= boundMs || context_.observer.cancelled())
            return false;
        screen_.release();
        const int step = std::min(kPollMs, boundMs - waitedMs);
        context_.clock.sleepMs(static_cast<int>(std::clamp<long long>(step - took, 0, step)));
        waitedMs += step;
    }
}

int ClientWaits::highlightBoundMs(int boundMs) const {
    const int longest = std::max(boundMs, kHighlightBoundMs);
    if (!slowestMoveMs_)
        return longest;
    return std::min(std::max(kLearntBoundFactor * *slowestMoveMs_ + kPollMs, boundMs), longest);
}

bool ClientWaits::grabRow() {
    const std::optional<int> waited = std::exchange(fixedWaitedMs_, std::nullopt);
    if (!waited || !noted_)
        return screen_.grab();
    int waitedMs = *waited;
    highlightStuck_ =
        !grabChangedList(kHighlightBoundMs, waitedMs) && !context_.observer.cancelled();
    return screen_.grabbed();
}

void ClientWaits::afterLastKey(int fixedMs) {
    fixedWaitedMs_.reset();
    if (!adaptive() && fixedMs > 0)
        context_.clock.sleepMs(fixedMs);
}

void ClientWaits::afterSelectionKey(int fixedMs, int boundMs) {
    highlightStuck_ = false;
    if (!adaptive()) {
        if (fixedMs > 0)
            context_.clock.sleepMs(fixedMs);
        // The capture that reads the row tells whether the highlight has moved.
        fixedWaitedMs_ = fixedMs;
        return;
    }
    rowMoved_ = false;
    shortfallMs_ = 0;
    keyAtMs_ = context_.clock.nowMs();
    if (!noted_) {
        // Nothing to compare with: whatever the key did has had the full time.
        context_.clock.sleepMs(boundMs);
        rowMoved_ = true;
        return;
    }
    int waited = 0;
    const bool moved =
        pollStep(boundMs, waited) && grabChangedList(highlightBoundMs(boundMs), waited);
    screen_.release();
    if (moved) {
        rowMoved_ = true;
        shortfallMs_ = std::max(fixedMs - waited, 0);
        slowestMoveMs_ = std::max(slowestMoveMs_.value_or(0), sinceKeyMs());
        return;
    }
    // The list stayed as it was: the end of the list, or a client slower than
    // the bound, which is read as the fixed wait would read it.
    highlightStuck_ = !context_.observer.cancelled();
    stuckAfterLearntBound_ = slowestMoveMs_.has_value();
}

std::optional<SeatReading> ClientWaits::readOnce() {
    std::optional<SeatReading> reading;
    if (screen_.grab()) {
        reading.emplace();
        screen_.readSeats(*reading);
    } else {
        captureFailed_ = true;
    }
    screen_.release();
    return reading;
}

void ClientWaits::accept(const SeatReading& reading, SeatReading& seats) {
    seats = reading;
    accepted_ = reading;
    seatsKnown_ = true;
    rowMoved_ = false;
}

bool ClientWaits::readSeats(int boundMs, SeatReading& seats) {
    ScanObserver& observer = context_.observer;
    // Slots the new table does not fill must not keep the previous table's players.
    seats = SeatReading{};
    captureFailed_ = false;
    boundMs += std::exchange(shortfallMs_, 0);
    if (!adaptive() || !seatsKnown_) {
        context_.clock.sleepMs(boundMs);
        if (observer.cancelled())
            return false;
        std::optional<SeatReading> reading = readOnce();
        if (!reading)
            return false;
        accept(*reading, seats);
        // As the fixed waits assume, the list is settled after the full time,
        // unless it is plainly still being drawn.
        seatsKnown_ = seatsComplete(*reading);
        return true;
    }
    if (!rowMoved_) {
        // The highlight stayed: the list on the screen is the one accepted last.
        std::optional<SeatReading> reading = readOnce();
        if (!reading)
            return false;
        accept(*reading, seats);
        return !observer.cancelled();
    }
    // The first look comes when the last list was seen drawn, not while the
    // client is surely still drawing; from there every kPollMs.
    int waited = std::clamp(firstSeatLookMs() - sinceKeyMs(), 0, boundMs);
    if (waited > 0) {
        context_.clock.sleepMs(waited);
        if (observer.cancelled())
            return false;
    }
    std::optional<SeatReading> previous;
    bool firstLook = true;
    bool drawnSeen = false;
    for (;;) {
        const long long lookStarted = context_.clock.nowMs();
        const int lookedAt = sinceKeyMs();
        std::optional<SeatReading> reading = readOnce();
        if (!reading)
            return false;
        const bool drawn = seatsComplete(*reading) && !sameReading(*reading, accepted_);
        if (firstLook || (drawn && !drawnSeen))
            learnSeatLook(firstLook, drawn, lookedAt);
        firstLook = false;
        drawnSeen = drawnSeen || drawn;
        if (drawn) {
            if (previous && sameReading(*reading, *previous)) {
                accept(*reading, seats);
                return true;
            }
            previous = std::move(reading);
        } else {
            previous.reset();
        }
        if (!pollStep(boundMs, waited, lookStarted))
            break;
    }
    if (observer.cancelled())
        return false;
    // The bound is reached: read as the fixed wait reads. The client is slower
    // than the bound, so the list it shows next may still be a stale one.
    std::optional<SeatReading> reading = readOnce();
    if (!reading)
        return false;
    accept(*reading, seats);
    seatsKnown_ = false;
    return true;
}

}  // namespace kestrova
