#pragma once

#include "common/Image.h"

#include <xcb/xcb.h>

#include <optional>
#include <string>

namespace kestrova {

class WindowTree;
class XcbConnection;

// Reads a window's pixels. With the Composite extension every top-level window is
// redirected (automatic mode, so the screen still looks the same) when the capturer
// starts: each then keeps its own off-screen copy, which shows the window's content
// even where other windows cover it or the screen edge cuts it. Without Composite,
// GetImage on the window gives the screen's pixels, including anything on top.
class WindowCapturer final {
public:
    WindowCapturer(XcbConnection& connection, WindowTree& tree);

    bool compositeAvailable() const { return compositeAvailable_; }
    // Why covered windows cannot be captured faithfully; empty when they can.
    const std::string& compositeUnavailableReason() const { return compositeReason_; }

    // nullopt for a missing or unmapped window and when every request fails.
    std::optional<Image> capture(xcb_window_t window);

private:
    std::optional<Image> captureFromComposite(xcb_window_t window, int width, int height);
    // Reads the area in bands, so one reply never grows past a few megabytes.
    std::optional<Image> readImage(xcb_drawable_t drawable, int x, int y, int width, int height,
                                   xcb_visualid_t visual);

    XcbConnection& connection_;
    WindowTree& tree_;
    bool compositeAvailable_ = false;
    std::string compositeReason_;
};

}  // namespace kestrova
