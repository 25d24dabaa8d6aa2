#pragma once

namespace kestrova::sim {

// What the lobby does with input to its list window: the selection, the scroll
// position and the list's keyboard focus. Shared by the in-process client and
// everest-sim, so both behave alike.
class LobbyState final {
public:
    static constexpr int kVisibleRows = 21;
    // Click points in list-window coordinates.
    static constexpr int kOpenButtonX = 640;
    static constexpr int kOpenButtonY = 388;
    static constexpr int kOpenButtonHalfWidth = 20;
    static constexpr int kOpenButtonHalfHeight = 8;

    enum class Action { None, OpenSelectedTable };

    explicit LobbyState(int rowCount);

    // Windows virtual keys; acts only while the list has the focus.
    Action keyDown(int virtualKey);
    // A completed click (button up) at a point of the list window. Any click there
    // gives the list the focus; the open button opens the selected table.
    Action click(int x, int y);

    int rowCount() const { return rowCount_; }
    // -1 for an empty lobby.
    int selectedRow() const { return selectedRow_; }
    int topRow() const { return topRow_; }
    bool listFocused() const { return listFocused_; }

    void select(int row);
    void setListFocused(bool focused) { listFocused_ = focused; }

private:
    int rowCount_;
    int selectedRow_;
    int topRow_ = 0;
    bool listFocused_ = false;
};

}  // namespace kestrova::sim
