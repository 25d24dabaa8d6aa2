#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <stop_token>
#include <string>

#include "update/HttpClient.h"

namespace kestrova {

// An HTTP/1.0 client on libcurl: "GET" with "Accept: */*", the caller's user
// agent, the proxy from the environment, redirects followed. Unlike a browser
// it never waits long or keeps much: connecting and the whole request are
// bounded in time and the body it keeps is bounded in size, since it runs
// while the program starts.
class W3Client final : public HttpClient {
public:
    enum class Scheme { Ftp = 0, Http = 1, Https = 2 };

    struct Limits {
        std::chrono::milliseconds connectTimeout{3000};
        std::chrono::milliseconds totalTimeout{5000};
        // The body beyond this is not fetched; the request still succeeds.
        std::size_t maxBodyBytes = 64 * 1024;
    };

    W3Client();
    // A stop request aborts a request in progress within about a second.
    explicit W3Client(Limits limits, std::stop_token stop = {});
    ~W3Client() override;
    W3Client(const W3Client&) = delete;
    W3Client& operator=(const W3Client&) = delete;

    bool connect(std::string_view url, std::string_view user, std::string_view password,
                 std::string_view agent) override;
    bool request(std::string_view path, std::string_view referer = {}) override;
    std::size_t read(std::span<char> buffer) override;
    void close() override;
    const std::string& lastError() const override { return error_; }

    Scheme scheme() const { return scheme_; }

private:
    struct Handles;

    bool fail(std::string text);

    Limits limits_;
    std::stop_token stop_;
    std::unique_ptr<Handles> handles_;
    Scheme scheme_ = Scheme::Http;
    std::string user_;
    std::string password_;
    std::string agent_;
    std::string body_;
    std::size_t bodyRead_ = 0;
    bool requestOpen_ = false;
    std::string error_;
};

}  // namespace kestrova
