#pragma once

#include "client/ClientPlatform.h"

#include <functional>
#include <memory>
#include <string>

namespace kestrova {

// The client platform of the desktop this program was built for (X11 or Win32;
// each backend brings its own implementation file, chosen by the build).
struct DesktopPlatform {
    std::unique_ptr<ClientPlatform> platform;  // null when no backend could start
    // Why there is no platform, or what it cannot do (a covered lobby cannot
    // be read without Composite); empty when all is well.
    std::string problem;

    // Lines for the trace file, about how the backend had to work around the desktop.
    using Trace = std::function<void(const std::string& line)>;

    // display: the backend's own name for the desktop; empty for the default.
    static DesktopPlatform open(const std::string& display = {}, Trace trace = {});
    // The command-line name of the backend: "x11", "win32".
    static const char* backendName();
};

}  // namespace kestrova
