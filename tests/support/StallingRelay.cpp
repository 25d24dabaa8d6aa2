#include "StallingRelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "ProcessTools.h"

namespace kestrova::test {

namespace {

int connectToLoopback(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// False when the sending side closed or either side failed.
bool forward(int from, int to) {
    char buffer[16384];
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    for (ssize_t sent = 0; sent < got;) {
        const ssize_t wrote = ::write(to, buffer + sent, static_cast<std::size_t>(got - sent));
        if (wrote <= 0)
            return false;
        sent += wrote;
    }
    return true;
}

}  // namespace

StallingRelay::StallingRelay(int serverPort) : serverPort_(serverPort) {
    listener_ = listenOnLoopback(port_);
    int pipe[2];
    if (::pipe(pipe) != 0)
        throw std::runtime_error("no pipe for the relay");
    wakeRead_ = pipe[0];
    wakeWrite_ = pipe[1];
    thread_ = std::thread([this] { run(); });
}

StallingRelay::~StallingRelay() {
    stopping_ = true;
    wake();
    thread_.join();
    for (const Pair& pair : pairs_) {
        ::close(pair.client);
        ::close(pair.server);
    }
    ::close(listener_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void StallingRelay::stall() {
    {
        const std::lock_guard lock(mutex_);
        for (Pair& pair : pairs_)
            pair.stalled = true;
    }
    wake();
}

void StallingRelay::wake() {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &byte, 1);
}

void StallingRelay::run() {
    while (!stopping_) {
        std::vector<pollfd> watched{{wakeRead_, POLLIN, 0}, {listener_, POLLIN, 0}};
        {
            const std::lock_guard lock(mutex_);
            for (const Pair& pair : pairs_) {
                if (pair.stalled)
                    continue;
                watched.push_back({pair.client, POLLIN, 0});
                watched.push_back({pair.server, POLLIN, 0});
            }
        }
        if (::poll(watched.data(), watched.size(), -1) <= 0)
            continue;
        if (watched[0].revents != 0) {
            char drained[64];
            [[maybe_unused]] const ssize_t read = ::read(wakeRead_, drained, sizeof drained);
            continue;  // stalled pairs leave the watch list
        }
        if (watched[1].revents != 0) {
            const int client = ::accept(listener_, nullptr, nullptr);
            const int server = client < 0 ? -1 : connectToLoopback(serverPort_);
            if (server >= 0) {
                const std::lock_guard lock(mutex_);
                pairs_.push_back({client, server});
            } else if (client >= 0) {
                ::close(client);
            }
        }
        const std::lock_guard lock(mutex_);
        for (std::size_t i = 2; i < watched.size(); ++i) {
            if (watched[i].revents == 0)
                continue;
            const int from = watched[i].fd;
            for (auto pair = pairs_.begin(); pair != pairs_.end(); ++pair) {
                if (pair->stalled || (pair->client != from && pair->server != from))
                    continue;
                if (from == pair->client) {
                    ++requests_;
                    std::this_thread::sleep_for(delay_.load());
                }
                if (!forward(from, from == pair->client ? pair->server : pair->client)) {
                    ::close(pair->client);
                    ::close(pair->server);
                    pairs_.erase(pair);
                }
                break;
            }
        }
    }
}

}  // namespace kestrova::test
