#pragma once

namespace kestrova {

// When the statistics cache is emptied. The session owns one and a
// repeating timer; the records are dropped only at the start of a "Get Table
// List" after the timer fired (or the options dialog closed), never in the
// middle of a scan.
class CacheExpiry final {
public:
    explicit CacheExpiry(int lifetimeSeconds = -1) : lifetimeSeconds_(lifetimeSeconds) {}

    // Taken from the settings whenever they are loaded; a timer already
    // running keeps its first interval.
    void setLifetimeSeconds(int lifetimeSeconds) { lifetimeSeconds_ = lifetimeSeconds; }
    int lifetimeSeconds() const { return lifetimeSeconds_; }

    // The clearing timer fired or the options dialog closed: empty the cache
    // at the next "Get Table List".
    void markExpired() { expired_ = true; }
    bool isExpired() const { return expired_; }
    bool timerExists() const { return timerExists_; }

    // What the main window does at the start of a "Get Table List".
    struct Actions {
        bool startTimer = false;    // create the repeating clearing timer now (once per run)
        int timerIntervalMs = 0;    // with this interval
        bool clearRecords = false;  // empty the player-record list now
    };
    // Called at the start of every "Get Table List", even while another pass
    // runs. With a lifetime of 0 or less it never asks for anything.
    Actions onGetTableList();

private:
    int lifetimeSeconds_;
    bool expired_ = false;
    bool timerExists_ = false;
};

}  // namespace kestrova
