#include "HttpTestServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "ProcessTools.h"

namespace kestrova::test {

namespace {

// Waits for fd to become readable, giving up now and then to look at stop.
bool waitReadable(int fd, const std::atomic<bool>& stop) {
    pollfd entry{fd, POLLIN, 0};
    while (!stop) {
        const int ready = ::poll(&entry, 1, 20);
        if (ready > 0) {
            return true;
        }
        if (ready < 0) {
            return false;
        }
    }
    return false;
}

// Sends everything unless the peer goes away or the server stops.
bool sendAll(int fd, const std::string& bytes, const std::atomic<bool>& stop) {
    std::size_t sent = 0;
    pollfd entry{fd, POLLOUT, 0};
    while (sent < bytes.size() && !stop) {
        if (::poll(&entry, 1, 20) <= 0) {
            continue;
        }
        const ssize_t n =
            ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return sent == bytes.size();
}

}  // namespace

HttpTestServer::HttpTestServer(Mode mode, std::string body, int status)
    : mode_(mode), body_(std::move(body)), status_(status) {
    listener_ = listenOnLoopback(port_);
    if (mode_ != Mode::Silent) {
        thread_ = std::thread([this] { serve(); });
    }
}

HttpTestServer::~HttpTestServer() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    ::close(listener_);
}

std::string HttpTestServer::url() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> HttpTestServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void HttpTestServer::serve() {
    while (waitReadable(listener_, stop_)) {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            answer(connection);
            ::close(connection);
        }
    }
}

void HttpTestServer::answer(int connection) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16 * 1024 &&
           waitReadable(connection, stop_)) {
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        head.append(buffer, static_cast<std::size_t>(n));
    }
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(head);
    }
    if (mode_ == Mode::Endless) {
        const std::string chunk(4096, '9');
        if (sendAll(connection, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n", stop_)) {
            while (sendAll(connection, chunk, stop_)) {
            }
        }
        return;
    }
    sendAll(connection,
            "HTTP/1.0 " + std::to_string(status_) +
                " Test\r\nContent-Type: text/plain\r\nContent-Length: " +
                std::to_string(body_.size()) + "\r\n\r\n" + body_,
            stop_);
}

}  // namespace kestrova::test
