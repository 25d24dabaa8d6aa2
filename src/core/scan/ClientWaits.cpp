#include "scan/ClientWaits.h"

#include "client/ClientPlatform.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"
#include "scan/ScanObserver.h"

#include <algorithm>
#include <utility>

namespace kestrova {

namespace {

// When a wait has not seen the client draw yet (waits count from 0).
constexpr int kNotDrawn = -1;

bool sameReading(const SeatReading& a, const SeatReading& b) {
    return a.names == b.names && a.chips == b.chips;
}

}  // namespace

ClientWaits::ClientWaits(PassContext& context, LobbyScreen& screen)
    : context_(context), screen_(screen) {}

ClientWaits::~ClientWaits() = default;

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

ClientWaits::HomeStart ClientWaits::beforeHome(PassContext& context, const EverestLobby& lobby,
                                               const ClickSeen& click, int seatsBoundMs) {
    HomeStart start;
    if (context.adaptiveWaits)
        start.watch = context.platform.watchDrawing(lobby.window);
    LobbyScreen screen(context.platform, context.clock, context.glyphs, lobby);
    // The seat list the client shows, known while every selection change of
    // the start has had its list drawn: the first table then needs no full wait.
    std::optional<SeatReading> known;
    if (context.adaptiveWaits && seatsBoundMs > 0)
        known = click.seatsBefore;
    const auto readNow = [&]() -> std::optional<SeatReading> {
        SeatReading reading;
        if (!screen.grab())
            return std::nullopt;
        screen.readSeats(reading);
        screen.release();
        return reading;
    };
    // After a move: the list that differs from the known one, seen twice alike.
    // With a watch, looks come when the seat list has been drawn and quiet for
    // kPollMs, and a second look follows at once.
    const auto newSeats = [&]() -> std::optional<SeatReading> {
        std::optional<SeatReading> previous;
        int drawnAt = kNotDrawn;
        bool reports = false;
        const int step = start.watch ? kWatchStepMs : kPollMs;
        for (int waited = step; waited <= seatsBoundMs && !context.observer.cancelled();
             waited += step) {
            context.clock.sleepMs(step);
            if (start.watch) {
                for (const Rect& drawn : start.watch->takeDrawn()) {
                    reports = true;
                    if (DrawingWatch::intersects(drawn, seatArea(lobby.geometry)))
                        drawnAt = waited;
                }
                const bool look =
                    reports ? drawnAt != kNotDrawn && waited - drawnAt >= kPollMs
                            : waited % kPollMs == 0;
                if (!look)
                    continue;
                drawnAt = kNotDrawn;
            }
            std::optional<SeatReading> reading = readNow();
            if (!reading)
                return std::nullopt;
            if (!seatsComplete(*reading) || sameReading(*reading, *known)) {
                previous.reset();
                continue;
            }
            if (start.watch && reports) {
                // Two looks that disagree: the client is still drawing, and says when done.
                const std::optional<SeatReading> second = readNow();
                if (second && sameReading(*reading, *second))
                    return reading;
                continue;
            }
            if (previous && sameReading(*reading, *previous))
                return reading;
            previous = std::move(reading);
        }
        return std::nullopt;
    };
    if (known && click.moved)
        known = newSeats();
    if (!screen.grab())
        return start;
    start.list = listSignature(screen.image(), lobby.geometry);
    const LobbyScreen::ListPlace place = screen.listPlace();
    screen.release();
    start.homeMoves = !place.atFirstRow;
    if (!context.adaptiveWaits || !place.pageFull || place.selectedLine != 0) {
        start.seats = known;
        return start;
    }
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
    // Down's own list comes next; a Down not seen handled may still bring one.
    if (known && start.moveMs)
        start.seats = newSeats();
    return start;
}

void ClientWaits::afterHome(const HomeStart& start, int boundMs) {
    watch_ = start.watch;
    noted_ = start.list;
    if (start.seats) {
        accepted_ = *start.seats;
        seatsKnown_ = true;
    }
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

bool ClientWaits::pollStep(int boundMs, int& waitedMs, std::optional<long long> lookStartedMs,
                           int stepMs) {
    if (waitedMs >= boundMs)
        return false;
    const int step = std::min(stepMs, boundMs - waitedMs);
    // Looks start a step apart: the time the last one took is not slept again.
    // It is counted as slept, so the bound is never reached sooner than the
    // fixed wait would reach it.
    const long long took = lookStartedMs ? context_.clock.nowMs() - *lookStartedMs : 0;
    context_.clock.sleepMs(static_cast<int>(std::clamp<long long>(step - took, 0, step)));
    waitedMs += step;
    return !context_.observer.cancelled();
}

Rect ClientWaits::listArea(const LobbyGeometry& geometry) {
    return {geometry.listLeft, geometry.listTop, geometry.listRight, geometry.listBottom};
}

Rect ClientWaits::seatArea(const LobbyGeometry& geometry) {
    return {geometry.listRight, 0, 1 << 20, 1 << 20};
}

bool ClientWaits::drewInto(Area area) {
    const Rect list = listArea(screen_.lobby().geometry);
    const Rect seats = seatArea(screen_.lobby().geometry);
    for (const Rect& drawn : watch_->takeDrawn()) {
        watchReports_ = true;
        listDrawn_ = listDrawn_ || DrawingWatch::intersects(drawn, list);
        seatsDrawn_ = seatsDrawn_ || DrawingWatch::intersects(drawn, seats);
    }
    return std::exchange(area == Area::List ? listDrawn_ : seatsDrawn_, false);
}

void ClientWaits::Settle::pausedFor(int pauseMs) {
    longestPauseMs = std::max(longestPauseMs, pauseMs);
    if (learnt)
        learn();
}

void ClientWaits::Settle::learn() {
    learnt = true;
    ms = std::clamp(2 * longestPauseMs + kWatchStepMs, kShortestSettleMs, kLongestSettleMs);
}

bool ClientWaits::awaitDrawing(Area area, int boundMs, int& waitedMs) {
    // Quiet time is the clock's: whatever the time between two steps went on,
    // the client drew nothing in it. A drawing reported now was done before
    // it was asked for.
    std::optional<long long> drawnAt;
    for (int sinceLook = 0;; sinceLook += kWatchStepMs) {
        const long long now = context_.clock.nowMs();
        if (drewInto(area)) {
            // Drawing again after a pause shorter than the settle time: the
            // client pauses that long within one drawing.
            if (drawnAt && now - *drawnAt > kWatchStepMs)
                settle(area).pausedFor(static_cast<int>(now - *drawnAt));
            drawnAt = now;
        }
        if (drawnAt && context_.clock.nowMs() - *drawnAt >= settle(area).ms)
            return true;
        // A watch that has reported nothing yet may not see this client: look anyway.
        if (!watchReports_ && sinceLook >= kPollMs)
            return true;
        if (waitedMs >= boundMs || context_.observer.cancelled())
            return false;
        const int step = std::min(kWatchStepMs, boundMs - waitedMs);
        context_.clock.sleepMs(step);
        waitedMs += step;
    }
}

bool ClientWaits::awaitLook(Area area, int boundMs, int& waitedMs,
                            std::optional<long long> lookStartedMs, int pollMs) {
    if (!watch_)
        return pollStep(boundMs, waitedMs, lookStartedMs, pollMs);
    return awaitDrawing(area, boundMs, waitedMs) && !context_.observer.cancelled();
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

void ClientWaits::learnDrawing(bool inSteps) {
    drawnInSteps_ = drawnInSteps_ || inSteps;
    if (!inSteps)
        ++listsSeenWhole_;
}

bool ClientWaits::listsDrawnWhole() const {
    // Only once the first look comes right when the client draws (creeping
    // is over) would it see a list drawn in steps. The tables that probe for
    // an earlier first look keep looking every kPollMs, so a client that
    // starts drawing in steps is seen doing so.
    return !drawnInSteps_ && listsSeenWhole_ >= kWholeListsToTrust && seatsDrawnMs_ &&
           !creeping_ && !lookingEarly_;
}

bool ClientWaits::grabChangedList(int boundMs, int& waitedMs) {
    for (bool lastLook = false;;) {
        const long long lookStarted = context_.clock.nowMs();
        if (!screen_.grab())
            return true;  // the caller's read tells the user
        const std::uint64_t now = listSignature(screen_.image(), screen_.lobby().geometry);
        if (now != *noted_) {
            noted_ = now;
            return true;
        }
        if (!watch_) {
            // A slow look (a screen copy raises the lobby first) counts against the bound.
            const long long took = context_.clock.nowMs() - lookStarted;
            waitedMs += static_cast<int>(std::clamp<long long>(took - kPollMs, 0, boundMs));
        }
        if (lastLook || waitedMs >= boundMs || context_.observer.cancelled())
            return false;
        screen_.release();
        // The bound reached while waiting: one more look, which stays grabbed.
        lastLook = !awaitLook(Area::List, boundMs, waitedMs, lookStarted);
    }
}

int ClientWaits::highlightBoundMs(int boundMs) const {
    const int longest = std::max(boundMs, kHighlightBoundMs);
    if (!slowestMoveMs_)
        return longest;
    return std::min(std::max(kLearntBoundFactor * *slowestMoveMs_ + kPollMs, boundMs), longest);
}

bool ClientWaits::grabRow() {
    if (std::exchange(rowGrabbed_, false) && screen_.grabbed())
        return true;
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
    // With a watch nothing needs a look before the client has drawn the move.
    // A client that never goes quiet there (an animation, a repaint on a
    // timer) is looked at when the bound is reached, as the fixed wait looks.
    awaitLook(Area::List, watch_ ? highlightBoundMs(boundMs) : boundMs, waited);
    const bool moved =
        !context_.observer.cancelled() && grabChangedList(highlightBoundMs(boundMs), waited);
    // Seen after the client drew it and went quiet, the move's capture is the row's.
    rowGrabbed_ = moved && watch_ && screen_.grabbed();
    if (!rowGrabbed_)
        screen_.release();
    if (moved) {
        if (watch_)
            settle(Area::List).learn();
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
    rowGrabbed_ = false;
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
    if (watch_) {
        // What the client drew up to now belongs to this table.
        drewInto(Area::List);
        listDrawn_ = seatsDrawn_ = false;
    }
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
    // client is surely still drawing; from there every kPollMs. A watch tells
    // when the client has drawn.
    int waited = watch_ ? 0 : std::clamp(firstSeatLookMs() - sinceKeyMs(), 0, boundMs);
    if (watch_ && !awaitLook(Area::Seats, boundMs, waited))
        waited = boundMs;
    if (waited > 0 && !watch_) {
        context_.clock.sleepMs(waited);
        if (observer.cancelled())
            return false;
    }
    std::optional<SeatReading> previous;
    bool firstLook = true;
    bool drawnSeen = false;
    bool secondLook = false;
    // Polling: the last new list seen, and whether the looks saw it change
    // again (drawn in steps) before it was taken.
    std::optional<SeatReading> lastNew;
    bool drawnInSteps = false;
    while (waited < boundMs || !watch_) {
        const long long lookStarted = context_.clock.nowMs();
        const int lookedAt = sinceKeyMs();
        std::optional<SeatReading> reading = readOnce();
        if (!reading)
            return false;
        const bool drawn = seatsComplete(*reading) && !sameReading(*reading, accepted_);
        if (!watch_ && (firstLook || (drawn && !drawnSeen)))
            learnSeatLook(firstLook, drawn, lookedAt);
        if (!sameReading(*reading, accepted_)) {
            drawnInSteps = drawnInSteps || (lastNew && !sameReading(*lastNew, *reading));
            lastNew = *reading;
        }
        firstLook = false;
        drawnSeen = drawnSeen || drawn;
        if (drawn) {
            if (previous && sameReading(*reading, *previous)) {
                accept(*reading, seats);
                if (watch_)
                    settle(Area::Seats).learn();
                else
                    learnDrawing(drawnInSteps);
                return true;
            }
            // Two looks after the client went quiet disagree: it pauses longer
            // within one drawing than the settle time.
            if (previous && secondLook)
                settle(Area::Seats).pausedFor(settle(Area::Seats).ms);
            previous = std::move(reading);
            // With a watch the list looked complete after the client went
            // quiet. A watch that sees this client tells without a capture
            // whether it has settled: one more step with no drawing there,
            // counted from the look's start (the look itself takes that long
            // on a real screen).
            if (watch_ && watchReports_ && !secondLook) {
                const int took = static_cast<int>(
                    std::clamp<long long>(context_.clock.nowMs() - lookStarted, 0, kWatchStepMs));
                context_.clock.sleepMs(kWatchStepMs - took);
                waited += kWatchStepMs;
                if (!drewInto(Area::Seats)) {
                    accept(*previous, seats);
                    settle(Area::Seats).learn();
                    return true;
                }
            }
            // Otherwise a second look at once.
            if (watch_ && !secondLook) {
                secondLook = true;
                continue;
            }
        } else {
            previous.reset();
        }
        secondLook = false;
        // Polling: a list that looks complete is looked at again soon when
        // this client draws its lists whole.
        const int pollMs = drawn && listsDrawnWhole() ? kShortestSettleMs : kPollMs;
        if (!awaitLook(Area::Seats, boundMs, waited, lookStarted, pollMs))
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
