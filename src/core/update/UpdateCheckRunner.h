#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>

#include "update/HttpClient.h"

namespace kestrova {

// Runs the update check on a thread of its own, so that a slow or silent
// server never holds up the start. The answer goes to the callback, on that
// thread: a GUI posts it on to its own thread.
class UpdateCheckRunner {
public:
    // Makes the client for one check; the stop token is raised when the
    // runner is destroyed before the check ends.
    using ClientFactory = std::function<std::unique_ptr<HttpClient>(std::stop_token)>;
    using Callback = std::function<void(bool newVersion)>;

    // A W3Client bounded to the size of a version answer.
    static ClientFactory w3Client();

    // Starts at once and returns.
    UpdateCheckRunner(std::string server, ClientFactory makeClient, Callback done);
    // Stops a check still running and waits for it (a second at most); the
    // callback is then not called.
    ~UpdateCheckRunner() = default;
    UpdateCheckRunner(const UpdateCheckRunner&) = delete;
    UpdateCheckRunner& operator=(const UpdateCheckRunner&) = delete;

private:
    std::jthread worker_;
};

}  // namespace kestrova
