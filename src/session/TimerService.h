#pragma once

#include <functional>

namespace kestrova {

// The session's repeating timers, beside the Clock seam: the window runs them
// on its event loop, tests fire them by hand.
enum class TimerId {
    Interval,    // counts the interval scan down, one tick a minute
    Opener,      // repeats the opener's scan
    CacheClear,  // marks the statistics cache for emptying
};

class TimerService {
public:
    virtual ~TimerService() = default;
    // Calls tick every intervalMs on the front end's thread until stopped;
    // starting a running timer restarts it.
    virtual void start(TimerId id, int intervalMs, std::function<void()> tick) = 0;
    virtual void stop(TimerId id) = 0;
    virtual bool running(TimerId id) const = 0;
};

}  // namespace kestrova
