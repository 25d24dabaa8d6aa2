#include "client/DesktopPlatform.h"

#include "client/win32/Win32Platform.h"

namespace kestrova {

DesktopPlatform DesktopPlatform::open(const std::string& display, Trace trace) {
    DesktopPlatform result;
    if (!display.empty()) {
        result.problem = "a Windows desktop has no display names (\"" + display + "\")";
        return result;
    }
    result.platform = std::make_unique<Win32Platform>(std::move(trace));
    return result;
}

const char* DesktopPlatform::backendName() {
    return "win32";
}

}  // namespace kestrova
