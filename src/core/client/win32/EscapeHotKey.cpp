#include "client/win32/EscapeHotKey.h"

#include <windows.h>

namespace kestrova {
namespace {

constexpr int kHotKeyId = 1;

}  // namespace

std::unique_ptr<EscapeHotKey> EscapeHotKey::create(std::function<void()> pressed) {
    std::unique_ptr<EscapeHotKey> key(new EscapeHotKey(std::move(pressed)));
    std::promise<bool> registered;
    std::future<bool> answer = registered.get_future();
    key->thread_ = std::thread([&key = *key, &registered] { key.run(registered); });
    if (!answer.get()) {
        key->thread_.join();
        key->threadId_ = 0;
        return nullptr;
    }
    return key;
}

EscapeHotKey::EscapeHotKey(std::function<void()> pressed) : pressed_(std::move(pressed)) {}

EscapeHotKey::~EscapeHotKey() {
    if (threadId_ != 0) {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
}

void EscapeHotKey::run(std::promise<bool>& registered) {
    MSG message;
    // The thread needs its queue before anyone posts to it.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    if (!RegisterHotKey(nullptr, kHotKeyId, MOD_NOREPEAT, VK_ESCAPE)) {
        registered.set_value(false);
        return;
    }
    registered.set_value(true);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_HOTKEY && message.wParam == kHotKeyId)
            pressed_();
    }
    UnregisterHotKey(nullptr, kHotKeyId);
}

}  // namespace kestrova
