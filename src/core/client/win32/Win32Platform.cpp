#include "client/win32/Win32Platform.h"

#include "client/Win32Messages.h"
#include "client/win32/EscapeHotKey.h"
#include "client/win32/WindowCapture.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace kestrova {

namespace {

HWND handleOf(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

WindowId idOf(HWND window) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window));
}

Rect rectOf(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

WindowInfo describe(HWND window) {
    WindowInfo info;
    info.id = idOf(window);
    std::array<char, 256> text{};
    const int titleLength = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    info.title.assign(text.data(), static_cast<std::size_t>(std::max(titleLength, 0)));
    const int classLength = GetClassNameA(window, text.data(), static_cast<int>(text.size()));
    info.className.assign(text.data(), static_cast<std::size_t>(std::max(classLength, 0)));
    return info;
}

// A top-level window's normal placement: where it is when shown, also while minimised.
Rect normalRect(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(window, &placement))
        return rectOf(placement.rcNormalPosition);
    RECT r{};
    GetWindowRect(window, &r);
    return rectOf(r);
}

void collectChildren(HWND parent, const RECT& origin, std::vector<WindowInfo>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        WindowInfo info = describe(child);
        RECT r{};
        GetWindowRect(child, &r);
        info.rect = Rect{r.left - origin.left, r.top - origin.top, r.right - origin.left,
                         r.bottom - origin.top};
        out.push_back(std::move(info));
        collectChildren(child, origin, out);
    }
}

}  // namespace

Win32Platform::Win32Platform(DesktopPlatform::Trace trace)
    : capture_(std::make_unique<WindowCapture>(std::move(trace))) {}

Win32Platform::~Win32Platform() = default;

std::vector<WindowInfo> Win32Platform::topLevelWindows() {
    std::vector<WindowInfo> windows;
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, nullptr)) {
        WindowInfo info = describe(window);
        if (info.title.empty())
            continue;
        info.rect = normalRect(window);
        windows.push_back(std::move(info));
    }
    return windows;
}

std::vector<WindowInfo> Win32Platform::childWindows(WindowId parent) {
    std::vector<WindowInfo> children;
    RECT origin{};
    if (GetWindowRect(handleOf(parent), &origin))
        collectChildren(handleOf(parent), origin, children);
    return children;
}

void Win32Platform::sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    SendMessageA(handleOf(window), message, wParam, lParam);
}

void Win32Platform::showWindow(WindowId window, int showState) {
    ShowWindow(handleOf(window), showState);
}

void Win32Platform::setTopmost(WindowId window, bool topmost) {
    if (topmost)
        SetWindowPos(handleOf(window), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    else
        SetWindowPos(handleOf(window), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::optional<Image> Win32Platform::capture(WindowId window) {
    return capture_->capture(handleOf(window));
}

bool Win32Platform::capturesCoveredWindows() {
    return capture_->hasPrintWindow();
}

std::vector<WindowInfo> Win32Platform::tableWindows(WindowId /*lobby*/) {
    std::vector<WindowInfo> tables;
    for (HWND window = FindWindowExA(nullptr, nullptr, win32::kTableWindowClass, nullptr);
         window != nullptr;
         window = FindWindowExA(nullptr, window, win32::kTableWindowClass, nullptr)) {
        WindowInfo info = describe(window);
        info.rect = normalRect(window);
        tables.push_back(std::move(info));
    }
    return tables;
}

std::unique_ptr<KeyGrab> Win32Platform::grabCancelKey(std::function<void()> pressed) {
    return EscapeHotKey::create(std::move(pressed));
}

}  // namespace kestrova
