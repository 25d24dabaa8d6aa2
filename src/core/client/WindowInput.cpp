#include "client/WindowInput.h"

#include "client/Win32Messages.h"

namespace kestrova {

void pressKey(ClientPlatform& platform, WindowId window, int virtualKey) {
    const auto vk = static_cast<std::uintptr_t>(virtualKey);
    platform.sendMessage(window, win32::WM_KEYDOWN, vk, 0);
    platform.sendMessage(window, win32::WM_KEYUP, vk, 0);
}

void click(ClientPlatform& platform, WindowId window, int x, int y) {
    const std::intptr_t point = win32::makePointLParam(x, y);
    platform.sendMessage(window, win32::WM_LBUTTONDOWN, 0, point);
    platform.sendMessage(window, win32::WM_LBUTTONUP, 0, point);
}

void restoreWindow(ClientPlatform& platform, WindowId window) {
    platform.showWindow(window, win32::SW_RESTORE);
}

}  // namespace kestrova
