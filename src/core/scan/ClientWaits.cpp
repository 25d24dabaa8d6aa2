#include "scan/ClientWaits.h"

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

std::optional<std::uint64_t> ClientWaits::captureList(PassContext& context,
                                                      const EverestLobby& lobby) {
    if (!context.adaptiveWaits)
        return std::nullopt;
    LobbyScreen screen(context.platform, context.clock, context.glyphs, lobby);
    if (!screen.grab())
        return std::nullopt;
    return listSignature(screen.image(), lobby.geometry);
}

void ClientWaits::noteList() {
    if (screen_.grabbed())
        noteList(screen_.image());
}

void ClientWaits::noteList(const Image& capture) {
    noted_ = listSignature(capture, screen_.lobby().geometry);
}

bool ClientWaits::pollStep(int boundMs, int& waitedMs) {
    if (waitedMs >= boundMs)
        return false;
    const int step = std::min(kPollMs, boundMs - waitedMs);
    context_.clock.sleepMs(step);
    waitedMs += step;
    return !context_.observer.cancelled();
}

void ClientWaits::afterSelectionKey(int fixedMs, int boundMs) {
    if (!adaptive()) {
        if (fixedMs > 0)
            context_.clock.sleepMs(fixedMs);
        return;
    }
    rowMoved_ = false;
    shortfallMs_ = 0;
    if (!noted_) {
        // Nothing to compare with: whatever the key did has had the full time.
        context_.clock.sleepMs(boundMs);
        rowMoved_ = true;
        return;
    }
    int waited = 0;
    while (pollStep(boundMs, waited)) {
        if (!screen_.grab()) {
            captureFailed_ = true;
            break;
        }
        const std::uint64_t now = listSignature(screen_.image(), screen_.lobby().geometry);
        screen_.release();
        if (now != *noted_) {
            noted_ = now;
            rowMoved_ = true;
            shortfallMs_ = std::max(fixedMs - waited, 0);
            return;
        }
    }
    // The list stayed as it was: the end of the list, or a client slower than
    // the bound, which is read as the fixed wait would read it.
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
    std::optional<SeatReading> previous;
    int waited = 0;
    for (;;) {
        std::optional<SeatReading> reading = readOnce();
        if (!reading)
            return false;
        if (seatsComplete(*reading) && !sameReading(*reading, accepted_)) {
            if (previous && sameReading(*reading, *previous)) {
                accept(*reading, seats);
                return true;
            }
            previous = std::move(reading);
        } else {
            previous.reset();
        }
        if (!pollStep(boundMs, waited))
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
