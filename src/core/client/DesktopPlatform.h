#pragma once

#include "client/ClientPlatform.h"

#include <memory>
#include <string>

namespace kestrova {

// The client platform of the desktop this program was built for (X11 here;
// each backend brings its own implementation file, chosen by the build).
struct DesktopPlatform {
    std::unique_ptr<ClientPlatform> platform;  // null when no backend could start
    // Why there is no platform, or what it cannot do (a covered lobby cannot
    // be read without Composite); empty when all is well.
    std::string problem;

    // display: the backend's own name for the desktop; empty for the default.
    static DesktopPlatform open(const std::string& display = {});
};

}  // namespace kestrova
