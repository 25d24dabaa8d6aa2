#include "sim/SimulatedClient.h"

#include "client/Win32Messages.h"
#include "sim/LobbyLayout.h"

#include <algorithm>

namespace kestrova::sim {

namespace {

// Where the lobby sits on the simulated screen (normal placement).
constexpr int kLobbyScreenLeft = 40;
constexpr int kLobbyScreenTop = 30;

// Tells what changed on the screen between two looks by comparing the
// pictures the lobby showed then and now.
class LobbyDrawingWatch final : public DrawingWatch {
public:
    explicit LobbyDrawingWatch(const SimulatedClient& client)
        : client_(client), shown_(client.shownView()) {}

    std::vector<Rect> takeDrawn() override {
        using namespace layout;
        const LobbyView now = client_.shownView();
        std::vector<Rect> drawn;
        if (now.highlightedRow != shown_.highlightedRow || now.topRow != shown_.topRow)
            drawn.push_back({kListLeft, kListTop, kListRight, kListTop + kVisibleRows * kRowHeight});
        if (now.seatRow != shown_.seatRow || now.chipsShown != shown_.chipsShown ||
            now.lastSeatShown != shown_.lastSeatShown) {
            drawn.push_back({kSeatBoxLeft, kSeatBoxTop, kSeatBoxRight, seatLineTop(kSeatLines)});
        }
        shown_ = now;
        // The server reports what the client has drawn already.
        if (!drawn.empty())
            client_.lobbyPicture();
        return drawn;
    }

private:
    const SimulatedClient& client_;
    LobbyView shown_;
};

}  // namespace

SimulatedClient::SimulatedClient(Lobby lobby)
    : lobby_(std::move(lobby)), state_(lobby_.size()), renderer_(font_) {}

std::vector<WindowInfo> SimulatedClient::topLevelWindows() {
    std::vector<WindowInfo> windows;
    // Tables open on top of the lobby: newest first.
    for (std::size_t i = openedTables_.size(); i-- > 0;) {
        const int offset = static_cast<int>(i % 10) * 24;
        windows.push_back(
            {kFirstTableWindow + i, openedTables_[i], kProgramClass,
             Rect{60 + offset, 60 + offset, 60 + offset + kTableWidth, 60 + offset + kTableHeight},
             kProgramClass});
    }
    windows.push_back(
        {kLobbyWindow, kLobbyTitle, kProgramClass,
         Rect{kLobbyScreenLeft, kLobbyScreenTop, kLobbyScreenLeft + LobbyRenderer::kWindowWidth,
              kLobbyScreenTop + LobbyRenderer::kWindowHeight},
         kProgramClass});
    return windows;
}

std::vector<WindowInfo> SimulatedClient::childWindows(WindowId parent) {
    if (parent != kLobbyWindow) {
        return {};
    }
    const QRect list = LobbyRenderer::listWindowRect();
    return {
        {kListWindow, "", kListClass,
         Rect{list.left(), list.top(), list.left() + list.width(), list.top() + list.height()}}};
}

void SimulatedClient::sendMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    messages_.push_back({window, message, wParam, lParam});
    if (window != kListWindow) {
        return;
    }
    switch (message) {
        case win32::WM_KEYDOWN:
            if (state_.keyDown(static_cast<int>(wParam)) == LobbyState::Action::OpenSelectedTable) {
                openSelectedTable();
            }
            break;
        case win32::WM_LBUTTONDOWN:
            buttonDown_ = true;
            break;
        case win32::WM_LBUTTONUP:
            // A click completes on button up, and only after a button down in the list.
            if (buttonDown_ && state_.click(win32::pointX(lParam), win32::pointY(lParam)) ==
                                   LobbyState::Action::OpenSelectedTable) {
                openSelectedTable();
            }
            buttonDown_ = false;
            break;
        default:
            break;
    }
    if (delayed_)
        delayed_->update(state_, nowMs_());
}

void SimulatedClient::setLatency(ClientLatency latency, std::function<long long()> nowMs) {
    delayed_.emplace(latency, state_);
    nowMs_ = std::move(nowMs);
}

void SimulatedClient::openSelectedTable() {
    const int row = state_.selectedRow();
    if (row < 0 || row >= lobby_.size()) {
        return;
    }
    // An open table only comes to the front again; it gets no second window.
    const std::string& name = lobby_.table(row).name;
    if (std::find(openedTables_.begin(), openedTables_.end(), name) == openedTables_.end()) {
        openedTables_.push_back(name);
    }
}

void SimulatedClient::showWindow(WindowId window, int showState) {
    if (window == kLobbyWindow && showState == win32::SW_RESTORE) {
        minimised_ = false;
    }
}

void SimulatedClient::setTopmost(WindowId /*window*/, bool /*topmost*/) {}

std::optional<Image> SimulatedClient::capture(WindowId window) {
    if (window == kLobbyWindow || window == kListWindow) {
        if (minimised_) {
            return std::nullopt;
        }
        if (window == kLobbyWindow) {
            return lobbyPicture();
        }
        const QImage lobby = renderer_.render(lobby_, shownView());
        return LobbyRenderer::toImage(lobby.copy(LobbyRenderer::listWindowRect()));
    }
    if (window >= kFirstTableWindow && window - kFirstTableWindow < openedTables_.size()) {
        const std::string& title = openedTables_[window - kFirstTableWindow];
        return LobbyRenderer::toImage(
            renderer_.renderTableWindow(QString::fromStdString(title), kTableWidth, kTableHeight));
    }
    return std::nullopt;
}

const Image& SimulatedClient::lobbyPicture() const {
    const LobbyView view = shownView();
    if (!picture_ || !(picture_->view == view))
        picture_ = Picture{view, LobbyRenderer::toImage(renderer_.render(lobby_, view))};
    return picture_->image;
}

LobbyView SimulatedClient::shownView() const {
    return delayed_ ? delayed_->at(nowMs_()) : LobbyView::settled(state_);
}

std::unique_ptr<DrawingWatch> SimulatedClient::watchDrawing(WindowId window) {
    if (!drawingWatched_ || window != kLobbyWindow)
        return nullptr;
    return std::make_unique<LobbyDrawingWatch>(*this);
}

std::vector<WindowInfo> SimulatedClient::tableWindows(WindowId lobby) {
    return otherWindowsOfProgram(topLevelWindows(), lobby);
}

}  // namespace kestrova::sim
