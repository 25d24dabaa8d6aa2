#pragma once

#include "client/ClientPlatform.h"

#include <vector>

namespace kestrova {

// The program name Wine gives every window of the client on X11 (the instance
// and class parts of WM_CLASS, from the executable's file name).
inline constexpr const char* kWineClientProgram = "everestclient.exe";

// The table windows beside the lobby when only the program can be told: the other
// titled windows among topLevel whose instance name is the lobby's. Nothing when
// the lobby is not among them or carries no instance name.
std::vector<WindowInfo> otherWindowsOfProgram(const std::vector<WindowInfo>& topLevel,
                                              WindowId lobby);

}  // namespace kestrova
