#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace kestrova::test {

// A TCP port of 127.0.0.1 that a socket holds: listening, it takes connections
// and never answers (a stalled server); else, once the socket is closed,
// nobody listens there.
class LocalPort {
public:
    explicit LocalPort(bool listening) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (listening)
            ::listen(fd_, 16);
        else
            ::close(std::exchange(fd_, -1));
    }
    ~LocalPort() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LocalPort(const LocalPort&) = delete;
    LocalPort& operator=(const LocalPort&) = delete;

    int port() const { return port_; }
    std::string text() const { return std::to_string(port_); }

private:
    int fd_;
    int port_ = 0;
};

}  // namespace kestrova::test
