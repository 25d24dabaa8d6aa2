#include "SerialWorker.h"

#include <utility>

namespace kestrova {

SerialWorker::SerialWorker(std::function<void()> emptied)
    : emptied_(std::move(emptied)), thread_([this] { run(); }) {}

SerialWorker::~SerialWorker() {
    stop(Queued::Drop);
    join();
}

bool SerialWorker::post(std::function<void()> work) {
    {
        const std::lock_guard lock(mutex_);
        if (stopping_)
            return false;
        queue_.push_back(std::move(work));
    }
    wake_.notify_all();
    return true;
}

void SerialWorker::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return (queue_.empty() && !working_) || ended_; });
}

bool SerialWorker::stop(Queued queued, std::optional<std::chrono::milliseconds> wait) {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    if (queued == Queued::Drop)
        queue_.clear();
    wake_.notify_all();
    const auto ended = [this] { return ended_; };
    if (!wait) {
        idle_.wait(lock, ended);
        return true;
    }
    return idle_.wait_for(lock, *wait, ended);
}

void SerialWorker::join() {
    if (thread_.joinable())
        thread_.join();
}

void SerialWorker::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            ended_ = true;
            idle_.notify_all();
            return;
        }
        std::function<void()> work = std::move(queue_.front());
        queue_.pop_front();
        working_ = true;
        lock.unlock();
        work();
        if (emptied_) {
            lock.lock();
            const bool empty = queue_.empty();
            lock.unlock();
            if (empty)
                emptied_();
        }
        lock.lock();
        working_ = false;
        if (queue_.empty())
            idle_.notify_all();
    }
}

}  // namespace kestrova
