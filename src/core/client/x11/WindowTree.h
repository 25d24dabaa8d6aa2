#pragma once

#include "common/Rect.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

class XcbConnection;

// Read-only questions about the server's window tree. The batch forms send all
// requests before reading the first reply, so a walk over many windows costs
// about one round trip per tree level rather than several per window.
class WindowTree final {
public:
    struct Details {
        bool exists = false;
        bool viewable = false;  // mapped, and every ancestor mapped
        xcb_visualid_t visual = XCB_NONE;
        std::optional<std::string> name;  // _NET_WM_NAME, else WM_NAME, as UTF-8
        std::string className;            // the class part of WM_CLASS
        std::string instanceName;         // the instance part of WM_CLASS
        // WM_STATE says Iconic: minimised by its window manager (or asked to start
        // so). Such a window is unmapped, yet it is there and keeps its placement.
        bool iconic = false;
    };

    struct Geometry {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int borderWidth = 0;
        int depth = 0;
    };

    explicit WindowTree(XcbConnection& connection);

    // Direct children, bottom of the stacking order first; empty for a missing window.
    std::vector<xcb_window_t> children(xcb_window_t window) const;
    std::vector<std::vector<xcb_window_t>> children(const std::vector<xcb_window_t>& windows) const;
    // XCB_NONE for the root or a missing window.
    xcb_window_t parent(xcb_window_t window) const;
    // The child of the root that holds the window (the window itself when it is one).
    xcb_window_t topLevelAncestor(xcb_window_t window) const;

    std::vector<Details> describe(const std::vector<xcb_window_t>& windows) const;
    Details describe(xcb_window_t window) const;

    std::optional<Geometry> geometry(xcb_window_t window) const;
    // The window's outline (inside its border) in reference's coordinates.
    std::vector<std::optional<Rect>> rectsIn(const std::vector<xcb_window_t>& windows,
                                             xcb_window_t reference) const;
    std::optional<Rect> rectIn(xcb_window_t window, xcb_window_t reference) const;
    // A point of the window in reference's coordinates.
    std::optional<std::pair<int, int>> translate(xcb_window_t window, xcb_window_t reference, int x,
                                                 int y) const;

private:
    XcbConnection& connection_;
};

}  // namespace kestrova
