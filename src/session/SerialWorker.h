#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrova {

// One thread that runs closures one after another, in the order they were
// posted: the passes' and jobs' worker, and the scan history's writer.
class SerialWorker final {
public:
    // `emptied`, when given, runs on the thread each time a closure ended
    // with nothing queued after it.
    explicit SerialWorker(std::function<void()> emptied = {});
    // Stops, dropping what is still queued, and waits for the running closure.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues a closure; false, queueing nothing, once stop() was called.
    bool post(std::function<void()> work);
    // Blocks until nothing is queued or running.
    void waitUntilIdle();

    enum class Queued { Run, Drop };
    // Lets the thread end once the running closure (and, with Run, what is
    // queued) is done. True when it ended within `wait` (no wait: it waits
    // for the end); join() in any case before the closures' data goes.
    bool stop(Queued queued, std::optional<std::chrono::milliseconds> wait = std::nullopt);
    void join();

private:
    void run();

    std::function<void()> emptied_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> queue_;
    bool working_ = false;
    bool stopping_ = false;
    bool ended_ = false;
    std::thread thread_;
};

}  // namespace kestrova
