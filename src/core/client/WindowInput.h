#pragma once

#include "client/ClientPlatform.h"

namespace kestrova {

// Key press: WM_KEYDOWN then WM_KEYUP with the virtual key.
void pressKey(ClientPlatform& platform, WindowId window, int virtualKey);
// Click at client coordinates: WM_LBUTTONDOWN then WM_LBUTTONUP.
void click(ClientPlatform& platform, WindowId window, int x, int y);
void restoreWindow(ClientPlatform& platform, WindowId window);

}  // namespace kestrova
