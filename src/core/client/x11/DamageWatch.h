#pragma once

#include "client/DrawingWatch.h"

#include <xcb/damage.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrova {

class XcbConnection;

// What a window's client draws, as the X server's Damage extension reports it:
// every rectangle drawn into the window or its children, in window coordinates.
class DamageWatch final : public DrawingWatch {
public:
    // nullptr, with why set, when the server has no usable Damage extension or
    // the window is gone.
    static std::unique_ptr<DamageWatch> create(XcbConnection& connection, xcb_window_t window,
                                               std::string& why);
    ~DamageWatch() override;
    DamageWatch(const DamageWatch&) = delete;
    DamageWatch& operator=(const DamageWatch&) = delete;

    std::vector<Rect> takeDrawn() override;

private:
    DamageWatch(XcbConnection& connection, xcb_damage_damage_t damage, std::uint8_t notifyEvent);
    void onEvent(const xcb_generic_event_t& event);

    XcbConnection& connection_;
    xcb_damage_damage_t damage_;
    std::uint8_t notifyEvent_;
    std::vector<Rect> drawn_;
    // Past this many rectangles between two looks they are kept as one box.
    static constexpr std::size_t kMaxRects = 64;
};

}  // namespace kestrova
