#pragma once

#include "client/DrawingWatch.h"
#include "client/KeyGrab.h"
#include "common/Image.h"
#include "common/Rect.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

using WindowId = std::uint64_t;

struct WindowInfo {
    WindowId id = 0;
    std::string title;
    std::string className;
    // Top-level windows: the normal (restored) rectangle in screen coordinates.
    // Child windows: the rectangle relative to the parent window's top-left corner.
    Rect rect;
    // X11: the instance part of WM_CLASS, which Wine fills with the program's file
    // name ("everestclient.exe"); empty where the platform has no such name.
    std::string instanceName;
};

// What the passes ask of the desktop the poker client runs on, and nothing more.
// Higher layers speak Win32 message numbers (Win32Messages.h); each backend
// translates them. A backend never sleeps on its own: waits belong to the caller's Clock.
class ClientPlatform {
public:
    virtual ~ClientPlatform() = default;

    // Top-level windows in enumeration order (topmost first where the platform knows).
    virtual std::vector<WindowInfo> topLevelWindows() = 0;
    // Direct and indirect child windows of a top-level window, in creation order.
    virtual std::vector<WindowInfo> childWindows(WindowId parent) = 0;
    // Delivers a key or mouse message and returns once the target has handled it.
    virtual void sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    virtual void showWindow(WindowId window, int showState) = 0;
    virtual void setTopmost(WindowId window, bool topmost) = 0;
    // The whole window as the user would see it, or nothing when it cannot be captured
    // (gone, minimised).
    virtual std::optional<Image> capture(WindowId window) = 0;
    // Whether capture() shows the window's own pixels where other windows cover it
    // (Win32 PrintWindow, X11 Composite). When not, it copies the screen, and the
    // caller brings the window on top for the copy.
    virtual bool capturesCoveredWindows() { return true; }
    // The client's open table windows, found beside its lobby window by what the
    // platform can see: on Win32 the windows of class win32::kTableWindowClass; on
    // X11 (Wine) the other windows of the lobby's program, which carry its WM_CLASS
    // and the table's name as title but nothing of the Win32 class.
    virtual std::vector<WindowInfo> tableWindows(WindowId lobby) = 0;
    // Reports what is drawn into a window from now on; nullptr where the
    // platform cannot tell (the waits then poll captures).
    virtual std::unique_ptr<DrawingWatch> watchDrawing(WindowId window) {
        (void)window;
        return nullptr;
    }
    // Calls `pressed` whenever the user presses Esc, wherever the keyboard
    // focus is, until the grab is dropped; `pressed` runs on a thread of the
    // grab's own. nullptr where the platform cannot (or another program holds
    // the key): then only the program's own windows see Esc.
    virtual std::unique_ptr<KeyGrab> grabCancelKey(std::function<void()> pressed) {
        (void)pressed;
        return nullptr;
    }
};

}  // namespace kestrova
