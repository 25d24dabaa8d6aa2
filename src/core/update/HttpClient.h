#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kestrova {

// The few HTTP operations the update check needs, so that it can be run
// against a fake as well as against the network.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    // Prepares a connection to the host of url; a user or password left empty
    // is taken from the url. Any path in url is ignored by request().
    virtual bool connect(std::string_view url, std::string_view user, std::string_view password,
                         std::string_view agent) = 0;
    // Sends a GET for path (absolute, query included) on the connection.
    virtual bool request(std::string_view path, std::string_view referer = {}) = 0;
    // The next bytes of the response body; 0 at its end or on error.
    virtual std::size_t read(std::span<char> buffer) = 0;
    // Closes the request and the connection.
    virtual void close() = 0;

    // Why the last operation failed; empty after success.
    virtual const std::string& lastError() const = 0;
};

}  // namespace kestrova
