#include "client/x11/KeyCodeMapper.h"

#include "client/x11/XcbReply.h"

#include <xcb/xcb.h>

#include <array>
#include <utility>

namespace kestrova {

namespace {

struct VirtualKeySym {
    int virtualKey;
    std::uint32_t keysym;
};

// X keysyms from X11/keysymdef.h, so no Xlib header is needed.
constexpr std::array<VirtualKeySym, 16> kSpecialKeys{{
    {0x08, 0xff08},  // VK_BACK -> BackSpace
    {0x09, 0xff09},  // VK_TAB -> Tab
    {0x0D, 0xff0d},  // VK_RETURN -> Return
    {0x1B, 0xff1b},  // VK_ESCAPE -> Escape
    {0x20, 0x0020},  // VK_SPACE -> space
    {0x21, 0xff55},  // VK_PRIOR -> Prior (Page Up)
    {0x22, 0xff56},  // VK_NEXT -> Next (Page Down)
    {0x23, 0xff57},  // VK_END -> End
    {0x24, 0xff50},  // VK_HOME -> Home
    {0x25, 0xff51},  // VK_LEFT -> Left
    {0x26, 0xff52},  // VK_UP -> Up
    {0x27, 0xff53},  // VK_RIGHT -> Right
    {0x28, 0xff54},  // VK_DOWN -> Down
    {0x2D, 0xff63},  // VK_INSERT -> Insert
    {0x2E, 0xffff},  // VK_DELETE -> Delete
    {0x70, 0xffbe},  // VK_F1 -> F1
}};

}  // namespace

KeyCodeMapper::KeyCodeMapper(std::uint8_t minKeycode, int keysymsPerKeycode,
                             std::vector<std::uint32_t> keysyms)
    : minKeycode_(minKeycode),
      keysymsPerKeycode_(keysymsPerKeycode > 0 ? keysymsPerKeycode : 0),
      keysyms_(std::move(keysyms)) {}

KeyCodeMapper KeyCodeMapper::fromServer(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const std::uint8_t first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    if (count <= 0)
        return KeyCodeMapper(first, 0, {});
    const auto cookie =
        xcb_get_keyboard_mapping(connection, first, static_cast<std::uint8_t>(count));
    XcbReply<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(connection, cookie, nullptr));
    if (!reply)
        return KeyCodeMapper(first, 0, {});
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    std::vector<std::uint32_t> keysyms(syms, syms + (length > 0 ? length : 0));
    return KeyCodeMapper(first, reply->keysyms_per_keycode, std::move(keysyms));
}

std::optional<std::uint32_t> KeyCodeMapper::keysymForVirtualKey(int virtualKey) {
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<std::uint32_t>(virtualKey);
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<std::uint32_t>(virtualKey - 'A' + 'a');
    for (const VirtualKeySym& entry : kSpecialKeys) {
        if (entry.virtualKey == virtualKey)
            return entry.keysym;
    }
    return std::nullopt;
}

std::optional<std::uint8_t> KeyCodeMapper::keycodeForKeysym(std::uint32_t keysym) const {
    if (keysymsPerKeycode_ == 0 || keysym == 0)
        return std::nullopt;
    const std::size_t perCode = static_cast<std::size_t>(keysymsPerKeycode_);
    const std::size_t codes = keysyms_.size() / perCode;
    for (std::size_t column = 0; column < perCode; ++column) {
        for (std::size_t code = 0; code < codes; ++code) {
            const std::size_t keycode = minKeycode_ + code;
            if (keycode > 255)
                break;
            if (keysyms_[code * perCode + column] == keysym)
                return static_cast<std::uint8_t>(keycode);
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> KeyCodeMapper::keycodeForVirtualKey(int virtualKey) const {
    const auto keysym = keysymForVirtualKey(virtualKey);
    if (!keysym)
        return std::nullopt;
    return keycodeForKeysym(*keysym);
}

}  // namespace kestrova
