#include "common/Clock.h"

#include <chrono>

namespace kestrova {

void SystemClock::sleepMs(int delayMs) {
    if (delayMs <= 0)
        return;
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(delayMs), [this] { return interrupted_; });
}

long long SystemClock::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SystemClock::interrupt() {
    {
        const std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    wake_.notify_all();
}

void SystemClock::resume() {
    const std::lock_guard lock(mutex_);
    interrupted_ = false;
}

}  // namespace kestrova
