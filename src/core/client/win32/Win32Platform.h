#pragma once

#include "client/ClientPlatform.h"
#include "client/DesktopPlatform.h"

#include <memory>

namespace kestrova {

class WindowCapture;

// The client platform on a Windows desktop (or Wine): windows found with
// FindWindowExA and GetWindow, input sent with SendMessageA, which returns once
// the client's window procedure has handled it.
class Win32Platform final : public ClientPlatform {
public:
    explicit Win32Platform(DesktopPlatform::Trace trace = {});
    ~Win32Platform() override;

    // Every titled top-level window, topmost first; rect is the normal placement.
    std::vector<WindowInfo> topLevelWindows() override;
    // Depth first in the order GetWindow gives; rect relative to the parent window.
    std::vector<WindowInfo> childWindows(WindowId parent) override;
    void sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void showWindow(WindowId window, int showState) override;
    // Topmost (shown), or back to the bottom of the stack.
    void setTopmost(WindowId window, bool topmost) override;
    std::optional<Image> capture(WindowId window) override;
    // With PrintWindow; without it a capture copies the screen.
    bool capturesCoveredWindows() override;
    // The windows of class win32::kTableWindowClass.
    std::vector<WindowInfo> tableWindows(WindowId lobby) override;
    // Esc as a hot key (RegisterHotKey); none when another program holds it.
    std::unique_ptr<KeyGrab> grabCancelKey(std::function<void()> pressed) override;

private:
    std::unique_ptr<WindowCapture> capture_;
};

}  // namespace kestrova
