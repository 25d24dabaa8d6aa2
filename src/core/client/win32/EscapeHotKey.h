#pragma once

#include "client/KeyGrab.h"

#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace kestrova {

// Esc registered as a hot key on a thread of its own: RegisterHotKey posts
// WM_HOTKEY to the registering thread's queue, whichever window has the focus.
class EscapeHotKey final : public KeyGrab {
public:
    // nullptr when another program holds the key.
    static std::unique_ptr<EscapeHotKey> create(std::function<void()> pressed);
    ~EscapeHotKey() override;
    EscapeHotKey(const EscapeHotKey&) = delete;
    EscapeHotKey& operator=(const EscapeHotKey&) = delete;

private:
    explicit EscapeHotKey(std::function<void()> pressed);
    void run(std::promise<bool>& registered);

    std::function<void()> pressed_;
    unsigned long threadId_ = 0;
    std::thread thread_;
};

}  // namespace kestrova
