#include "client/x11/DamageWatch.h"

#include "client/x11/XcbConnection.h"
#include "client/x11/XcbReply.h"

#include <algorithm>
#include <utility>

namespace kestrova {

std::unique_ptr<DamageWatch> DamageWatch::create(XcbConnection& connection, xcb_window_t window,
                                                 std::string& why) {
    xcb_connection_t* c = connection.get();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!extension || !extension->present) {
        why = "the X server has no Damage extension";
        return nullptr;
    }
    // The version must be agreed on before the extension's first request.
    XcbReply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    if (!version) {
        why = "the X server's Damage extension did not answer";
        return nullptr;
    }
    const xcb_damage_damage_t damage = xcb_generate_id(c);
    XcbReply<xcb_generic_error_t> error(xcb_request_check(
        c, xcb_damage_create_checked(c, damage, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES)));
    if (error) {
        why = "the X server refused to watch the window (error " +
              std::to_string(error->error_code) + ")";
        return nullptr;
    }
    return std::unique_ptr<DamageWatch>(
        new DamageWatch(connection, damage, extension->first_event + XCB_DAMAGE_NOTIFY));
}

DamageWatch::DamageWatch(XcbConnection& connection, xcb_damage_damage_t damage,
                         std::uint8_t notifyEvent)
    : connection_(connection), damage_(damage), notifyEvent_(notifyEvent) {
    connection_.setEventHandler(this, [this](const xcb_generic_event_t& e) { onEvent(e); });
}

DamageWatch::~DamageWatch() {
    connection_.clearEventHandler(this);
    // The window may be gone, and its damage object with it: the error is dropped.
    xcb_damage_destroy(connection_.get(), damage_);
    xcb_flush(connection_.get());
}

void DamageWatch::onEvent(const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) != notifyEvent_)
        return;
    const auto& notify = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
    if (notify.damage != damage_)
        return;
    const Rect area{notify.area.x, notify.area.y, notify.area.x + notify.area.width,
                    notify.area.y + notify.area.height};
    if (drawn_.size() < kMaxRects) {
        drawn_.push_back(area);
        return;
    }
    Rect& box = drawn_.back();
    box = {std::min(box.left, area.left), std::min(box.top, area.top),
           std::max(box.right, area.right), std::max(box.bottom, area.bottom)};
}

std::vector<Rect> DamageWatch::takeDrawn() {
    connection_.dispatchEvents();
    return std::exchange(drawn_, {});
}

}  // namespace kestrova
