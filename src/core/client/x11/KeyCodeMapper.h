#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

namespace kestrova {

// Win32 virtual keys to X keysyms, and keysyms to the keycodes of the server's
// current keyboard mapping (the keycode is what a synthetic key event carries).
class KeyCodeMapper final {
public:
    // keysyms holds keysymsPerKeycode columns for each keycode from minKeycode on,
    // as GetKeyboardMapping returns them.
    KeyCodeMapper(std::uint8_t minKeycode, int keysymsPerKeycode,
                  std::vector<std::uint32_t> keysyms);

    // The server's mapping; an empty mapper (maps nothing) when the request fails.
    static KeyCodeMapper fromServer(xcb_connection_t* connection);

    // Letters map to their lower-case keysym, which is what an unshifted key produces.
    static std::optional<std::uint32_t> keysymForVirtualKey(int virtualKey);

    // The lowest keycode producing the keysym without modifiers, else with any.
    std::optional<std::uint8_t> keycodeForKeysym(std::uint32_t keysym) const;
    std::optional<std::uint8_t> keycodeForVirtualKey(int virtualKey) const;

private:
    std::uint8_t minKeycode_ = 8;
    int keysymsPerKeycode_ = 0;
    std::vector<std::uint32_t> keysyms_;
};

}  // namespace kestrova
