#include "ScanSchedule.h"

#include <utility>

namespace kestrova {

namespace {

constexpr int kIntervalTickMs = 60000;
constexpr int kOpenerTickMs = 300000;

}  // namespace

ScanSchedule::ScanSchedule(ScanController& scans, TimerService* timers, ScanAllRequest request)
    : scans_(scans), timers_(timers), request_(std::move(request)) {
    scans_.onIdle = [this] { runPendingScan(); };
}

ScanSchedule::~ScanSchedule() {
    scans_.onIdle = nullptr;
    if (timers_) {
        timers_->stop(TimerId::Interval);
        timers_->stop(TimerId::Opener);
    }
}

ScanController::Request ScanSchedule::scanAllRequest() const {
    ScanController::Request request = request_();
    request.kind = PassKind::ScanAll;
    if (openerRunning_)
        request.openerMaximum = openerMaximum_;
    return request;
}

void ScanSchedule::startScanAll() {
    if (scans_.busy()) {
        pendingScan_ = true;
        return;
    }
    scans_.start(scanAllRequest());
}

void ScanSchedule::runPendingScan() {
    if (pendingScan_ && !scans_.busy()) {
        pendingScan_ = false;
        startScanAll();
    }
}

void ScanSchedule::changed() {
    if (onChanged)
        onChanged();
}

void ScanSchedule::setIntervalScan(bool on, int minutes) {
    intervalOn_ = on && minutes > 0;
    intervalMinutes_ = minutes;
    minutesLeft_ = minutes;
    if (timers_)
        timers_->stop(TimerId::Interval);
    if (intervalOn_) {
        startScanAll();
        if (timers_)
            timers_->start(TimerId::Interval, kIntervalTickMs, [this] { intervalTick(); });
    }
    changed();
}

void ScanSchedule::intervalTick() {
    if (!intervalOn_)
        return;
    if (--minutesLeft_ <= 0) {
        minutesLeft_ = intervalMinutes_;
        startScanAll();
    }
    changed();
}

bool ScanSchedule::startOpener(int maximum) {
    if (scans_.busy())
        return false;
    openerMaximum_ = maximum;
    openerRunning_ = true;
    if (timers_)
        timers_->start(TimerId::Opener, kOpenerTickMs, [this] { openerTick(); });
    startScanAll();
    changed();
    return true;
}

void ScanSchedule::stopOpener() {
    if (!openerRunning_)
        return;
    openerRunning_ = false;
    if (timers_)
        timers_->stop(TimerId::Opener);
    // The opener's own scan opens tables: it must not go on opening them.
    if (scans_.busy() && scans_.runningOpenerScan())
        scans_.cancel();
    changed();
}

void ScanSchedule::openerTick() {
    if (openerRunning_)
        startScanAll();
}

}  // namespace kestrova
