#include "client/DesktopPlatform.h"

#include "client/x11/X11Platform.h"

#include <utility>

namespace kestrova {

DesktopPlatform DesktopPlatform::open(const std::string& display, Trace trace) {
    DesktopPlatform result;
    std::unique_ptr<X11Platform> x11 = X11Platform::open(display, &result.problem);
    if (x11) {
        result.problem = x11->compositeUnavailableReason();
        x11->setTrace(std::move(trace));
        result.platform = std::move(x11);
    }
    return result;
}

const char* DesktopPlatform::backendName() {
    return "x11";
}

}  // namespace kestrova
