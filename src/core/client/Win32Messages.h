#pragma once

#include <cstdint>

// The window messages, virtual keys and show states the client is driven with.
// Every backend translates these Win32 numbers into its own input events.
namespace kestrova::win32 {

inline constexpr std::uint32_t WM_KEYDOWN = 0x100;
inline constexpr std::uint32_t WM_KEYUP = 0x101;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x202;

inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_DOWN = 0x28;

// The Win32 class of the client's table windows.
inline constexpr const char* kTableWindowClass = "PokerStarsTableFrameClass";

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_RESTORE = 9;

// lParam of a mouse message: y in the high 16 bits, x in the low 16 bits.
inline constexpr std::intptr_t makePointLParam(int x, int y) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y) << 16) |
                                      (static_cast<std::uint32_t>(x) & 0xFFFFu));
}
inline constexpr int pointX(std::intptr_t lParam) {
    return static_cast<std::int16_t>(lParam & 0xFFFF);
}
inline constexpr int pointY(std::intptr_t lParam) {
    return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
}

}  // namespace kestrova::win32
