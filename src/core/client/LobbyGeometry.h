#pragma once

#include "common/Rect.h"

namespace kestrova {

// Where the table list sits inside a capture of the lobby window.
struct LobbyGeometry {
    static constexpr int kListLeft = 20;
    static constexpr int kListRight = 655;
    static constexpr int kListTopBelowChild = 219;
    static constexpr int kListHeight = 336;
    static constexpr int kLineHeight = 16;

    int listLeft = kListLeft;
    int listRight = kListRight;
    int listTop = 0;
    int listBottom = 0;

    // listWindow: the lobby's large child window, relative to the lobby window.
    static LobbyGeometry fromListWindow(const Rect& listWindow) {
        LobbyGeometry g;
        g.listTop = listWindow.top + kListTopBelowChild;
        g.listBottom = g.listTop + kListHeight;
        return g;
    }
};

}  // namespace kestrova
