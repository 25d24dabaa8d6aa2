#pragma once

#include "common/Clock.h"

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace kestrova::test {

// A clock whose waits block while the gate is shut, until the test opens it or
// the pass is cancelled, so that a test can look at the window while a pass
// waits. Notes the threads that waited.
class GateClock final : public Clock {
public:
    void sleepMs(int delayMs) override {
        std::unique_lock lock(mutex_);
        sleptMs_ += delayMs;
        threads_.insert(std::this_thread::get_id());
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_ || interrupted_; });
        --waiting_;
    }
    // The time the waits asked for, as if each took its full time.
    long long nowMs() const override {
        const std::lock_guard lock(mutex_);
        return sleptMs_;
    }
    void interrupt() override { set(interrupted_, true); }
    void resume() override { set(interrupted_, false); }

    void setOpen(bool open) { set(open_, open); }
    bool waiting() const {
        const std::lock_guard lock(mutex_);
        return waiting_ > 0;
    }
    std::set<std::thread::id> threads() const {
        const std::lock_guard lock(mutex_);
        return threads_;
    }

private:
    void set(bool& flag, bool value) {
        {
            const std::lock_guard lock(mutex_);
            flag = value;
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
    bool interrupted_ = false;
    int waiting_ = 0;
    long long sleptMs_ = 0;
    std::set<std::thread::id> threads_;
};

}  // namespace kestrova::test
