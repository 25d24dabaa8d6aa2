#include "client/x11/XcbConnection.h"

#include "client/x11/XcbReply.h"

#include <cstdlib>

namespace kestrova {

std::unique_ptr<XcbConnection> XcbConnection::open(const std::string& displayName,
                                                   std::string& error) {
    const char* name = displayName.empty() ? nullptr : displayName.c_str();
    std::string shownName = displayName;
    if (shownName.empty()) {
        const char* env = std::getenv("DISPLAY");
        shownName = env ? env : "";
    }
    if (shownName.empty()) {
        error = "cannot open X display: no display name given and DISPLAY is not set";
        return nullptr;
    }

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(name, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        error = "cannot open X display \"" + shownName + "\"";
        return nullptr;
    }

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    if (it.rem <= 0 || !it.data) {
        xcb_disconnect(connection);
        error = "cannot open X display \"" + shownName + "\": screen " +
                std::to_string(screenNumber) + " does not exist";
        return nullptr;
    }
    return std::unique_ptr<XcbConnection>(new XcbConnection(connection, it.data));
}

XcbConnection::XcbConnection(xcb_connection_t* connection, xcb_screen_t* screen)
    : connection_(connection), screen_(screen) {}

XcbConnection::~XcbConnection() {
    xcb_disconnect(connection_);
}

xcb_atom_t XcbConnection::atom(std::string_view name) {
    std::string key(name);
    if (auto found = atoms_.find(key); found != atoms_.end())
        return found->second;
    const auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(key.size()), key.data());
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
    const xcb_atom_t value = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    if (value != XCB_ATOM_NONE)
        atoms_.emplace(std::move(key), value);
    return value;
}

void XcbConnection::sync() {
    XcbReply<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    dispatchEvents();
}

void XcbConnection::dispatchEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if (eventHandler_)
            eventHandler_(*event);
        std::free(event);
    }
}

int XcbConnection::bitsPerPixel(int depth) const {
    xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(setup());
    for (; it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data->bits_per_pixel;
    }
    return 0;
}

int XcbConnection::scanlinePad(int depth) const {
    xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(setup());
    for (; it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            return it.data->scanline_pad;
    }
    return 0;
}

bool XcbConnection::imageMsbFirst() const {
    return setup()->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
}

std::optional<XcbConnection::VisualMasks> XcbConnection::visualMasks(xcb_visualid_t visual) const {
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(setup()); s.rem > 0;
         xcb_screen_next(&s)) {
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0;
             xcb_depth_next(&d)) {
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0;
                 xcb_visualtype_next(&v)) {
                if (v.data->visual_id == visual)
                    return VisualMasks{v.data->red_mask, v.data->green_mask, v.data->blue_mask};
            }
        }
    }
    return std::nullopt;
}

}  // namespace kestrova
