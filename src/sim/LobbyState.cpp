#include "sim/LobbyState.h"

#include "client/Win32Messages.h"

#include <algorithm>
#include <cstdlib>

namespace kestrova::sim {

LobbyState::LobbyState(int rowCount)
    : rowCount_(std::max(rowCount, 0)), selectedRow_(rowCount_ > 0 ? 0 : -1) {}

void LobbyState::select(int row) {
    if (rowCount_ == 0) {
        return;
    }
    selectedRow_ = std::clamp(row, 0, rowCount_ - 1);
    // Keep the selection in view, scrolling by whole rows.
    if (selectedRow_ < topRow_) {
        topRow_ = selectedRow_;
    } else if (selectedRow_ >= topRow_ + kVisibleRows) {
        topRow_ = selectedRow_ - kVisibleRows + 1;
    }
}

LobbyState::Action LobbyState::keyDown(int virtualKey) {
    if (!listFocused_ || rowCount_ == 0) {
        return Action::None;
    }
    switch (virtualKey) {
        case win32::VK_HOME:
            select(0);
            break;
        case win32::VK_UP:
            select(selectedRow_ - 1);
            break;
        case win32::VK_DOWN:
            select(selectedRow_ + 1);
            break;
        case win32::VK_RETURN:
            return Action::OpenSelectedTable;
        default:
            break;
    }
    return Action::None;
}

LobbyState::Action LobbyState::click(int x, int y) {
    listFocused_ = true;
    if (rowCount_ > 0 && std::abs(x - kOpenButtonX) <= kOpenButtonHalfWidth &&
        std::abs(y - kOpenButtonY) <= kOpenButtonHalfHeight) {
        return Action::OpenSelectedTable;
    }
    return Action::None;
}

}  // namespace kestrova::sim
