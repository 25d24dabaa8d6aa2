#include "client/x11/WindowTree.h"

#include "client/x11/XcbConnection.h"
#include "client/x11/XcbReply.h"

#include <cstring>
#include <utility>

namespace kestrova {

namespace {

// ICCCM WM_STATE values: 1 Normal, 3 Iconic.
constexpr std::uint32_t kIconicState = 3;

// Names are short; a bounded read keeps a hostile property from costing much.
constexpr std::uint32_t kMaxPropertyWords = 1024;

xcb_get_property_cookie_t requestProperty(xcb_connection_t* c, xcb_window_t window,
                                          xcb_atom_t property, xcb_atom_t type) {
    return xcb_get_property(c, 0, window, property, type, 0, kMaxPropertyWords);
}

// Bytes of an 8-bit property, or nullopt when it is absent or of another format.
std::optional<std::string> propertyBytes(xcb_connection_t* c, xcb_get_property_cookie_t cookie,
                                         xcb_atom_t* typeOut = nullptr) {
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return std::nullopt;
    if (typeOut)
        *typeOut = reply->type;
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    return std::string(bytes, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

}  // namespace

WindowTree::WindowTree(XcbConnection& connection) : connection_(connection) {}

std::vector<std::vector<xcb_window_t>> WindowTree::children(
    const std::vector<xcb_window_t>& windows) const {
    xcb_connection_t* c = connection_.get();
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t w : windows)
        cookies.push_back(xcb_query_tree(c, w));
    std::vector<std::vector<xcb_window_t>> result(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        XcbReply<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(c, cookies[i], nullptr));
        if (!reply)
            continue;
        const xcb_window_t* kids = xcb_query_tree_children(reply.get());
        const int count = xcb_query_tree_children_length(reply.get());
        result[i].assign(kids, kids + (count > 0 ? count : 0));
    }
    return result;
}

std::vector<xcb_window_t> WindowTree::children(xcb_window_t window) const {
    return std::move(children(std::vector<xcb_window_t>{window}).front());
}

xcb_window_t WindowTree::parent(xcb_window_t window) const {
    xcb_connection_t* c = connection_.get();
    XcbReply<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return reply ? reply->parent : static_cast<xcb_window_t>(XCB_NONE);
}

xcb_window_t WindowTree::topLevelAncestor(xcb_window_t window) const {
    const xcb_window_t root = connection_.root();
    xcb_window_t current = window;
    // Depth is bounded by the server; the limit only guards against a broken reply.
    for (int depth = 0; depth < 256 && current != XCB_NONE; ++depth) {
        const xcb_window_t up = parent(current);
        if (up == root)
            return current;
        current = up;
    }
    return XCB_NONE;
}

std::vector<WindowTree::Details> WindowTree::describe(
    const std::vector<xcb_window_t>& windows) const {
    xcb_connection_t* c = connection_.get();
    const xcb_atom_t netWmName = connection_.atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = connection_.atom("UTF8_STRING");
    const xcb_atom_t wmState = connection_.atom("WM_STATE");

    struct Cookies {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t netName;
        xcb_get_property_cookie_t name;
        xcb_get_property_cookie_t wmClass;
        xcb_get_property_cookie_t wmState;
    };
    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t w : windows) {
        cookies.push_back({xcb_get_window_attributes(c, w), requestProperty(c, w, netWmName, utf8),
                           requestProperty(c, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY),
                           requestProperty(c, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING),
                           xcb_get_property(c, 0, w, wmState, wmState, 0, 1)});
    }

    std::vector<Details> result(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Details& d = result[i];
        XcbReply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, cookies[i].attributes, nullptr));
        d.exists = attributes != nullptr;
        if (attributes) {
            d.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            d.visual = attributes->visual;
        }

        std::optional<std::string> netName = propertyBytes(c, cookies[i].netName);
        xcb_atom_t nameType = XCB_ATOM_NONE;
        std::optional<std::string> name = propertyBytes(c, cookies[i].name, &nameType);
        if (netName && netWmName != XCB_ATOM_NONE)
            d.name = std::move(netName);
        else if (name)
            d.name = nameType == XCB_ATOM_STRING ? latin1ToUtf8(*name) : std::move(*name);

        // WM_CLASS is "instance\0class\0".
        if (std::optional<std::string> wmClass = propertyBytes(c, cookies[i].wmClass)) {
            const std::size_t split = wmClass->find('\0');
            d.instanceName = latin1ToUtf8(wmClass->substr(0, split));
            if (split != std::string::npos) {
                std::string cls = wmClass->substr(split + 1);
                if (const std::size_t end = cls.find('\0'); end != std::string::npos)
                    cls.resize(end);
                d.className = latin1ToUtf8(cls);
            }
        }

        XcbReply<xcb_get_property_reply_t> state(
            xcb_get_property_reply(c, cookies[i].wmState, nullptr));
        if (state && wmState != XCB_ATOM_NONE && state->type == wmState && state->format == 32 &&
            xcb_get_property_value_length(state.get()) >= 4) {
            std::uint32_t value = 0;
            std::memcpy(&value, xcb_get_property_value(state.get()), sizeof value);
            d.iconic = value == kIconicState;
        }
    }
    return result;
}

WindowTree::Details WindowTree::describe(xcb_window_t window) const {
    return std::move(describe(std::vector<xcb_window_t>{window}).front());
}

std::optional<WindowTree::Geometry> WindowTree::geometry(xcb_window_t window) const {
    xcb_connection_t* c = connection_.get();
    XcbReply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!reply)
        return std::nullopt;
    return Geometry{reply->x,    reply->y, reply->width, reply->height, reply->border_width,
                    reply->depth};
}

std::vector<std::optional<Rect>> WindowTree::rectsIn(const std::vector<xcb_window_t>& windows,
                                                     xcb_window_t reference) const {
    xcb_connection_t* c = connection_.get();
    std::vector<std::pair<xcb_get_geometry_cookie_t, xcb_translate_coordinates_cookie_t>> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t w : windows)
        cookies.emplace_back(xcb_get_geometry(c, w),
                             xcb_translate_coordinates(c, w, reference, 0, 0));

    std::vector<std::optional<Rect>> result(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        XcbReply<xcb_get_geometry_reply_t> geo(
            xcb_get_geometry_reply(c, cookies[i].first, nullptr));
        XcbReply<xcb_translate_coordinates_reply_t> origin(
            xcb_translate_coordinates_reply(c, cookies[i].second, nullptr));
        if (!geo || !origin)
            continue;
        result[i] = Rect{origin->dst_x, origin->dst_y, origin->dst_x + geo->width,
                         origin->dst_y + geo->height};
    }
    return result;
}

std::optional<Rect> WindowTree::rectIn(xcb_window_t window, xcb_window_t reference) const {
    return rectsIn(std::vector<xcb_window_t>{window}, reference).front();
}

std::optional<std::pair<int, int>> WindowTree::translate(xcb_window_t window,
                                                         xcb_window_t reference, int x,
                                                         int y) const {
    xcb_connection_t* c = connection_.get();
    XcbReply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, window, reference, static_cast<std::int16_t>(x),
                                  static_cast<std::int16_t>(y)),
        nullptr));
    if (!reply)
        return std::nullopt;
    return std::make_pair(static_cast<int>(reply->dst_x), static_cast<int>(reply->dst_y));
}

}  // namespace kestrova
