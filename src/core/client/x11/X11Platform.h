#pragma once

#include "client/ClientPlatform.h"

#include <functional>
#include <memory>
#include <string>

namespace kestrova {

class EventTimestamps;
class KeyCodeMapper;
class WindowCapturer;
class WindowTree;
class XcbConnection;

// The client platform on an X display, for a client that runs there (under Wine,
// or the simulator). Input goes out as synthetic events sent straight to the
// target window, so the user's pointer and keyboard focus stay where they are.
class X11Platform final : public ClientPlatform {
public:
    // An empty name means $DISPLAY. nullptr, with error set to "cannot open X display
    // ..." and the reason, when there is no display.
    static std::unique_ptr<X11Platform> open(const std::string& displayName,
                                             std::string* error = nullptr);
    ~X11Platform() override;

    // Top-level windows: the mapped or minimised (WM_STATE Iconic) windows that carry
    // a name, topmost first, found below window-manager frames; rect in root
    // coordinates (a minimised window keeps its normal placement).
    std::vector<WindowInfo> topLevelWindows() override;
    // All descendants in stacking order (bottom first, depth first). A Wine window
    // has no X window per control, so a large window without a large child gets
    // itself appended as stand-in for the client area.
    std::vector<WindowInfo> childWindows(WindowId parent) override;
    // Returns once the server has passed the event on; when the client has handled
    // it is the caller's to wait for.
    void sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void showWindow(WindowId window, int showState) override;
    void setTopmost(WindowId window, bool topmost) override;
    std::optional<Image> capture(WindowId window) override;
    bool capturesCoveredWindows() override;
    // The other windows of the lobby's program (WM_CLASS instance), as under Wine.
    std::vector<WindowInfo> tableWindows(WindowId lobby) override;
    // Through the Damage extension; without it the trace says so once.
    std::unique_ptr<DrawingWatch> watchDrawing(WindowId window) override;
    // A passive grab on the root window, on a connection of its own; without
    // it the trace says why.
    std::unique_ptr<KeyGrab> grabCancelKey(std::function<void()> pressed) override;
    // Where the backend says how it works around the desktop.
    void setTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }

    // Empty when covered windows are captured faithfully, else why not.
    const std::string& compositeUnavailableReason() const;
    bool windowManagerRunning();

private:
    X11Platform(std::unique_ptr<XcbConnection> connection, std::string displayName);

    void collectTopLevel(std::uint32_t window, std::vector<WindowInfo>& out, int depth);
    void sendKey(std::uint32_t window, bool press, int virtualKey);
    void sendButton(std::uint32_t window, bool press, int x, int y);
    void sendToWindowManager(std::uint32_t window, std::uint32_t type, std::uint32_t data0,
                             std::uint32_t data1, std::uint32_t data2);

    std::unique_ptr<XcbConnection> connection_;
    std::string displayName_;
    std::unique_ptr<WindowTree> tree_;
    std::unique_ptr<KeyCodeMapper> keys_;
    std::unique_ptr<EventTimestamps> timestamps_;
    std::unique_ptr<WindowCapturer> capturer_;
    std::function<void(const std::string&)> trace_;
    bool toldNoWatch_ = false;
};

}  // namespace kestrova
