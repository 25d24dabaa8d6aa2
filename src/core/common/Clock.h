#pragma once

namespace kestrova {

// Every fixed wait of the client-driving passes goes through a Clock, so that
// tests can run the passes with no real sleep while the product waits as the
// client needs.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int delayMs) = 0;
};

// Really sleeps.
class SystemClock final : public Clock {
public:
    void sleepMs(int delayMs) override;
};

// Never sleeps; adds up what it was asked to wait.
class ManualClock final : public Clock {
public:
    void sleepMs(int delayMs) override { totalMs_ += delayMs; }
    long long totalMs() const { return totalMs_; }

private:
    long long totalMs_ = 0;
};

}  // namespace kestrova
