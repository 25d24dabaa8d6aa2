#include "client/lobby/ProgramWindows.h"

#include <algorithm>

namespace kestrova {

std::vector<WindowInfo> otherWindowsOfProgram(const std::vector<WindowInfo>& topLevel,
                                              WindowId lobby) {
    const auto self = std::find_if(topLevel.begin(), topLevel.end(),
                                   [&](const WindowInfo& w) { return w.id == lobby; });
    if (self == topLevel.end() || self->instanceName.empty())
        return {};
    std::vector<WindowInfo> others;
    for (const WindowInfo& w : topLevel) {
        if (w.id != lobby && w.instanceName == self->instanceName && !w.title.empty() &&
            w.title != self->title)
            others.push_back(w);
    }
    return others;
}

}  // namespace kestrova
