#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kestrova {

// One connection to the X server: its default screen, the pixel formats the
// server announced, and an atom cache, so each atom costs one round trip at most.
class XcbConnection final {
public:
    struct VisualMasks {
        std::uint32_t red = 0;
        std::uint32_t green = 0;
        std::uint32_t blue = 0;
    };

    // An empty name means $DISPLAY. Gives nullptr and a readable reason when the
    // display cannot be opened.
    static std::unique_ptr<XcbConnection> open(const std::string& displayName, std::string& error);
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_screen_t* screen() const { return screen_; }
    xcb_window_t root() const { return screen_->root; }
    const xcb_setup_t* setup() const { return xcb_get_setup(connection_); }
    bool hasError() const { return xcb_connection_has_error(connection_) != 0; }

    // XCB_ATOM_NONE when the server cannot intern the name.
    xcb_atom_t atom(std::string_view name);

    // Waits until the server has processed every request sent so far, then hands
    // the events that piled up meanwhile to the event handler and drops the
    // rest (this connection selects no input on foreign windows; only the
    // drawing watch asks for events).
    void sync();
    // Hands every event received so far to the event handler; never blocks.
    void dispatchEvents();
    // Who wants events (a drawing watch, one at a time): owner tells whose
    // handler clearEventHandler() may remove.
    using EventHandler = std::function<void(const xcb_generic_event_t& event)>;
    void setEventHandler(const void* owner, EventHandler handler) {
        handlerOwner_ = owner;
        eventHandler_ = std::move(handler);
    }
    void clearEventHandler(const void* owner) {
        if (handlerOwner_ == owner)
            setEventHandler(nullptr, {});
    }

    // ZPixmap layout for a depth; 0 when the server announced no such format.
    int bitsPerPixel(int depth) const;
    int scanlinePad(int depth) const;
    bool imageMsbFirst() const;
    std::optional<VisualMasks> visualMasks(xcb_visualid_t visual) const;

private:
    XcbConnection(xcb_connection_t* connection, xcb_screen_t* screen);

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    std::unordered_map<std::string, xcb_atom_t> atoms_;
    EventHandler eventHandler_;
    const void* handlerOwner_ = nullptr;
};

}  // namespace kestrova
