#pragma once

#include <condition_variable>
#include <mutex>

namespace kestrova {

// Every fixed wait of the client-driving passes goes through a Clock, so that
// tests can run the passes with no real sleep while the product waits as the
// client needs. A pass runs on a worker thread; "Cancel" comes from another
// thread and must not wait out the step in progress, so a clock can be
// interrupted: the current wait and every later one return at once until
// resume().
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int delayMs) = 0;
    // Milliseconds since any fixed start, never going back: how long the
    // client took to draw is measured with it.
    virtual long long nowMs() const = 0;
    virtual void interrupt() {}
    virtual void resume() {}
};

// Really sleeps.
class SystemClock final : public Clock {
public:
    void sleepMs(int delayMs) override;
    long long nowMs() const override;
    void interrupt() override;
    void resume() override;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool interrupted_ = false;
};

// Never sleeps; adds up what it was asked to wait.
class ManualClock final : public Clock {
public:
    void sleepMs(int delayMs) override { totalMs_ += delayMs; }
    long long nowMs() const override { return totalMs_; }
    long long totalMs() const { return totalMs_; }

private:
    long long totalMs_ = 0;
};

}  // namespace kestrova
