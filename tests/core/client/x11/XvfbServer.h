#pragma once

#include <sys/types.h>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrova::testing {

// A private Xvfb for one test process: the server picks a free display number
// itself (-displayfd), so parallel test runs never collide.
class XvfbServer final {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // The Xvfb program, or empty when it is not installed.
    static std::string findBinary();

    // Starts the server and waits (bounded) until it accepts connections.
    // extraArgs go to Xvfb as they are (e.g. "-extension", "Composite").
    bool start(std::string& error, const std::string& screen = "1280x1024x24",
               const std::vector<std::string>& extraArgs = {});
    void stop();

    bool running() const { return pid_ > 0; }
    // ":N"
    const std::string& displayName() const { return display_; }

    // Presses and releases the key of a keysym as the user would (XTest), to
    // whichever window has the focus or grabbed it. False when no key has it.
    bool pressKey(std::uint32_t keysym) const;

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace kestrova::testing
