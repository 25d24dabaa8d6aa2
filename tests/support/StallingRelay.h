#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrova::test {

// A TCP relay on 127.0.0.1 in front of a server's port. It passes every byte
// both ways until stall(); from then on the connections open at that moment
// get no byte more either way while their sockets stay open, as a server does
// that goes silent on a kept connection. Later connections are relayed as before.
class StallingRelay final {
public:
    explicit StallingRelay(int serverPort);
    ~StallingRelay();
    StallingRelay(const StallingRelay&) = delete;
    StallingRelay& operator=(const StallingRelay&) = delete;

    int port() const { return port_; }
    void stall();
    void delayRequests(std::chrono::milliseconds delay) { delay_ = delay; }
    int requests() const { return requests_; }

private:
    struct Pair {
        int client;
        int server;
        bool stalled = false;
    };

    void run();
    void wake();

    int serverPort_;
    int port_ = 0;
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<std::chrono::milliseconds> delay_{std::chrono::milliseconds(0)};
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::vector<Pair> pairs_;
    std::thread thread_;
};

}  // namespace kestrova::test
