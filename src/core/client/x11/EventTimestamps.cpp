#include "client/x11/EventTimestamps.h"

#include "client/x11/XcbConnection.h"

#include <cstdlib>

namespace kestrova {

EventTimestamps::EventTimestamps(std::uint32_t serverTimeMs, TimePoint readAt)
    : baseMs_(serverTimeMs), readAt_(readAt) {}

std::optional<std::uint32_t> EventTimestamps::fetchServerTime(XcbConnection& connection) {
    xcb_connection_t* c = connection.get();
    const xcb_atom_t property = connection.atom("_KESTROVA_TIMESTAMP");
    if (property == XCB_ATOM_NONE)
        return std::nullopt;

    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t mask = XCB_CW_EVENT_MASK;
    const std::uint32_t values[] = {XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, connection.root(), -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, mask, values);
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, property, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);

    std::optional<std::uint32_t> time;
    // The server answers at once; only a broken connection ends the loop otherwise.
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        const auto type = event->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (notify->window == window && notify->atom == property)
                time = notify->time;
        }
        std::free(event);
        if (time)
            break;
    }
    xcb_destroy_window(c, window);
    xcb_flush(c);
    return time;
}

std::uint32_t EventTimestamps::next(TimePoint now) {
    const auto elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - readAt_).count();
    // Server time is 32-bit milliseconds and wraps; unsigned arithmetic wraps with it.
    std::uint32_t stamp = baseMs_ + static_cast<std::uint32_t>(elapsedMs > 0 ? elapsedMs : 0);
    if (last_ && static_cast<std::int32_t>(stamp - *last_) <= 0)
        stamp = *last_ + 1;
    if (stamp == 0)
        stamp = 1;
    last_ = stamp;
    return stamp;
}

}  // namespace kestrova
