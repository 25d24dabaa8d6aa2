#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kestrova::test {

// A one-connection-at-a-time HTTP server on 127.0.0.1 and a free port, for
// the update check tests.
class HttpTestServer final {
public:
    enum class Mode {
        Answer,   // answers every request with the status and body given
        Silent,   // never accepts: connections open, but no byte ever comes back
        Endless,  // a 200 whose body of "9"s never ends
    };

    explicit HttpTestServer(Mode mode, std::string body = {}, int status = 200);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // "http://127.0.0.1:PORT".
    std::string url() const;
    // The request heads received so far, up to the empty line.
    std::vector<std::string> requests() const;

private:
    void serve();
    void answer(int connection);

    Mode mode_;
    std::string body_;
    int status_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace kestrova::test
