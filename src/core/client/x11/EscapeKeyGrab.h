#pragma once

#include "client/KeyGrab.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace kestrova {

class XcbConnection;

// Esc grabbed on the root window (a passive grab, whatever lock modifiers are
// on), on a connection of its own whose thread waits for the key, so that
// the platform's connection stays the pass's alone.
class EscapeKeyGrab final : public KeyGrab {
public:
    // nullptr, with why set, when the display cannot be opened or another
    // program already grabbed the key.
    static std::unique_ptr<EscapeKeyGrab> create(const std::string& displayName,
                                                 std::function<void()> pressed, std::string& why);
    ~EscapeKeyGrab() override;
    EscapeKeyGrab(const EscapeKeyGrab&) = delete;
    EscapeKeyGrab& operator=(const EscapeKeyGrab&) = delete;

private:
    EscapeKeyGrab(std::unique_ptr<XcbConnection> connection, std::function<void()> pressed,
                  int wakeRead, int wakeWrite);
    void waitForKeys();

    std::unique_ptr<XcbConnection> connection_;
    std::function<void()> pressed_;
    // Writing a byte ends the thread's wait.
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};

}  // namespace kestrova
