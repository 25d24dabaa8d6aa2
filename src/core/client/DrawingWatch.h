#pragma once

#include "common/Rect.h"

#include <vector>

namespace kestrova {

// Tells the waits where the client has drawn into its window, so that they
// look at the screen when something new is there instead of at fixed
// intervals. Where a platform cannot tell, the waits poll the screen.
class DrawingWatch {
public:
    virtual ~DrawingWatch() = default;
    // The areas (window coordinates, possibly overlapping) drawn into since
    // the last call or since the watch began. Never blocks.
    virtual std::vector<Rect> takeDrawn() = 0;

    static bool intersects(const Rect& a, const Rect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    }
};

}  // namespace kestrova
