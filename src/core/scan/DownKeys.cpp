#include "scan/DownKeys.h"

#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "scan/ClientWaits.h"

namespace kestrova {

void DownKeys::read(const ClientWaits& waits, const std::string& selectedName) {
    pending_ = sent_ && !waits.downShown(lastName_, selectedName);
    stale_ = sent_ && !selectedName.empty() && selectedName == lastName_ && !waits.highlightStuck();
    lastName_ = selectedName;
}

void DownKeys::press(ClientPlatform& platform, WindowId listWindow) {
    if (!pending_)
        pressKey(platform, listWindow, win32::VK_DOWN);
    sent_ = true;
}

}  // namespace kestrova
