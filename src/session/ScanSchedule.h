#pragma once

#include "ScanController.h"
#include "TimerService.h"

#include <functional>

namespace kestrova {

// When "Scan All Tables" runs by itself: the interval scan, every so many
// minutes, and the opener, which repeats it (opening the passing tables) until
// enough table windows are open. It only starts passes; a tick that finds the
// controller busy is kept and runs when the controller is idle again.
class ScanSchedule final {
public:
    // Builds the request of a scheduled scan from the current settings; required.
    using ScanAllRequest = std::function<ScanController::Request()>;

    ScanSchedule(ScanController& scans, TimerService* timers, ScanAllRequest request);
    ~ScanSchedule();
    ScanSchedule(const ScanSchedule&) = delete;
    ScanSchedule& operator=(const ScanSchedule&) = delete;

    // The interval scan: on with a positive number of minutes runs "Scan All
    // Tables" now and again each time the countdown reaches 0.
    void setIntervalScan(bool on, int minutes);
    bool intervalScanOn() const { return intervalOn_; }
    int intervalMinutesLeft() const { return minutesLeft_; }
    int intervalMinutes() const { return intervalMinutes_; }
    void intervalTick();

    // False (nothing changes) while the controller is busy.
    bool startOpener(int maximum);
    void stopOpener();
    bool openerRunning() const { return openerRunning_; }
    int openerMaximum() const { return openerMaximum_; }
    void openerTick();

    // A "Scan All Tables" request as the schedule wants it now (the opener's maximum).
    ScanController::Request scanAllRequest() const;

    // Called when the interval countdown moves or the opener starts or stops.
    std::function<void()> onChanged;

private:
    void startScanAll();
    void runPendingScan();
    void changed();

    ScanController& scans_;
    TimerService* timers_;
    ScanAllRequest request_;
    bool pendingScan_ = false;
    bool intervalOn_ = false;
    int intervalMinutes_ = 0;
    int minutesLeft_ = 0;
    bool openerRunning_ = false;
    int openerMaximum_ = 30;
};

}  // namespace kestrova
